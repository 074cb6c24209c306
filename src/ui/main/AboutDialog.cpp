#include "ui/main/AboutDialog.h"

#include "core/Version.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

AboutDialog::AboutDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutDialog"));
    setWindowTitle(QStringLiteral("关于系统"));
    auto *layout = new QVBoxLayout(this);
    auto *name = new QLabel(kProgramTitle, this);
    QFont f = name->font();
    f.setPointSize(f.pointSize() + 6);
    f.setBold(true);
    name->setFont(f);
    name->setAlignment(Qt::AlignCenter);
    layout->addWidget(name);
    auto *text = new QLabel(QStringLiteral("双色球分析与投注软件\n版本 ") + kVersionText, this);
    text->setAlignment(Qt::AlignCenter);
    layout->addWidget(text);
    auto *ok = new QPushButton(QStringLiteral("确定"), this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignCenter);
    setFixedSize(320, 180);
}

#include "ui/main/AboutDialog.h"

#include "core/Version.h"

#include <QDir>
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
    m_dataFolder = new QLabel(this);
    m_dataFolder->setObjectName(QStringLiteral("dataFolderLabel"));
    m_dataFolder->setAlignment(Qt::AlignCenter);
    m_dataFolder->setWordWrap(true);
    m_dataFolder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_dataFolder);
    auto *ok = new QPushButton(QStringLiteral("确定"), this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignCenter);
    setFixedSize(320, 230);
}

void AboutDialog::setDataFolder(const QString &path)
{
    // A zero-width space after each separator lets a long path wrap between its folders.
    QString shown = QDir::toNativeSeparators(path);
    shown.replace(QLatin1Char('/'), QStringLiteral("/\u200b"));
    m_dataFolder->setText(QStringLiteral("数据目录：") + shown);
}

#include "ui/bets/GuaranteeGroup.h"

#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>

GuaranteeGroup::GuaranteeGroup(QWidget *parent) : QGroupBox(QStringLiteral("保号投注"), parent)
{
    setObjectName(QStringLiteral("guaranteeGroup"));
    setCheckable(true);
    setChecked(false); // unticked, the children are disabled with it
    auto *grid = new QGridLayout(this);
    auto *text = new QLabel(QStringLiteral("保号投注是指候选号码中不存在重复N个号的组合，如：保4号组合是指候选号码中，"
                                           "不存在任何两注有4个号码相同。"),
                            this);
    text->setObjectName(QStringLiteral("guaranteeExplanation"));
    text->setWordWrap(true);
    grid->addWidget(text, 0, 0, 1, 4);
    auto radio = [this](const char *name, const QString &caption) {
        auto *r = new QRadioButton(caption, this);
        r->setObjectName(QString::fromLatin1(name));
        return r;
    };
    guarantee5Radio = radio("guarantee5Radio", QStringLiteral("保5号组合"));
    guarantee4Radio = radio("guarantee4Radio", QStringLiteral("保4号组合"));
    guarantee3Radio = radio("guarantee3Radio", QStringLiteral("保3号组合"));
    guarantee2Radio = radio("guarantee2Radio", QStringLiteral("保2号组合"));
    guarantee4Radio->setChecked(true);
    grid->addWidget(guarantee5Radio, 1, 0);
    grid->addWidget(guarantee4Radio, 1, 1);
    grid->addWidget(guarantee3Radio, 1, 2);
    grid->addWidget(guarantee2Radio, 1, 3);
}

int GuaranteeGroup::guaranteeN() const
{
    if (!isChecked())
        return 0;
    if (guarantee5Radio->isChecked())
        return 5;
    if (guarantee4Radio->isChecked())
        return 4;
    if (guarantee3Radio->isChecked())
        return 3;
    if (guarantee2Radio->isChecked())
        return 2;
    return 0;
}

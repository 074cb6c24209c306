#include "ui/bets/GuaranteeGroup.h"

#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>

GuaranteeGroup::GuaranteeGroup(QWidget *parent) : QGroupBox(QStringLiteral("保号投注"), parent)
{
    setObjectName(QStringLiteral("SeSkinGroupBox6"));
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
    SeSkinRadioButton4 = radio("SeSkinRadioButton4", QStringLiteral("保5号组合"));
    SeSkinRadioButton5 = radio("SeSkinRadioButton5", QStringLiteral("保4号组合"));
    SeSkinRadioButton7 = radio("SeSkinRadioButton7", QStringLiteral("保3号组合"));
    SeSkinRadioButton8 = radio("SeSkinRadioButton8", QStringLiteral("保2号组合"));
    SeSkinRadioButton5->setChecked(true);
    grid->addWidget(SeSkinRadioButton4, 1, 0);
    grid->addWidget(SeSkinRadioButton5, 1, 1);
    grid->addWidget(SeSkinRadioButton7, 1, 2);
    grid->addWidget(SeSkinRadioButton8, 1, 3);
}

int GuaranteeGroup::guaranteeN() const
{
    if (!isChecked())
        return 0;
    if (SeSkinRadioButton4->isChecked())
        return 5;
    if (SeSkinRadioButton5->isChecked())
        return 4;
    if (SeSkinRadioButton7->isChecked())
        return 3;
    if (SeSkinRadioButton8->isChecked())
        return 2;
    return 0;
}

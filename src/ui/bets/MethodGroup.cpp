#include "ui/bets/MethodGroup.h"

#include "core/bets/WheelMatrix.h"
#include "ui/bets/GuaranteeGroup.h"
#include "ui/bets/BankerPicker.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

MethodGroup::MethodGroup(BankerPicker *picker, QWidget *parent)
    : QGroupBox(QStringLiteral("选择投注方法"), parent), m_picker(picker), m_guarantee(new GuaranteeGroup(this))
{
    setObjectName(QStringLiteral("methodGroup"));
    auto radio = [this](const char *name, const QString &text) {
        auto *r = new QRadioButton(text, this);
        r->setObjectName(QString::fromLatin1(name));
        return r;
    };
    allCombinationsRadio = radio("allCombinationsRadio", QStringLiteral("全排组合"));
    bankerDragRadio = radio("bankerDragRadio", QStringLiteral("拖胆组合"));
    wheelRadio = radio("wheelRadio", QStringLiteral("旋转矩阵"));
    allCombinationsRadio->setChecked(true);

    bankerEdit = new QLineEdit(this);
    bankerEdit->setObjectName(QStringLiteral("bankerEdit"));
    bankerEdit->setReadOnly(true);
    bankerEdit->setEnabled(false);
    pickBankersButton = new QPushButton(QStringLiteral("重选"), this);
    pickBankersButton->setObjectName(QStringLiteral("pickBankersButton"));
    pickBankersButton->setEnabled(false);

    wheelTypeBox = new QComboBox(this);
    wheelTypeBox->setObjectName(QStringLiteral("wheelTypeBox"));
    wheelTypeBox->setEditable(true);
    wheelTypeBox->setInsertPolicy(QComboBox::NoInsert);
    for (const WheelType &t : kWheelTypes)
        wheelTypeBox->addItem(QString::fromUtf8(t.caption));
    wheelTypeBox->setCurrentIndex(1);
    wheelTypeBox->setEnabled(false);

    auto *grid = new QGridLayout(this);
    grid->addWidget(allCombinationsRadio, 0, 0, 1, 3);
    grid->addWidget(m_guarantee, 1, 0, 1, 3);
    grid->addWidget(bankerDragRadio, 2, 0);
    grid->addWidget(bankerEdit, 2, 1);
    grid->addWidget(pickBankersButton, 2, 2);
    grid->addWidget(wheelRadio, 3, 0);
    grid->addWidget(wheelTypeBox, 3, 1, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(4, 1);

    connect(allCombinationsRadio, &QRadioButton::clicked, this, &MethodGroup::chooseAllCombinations);
    connect(bankerDragRadio, &QRadioButton::clicked, this, &MethodGroup::chooseBankerDrag);
    connect(wheelRadio, &QRadioButton::clicked, this, &MethodGroup::chooseWheel);
    connect(pickBankersButton, &QPushButton::clicked, this, &MethodGroup::pickBankers);
}

BetMethod MethodGroup::method() const
{
    if (bankerDragRadio->isChecked())
        return BetMethod::BankerDrag;
    if (wheelRadio->isChecked())
        return BetMethod::Wheel;
    return BetMethod::AllCombinations;
}

QString MethodGroup::bankerText() const
{
    return bankerEdit->text();
}

int MethodGroup::wheelTypeIndex() const
{
    return wheelTypeBox->findText(wheelTypeBox->currentText(), Qt::MatchExactly);
}

void MethodGroup::chooseAllCombinations()
{
    pickBankersButton->setEnabled(false);
    wheelTypeBox->setEnabled(false);
    m_guarantee->show();
}

void MethodGroup::chooseBankerDrag()
{
    pickBankersButton->setEnabled(true);
    wheelTypeBox->setEnabled(false);
    pickBankers();
    m_guarantee->hide();
}

void MethodGroup::chooseWheel()
{
    wheelTypeBox->setEnabled(wheelRadio->isChecked());
    pickBankersButton->setEnabled(false);
    m_guarantee->hide();
}

void MethodGroup::pickBankers()
{
    m_picker->exec();
    bankerEdit->setText(m_picker->bankerText());
}

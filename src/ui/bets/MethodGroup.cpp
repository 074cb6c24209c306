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
    SeSkinRadioButton1 = radio("SeSkinRadioButton1", QStringLiteral("全排组合"));
    SeSkinRadioButton2 = radio("SeSkinRadioButton2", QStringLiteral("拖胆组合"));
    SeSkinRadioButton3 = radio("SeSkinRadioButton3", QStringLiteral("旋转矩阵"));
    SeSkinRadioButton1->setChecked(true);

    SeSkinEdit1 = new QLineEdit(this);
    SeSkinEdit1->setObjectName(QStringLiteral("SeSkinEdit1"));
    SeSkinEdit1->setReadOnly(true);
    SeSkinEdit1->setEnabled(false);
    SeSkinButton19 = new QPushButton(QStringLiteral("重选"), this);
    SeSkinButton19->setObjectName(QStringLiteral("SeSkinButton19"));
    SeSkinButton19->setEnabled(false);

    SeSkinComboBox3 = new QComboBox(this);
    SeSkinComboBox3->setObjectName(QStringLiteral("SeSkinComboBox3"));
    SeSkinComboBox3->setEditable(true);
    SeSkinComboBox3->setInsertPolicy(QComboBox::NoInsert);
    for (const WheelType &t : kWheelTypes)
        SeSkinComboBox3->addItem(QString::fromUtf8(t.caption));
    SeSkinComboBox3->setCurrentIndex(1);
    SeSkinComboBox3->setEnabled(false);

    auto *grid = new QGridLayout(this);
    grid->addWidget(SeSkinRadioButton1, 0, 0, 1, 3);
    grid->addWidget(m_guarantee, 1, 0, 1, 3);
    grid->addWidget(SeSkinRadioButton2, 2, 0);
    grid->addWidget(SeSkinEdit1, 2, 1);
    grid->addWidget(SeSkinButton19, 2, 2);
    grid->addWidget(SeSkinRadioButton3, 3, 0);
    grid->addWidget(SeSkinComboBox3, 3, 1, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(4, 1);

    connect(SeSkinRadioButton1, &QRadioButton::clicked, this, &MethodGroup::SeSkinRadioButton1Click);
    connect(SeSkinRadioButton2, &QRadioButton::clicked, this, &MethodGroup::SeSkinRadioButton2Click);
    connect(SeSkinRadioButton3, &QRadioButton::clicked, this, &MethodGroup::SeSkinRadioButton3Click);
    connect(SeSkinButton19, &QPushButton::clicked, this, &MethodGroup::SeSkinButton19Click);
}

BetMethod MethodGroup::method() const
{
    if (SeSkinRadioButton2->isChecked())
        return BetMethod::BankerDrag;
    if (SeSkinRadioButton3->isChecked())
        return BetMethod::Wheel;
    return BetMethod::AllCombinations;
}

QString MethodGroup::bankerText() const
{
    return SeSkinEdit1->text();
}

int MethodGroup::wheelTypeIndex() const
{
    return SeSkinComboBox3->findText(SeSkinComboBox3->currentText(), Qt::MatchExactly);
}

void MethodGroup::SeSkinRadioButton1Click()
{
    SeSkinButton19->setEnabled(false);
    SeSkinComboBox3->setEnabled(false);
    m_guarantee->show();
}

void MethodGroup::SeSkinRadioButton2Click()
{
    SeSkinButton19->setEnabled(true);
    SeSkinComboBox3->setEnabled(false);
    showPicker();
    m_guarantee->hide();
}

void MethodGroup::SeSkinRadioButton3Click()
{
    SeSkinComboBox3->setEnabled(SeSkinRadioButton3->isChecked());
    SeSkinButton19->setEnabled(false);
    m_guarantee->hide();
}

void MethodGroup::SeSkinButton19Click()
{
    showPicker();
}

void MethodGroup::showPicker()
{
    // However the picker was closed, the box shows the text it holds now.
    m_picker->exec();
    SeSkinEdit1->setText(m_picker->bankerText());
}

#include "ui/bets/PickerStrip.h"

#include "ui/widgets/BallToggleGrid.h"
#include "ui/widgets/Colours.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

PickerStrip::PickerStrip(QWidget *parent)
    : QWidget(parent),
      m_reds(new BallToggleGrid(33, QStringLiteral("redBall"), Colours::redToggleSelected, 33, this)),
      m_blues(new BallToggleGrid(16, QStringLiteral("blueBall"), Colours::blueToggleSelected, 16, this))
{
    setObjectName(QStringLiteral("pickerStrip"));
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(6, 2, 6, 2);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);

    auto button = [this](const char *name, const QString &text, void (PickerStrip::*slot)()) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setFixedWidth(44);
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    auto buttons = [&](const char *all, void (PickerStrip::*allSlot)(), const char *inv,
                       void (PickerStrip::*invSlot)(), const char *none, void (PickerStrip::*noneSlot)()) {
        auto *box = new QHBoxLayout;
        box->setSpacing(2);
        box->addWidget(button(all, QStringLiteral("全选"), allSlot));
        box->addWidget(button(inv, QStringLiteral("反选"), invSlot));
        box->addWidget(button(none, QStringLiteral("清空"), noneSlot));
        return box;
    };

    auto *redLabel = new QLabel(QStringLiteral("红色球："), this);
    redLabel->setBuddy(m_reds->toggle(1));
    grid->addWidget(redLabel, 0, 0);
    grid->addWidget(m_reds, 0, 1, Qt::AlignLeft);
    grid->addLayout(buttons("selectAllRedsButton", &PickerStrip::selectAllReds, "invertRedsButton",
                            &PickerStrip::invertReds, "clearRedsButton", &PickerStrip::clearReds),
                    0, 2);

    auto *blueLabel = new QLabel(QStringLiteral("蓝色球："), this);
    blueLabel->setBuddy(m_blues->toggle(1));
    grid->addWidget(blueLabel, 1, 0);
    auto *blueRow = new QHBoxLayout;
    blueRow->addWidget(m_blues);
    blueRow->addSpacing(24);
    blueRow->addWidget(new QLabel(QStringLiteral("您已选择的红球个数："), this));
    redCountLabel = new QLabel(QStringLiteral("0"), this);
    redCountLabel->setObjectName(QStringLiteral("redCountLabel"));
    redCountLabel->setMinimumWidth(24);
    QPalette pal = redCountLabel->palette();
    pal.setColor(QPalette::WindowText, Colours::red);
    redCountLabel->setPalette(pal);
    blueRow->addWidget(redCountLabel);
    blueRow->addStretch(1);
    grid->addLayout(blueRow, 1, 1);
    grid->addLayout(buttons("selectAllBluesButton", &PickerStrip::selectAllBlues, "invertBluesButton",
                            &PickerStrip::invertBlues, "clearBluesButton", &PickerStrip::clearBlues),
                    1, 2);
    grid->setColumnStretch(3, 1);

    connect(m_reds, &BallToggleGrid::ballToggled, this, &PickerStrip::redToggled);
}

std::array<bool, 33> PickerStrip::redSelection() const
{
    std::array<bool, 33> s{};
    for (int k = 1; k <= 33; ++k)
        s[std::size_t(k - 1)] = m_reds->isSelected(k);
    return s;
}

std::array<bool, 16> PickerStrip::blueSelection() const
{
    std::array<bool, 16> s{};
    for (int k = 1; k <= 16; ++k)
        s[std::size_t(k - 1)] = m_blues->isSelected(k);
    return s;
}

int PickerStrip::counter() const
{
    return redCountLabel->text().toInt();
}

void PickerStrip::setCounter(int value)
{
    redCountLabel->setText(QString::number(value));
}

void PickerStrip::redToggled(int, bool selected)
{
    setCounter(counter() + (selected ? 1 : -1));
}

void PickerStrip::selectAllReds()
{
    m_reds->setAll(true);
    setCounter(33);
}

void PickerStrip::invertReds()
{
    setCounter(33 - counter());
    m_reds->invert();
}

void PickerStrip::clearReds()
{
    m_reds->setAll(false);
    setCounter(0);
}

void PickerStrip::selectAllBlues()
{
    m_blues->setAll(true);
}

void PickerStrip::invertBlues()
{
    m_blues->invert();
}

void PickerStrip::clearBlues()
{
    m_blues->setAll(false);
}

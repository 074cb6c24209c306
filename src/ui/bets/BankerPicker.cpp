#include "ui/bets/BankerPicker.h"

#include "core/bets/Candidates.h"
#include "ui/widgets/BallToggleGrid.h"
#include "ui/widgets/Messages.h"
#include "ui/widgets/Colours.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

BankerPicker::BankerPicker(Messages &messages, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint),
      m_messages(messages)
{
    setObjectName(QStringLiteral("BankerPicker"));
    setWindowTitle(QStringLiteral("号码选择"));
    auto *layout = new QVBoxLayout(this);
    auto *frame = new QGroupBox(QStringLiteral("请选择作为胆的号码"), this);
    auto *frameLayout = new QVBoxLayout(frame);
    m_toggles = new BallToggleGrid(33, QStringLiteral("bankerBall"), Colours::red, 6, frame);
    frameLayout->addWidget(m_toggles);
    layout->addWidget(frame);

    auto *buttons = new QHBoxLayout;
    auto *reset = new QPushButton(QStringLiteral("重选"), this);
    reset->setObjectName(QStringLiteral("clearButton"));
    auto *ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setAutoDefault(false);
    reset->setAutoDefault(false);
    buttons->addStretch(1);
    buttons->addWidget(reset);
    buttons->addWidget(ok);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(reset, &QPushButton::clicked, this, &BankerPicker::clearPick);
    connect(ok, &QPushButton::clicked, this, &BankerPicker::acceptPick);
}

void BankerPicker::acceptPick()
{
    const std::vector<bool> s = m_toggles->selection();
    std::array<bool, 33> picked{};
    for (std::size_t i = 0; i < picked.size(); ++i)
        picked[i] = s[i];
    const BankerPick pick = buildBankerText(picked);
    m_bankerText = pick.text;
    if (pick.accepted)
        accept();
    else
        m_messages.information(this, kTooManyBankersMessage);
}

void BankerPicker::clearPick()
{
    m_toggles->setAll(false);
}

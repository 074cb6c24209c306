#include "ui/widgets/RollUpPanel.h"
#include "ui/widgets/Colours.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const int kCaptionHeight = 20;
}

RollUpPanel::RollUpPanel(const QString &caption, int height, QWidget *parent)
    : QWidget(parent), m_content(new QWidget(this)), m_roll(new QToolButton(this)), m_height(height)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *bar = new QFrame(this);
    bar->setObjectName(QStringLiteral("rollUpCaption"));
    bar->setFixedHeight(kCaptionHeight);
    bar->setAutoFillBackground(true);
    QPalette pal = bar->palette();
    pal.setColor(QPalette::Window, Colours::captionBar);
    pal.setColor(QPalette::WindowText, Colours::captionText);
    bar->setPalette(pal);
    auto *barLayout = new QHBoxLayout(bar);
    barLayout->setContentsMargins(6, 0, 2, 0);
    auto *title = new QLabel(caption, bar);
    QFont f = title->font();
    f.setBold(true);
    title->setFont(f);
    barLayout->addWidget(title);
    barLayout->addStretch(1);
    m_roll->setObjectName(QStringLiteral("rollButton"));
    m_roll->setAutoRaise(true);
    m_roll->setArrowType(Qt::DownArrow);
    barLayout->addWidget(m_roll);
    layout->addWidget(bar);
    layout->addWidget(m_content, 1);
    setFixedHeight(m_height);
    connect(m_roll, &QToolButton::clicked, this, [this] { setRolledUp(!isRolledUp()); });
}

bool RollUpPanel::isRolledUp() const
{
    return m_content->isHidden();
}

void RollUpPanel::setRolledUp(bool up)
{
    m_content->setHidden(up);
    m_roll->setArrowType(up ? Qt::UpArrow : Qt::DownArrow);
    setFixedHeight(up ? kCaptionHeight : m_height);
}

#include "ui/widgets/BallToggleGrid.h"

#include "ui/widgets/Colours.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QPushButton>

BallToggleGrid::BallToggleGrid(int count, const QString &namePrefix, const QColor &selectedColour, int columns,
                               QWidget *parent)
    : QWidget(parent), m_count(count), m_selectedColour(selectedColour), m_face(palette().color(QPalette::Button)), m_group(new QButtonGroup(this))
{
    m_group->setExclusive(false);
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    for (int ball = 1; ball <= count; ++ball) {
        auto *b = new QPushButton(QStringLiteral("%1").arg(ball, 2, 10, QLatin1Char('0')), this);
        b->setObjectName(namePrefix + QString::number(ball));
        b->setCheckable(true);
        b->setFixedSize(26, 24);
        b->setFocusPolicy(Qt::NoFocus);
        m_group->addButton(b, ball);
        layout->addWidget(b, (ball - 1) / columns, (ball - 1) % columns);
        paintToggle(b);
    }
    // Every change of state repaints. Every change but setSelected's is the user's and is
    // reported: the state change is the one path all activations share (an accessible Toggle
    // action calls toggle() and never emits clicked).
    connect(m_group, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        paintToggle(m_group->button(id));
        if (!m_settingByCode)
            emit ballToggled(id, checked);
    });
}

bool BallToggleGrid::isSelected(int ball) const
{
    QAbstractButton *b = toggle(ball);
    return b && b->isChecked();
}

void BallToggleGrid::setSelected(int ball, bool selected)
{
    if (QAbstractButton *b = toggle(ball)) {
        m_settingByCode = true;
        b->setChecked(selected);
        m_settingByCode = false;
    }
}

void BallToggleGrid::setAll(bool selected)
{
    for (int ball = 1; ball <= m_count; ++ball)
        setSelected(ball, selected);
}

void BallToggleGrid::invert()
{
    for (int ball = 1; ball <= m_count; ++ball)
        setSelected(ball, !isSelected(ball));
}

std::vector<bool> BallToggleGrid::selection() const
{
    std::vector<bool> s(static_cast<std::size_t>(m_count));
    for (int ball = 1; ball <= m_count; ++ball)
        s[std::size_t(ball - 1)] = isSelected(ball);
    return s;
}

QAbstractButton *BallToggleGrid::toggle(int ball) const
{
    return m_group->button(ball);
}

QColor BallToggleGrid::colour(int ball) const
{
    QAbstractButton *b = toggle(ball);
    return b ? b->palette().color(QPalette::Button) : QColor();
}

void BallToggleGrid::paintToggle(QAbstractButton *button)
{
    // The colour is the state the user sees, whatever the style does with a checked button.
    const QColor c = button->isChecked() ? m_selectedColour : m_face;
    QPalette pal = button->palette();
    pal.setColor(QPalette::Button, c);
    button->setPalette(pal);
    button->setStyleSheet(QStringLiteral("QPushButton{background:%1;border:1px solid %2;border-radius:2px;}")
                              .arg(c.name(), Colours::toggleBorder.name()));
}

#include "ui/bets/NumberGroupBox.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

namespace {
QSpinBox *countBox(const QString &name, int value, QWidget *parent)
{
    auto *box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(0, kNumberGroupMaxCount);
    box->setValue(value);
    return box;
}
} // namespace

NumberGroupBox::NumberGroupBox(QWidget *parent) : QGroupBox(QStringLiteral("号码组过滤"), parent)
{
    setObjectName(QStringLiteral("numberGroupBox"));
    auto *grid = new QGridLayout(this);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(3);
    const NumberGroupSetting unused;
    for (int i = 0; i < kNumberGroupCount; ++i) {
        Row &row = m_rows[std::size_t(i)];
        const QString prefix = QStringLiteral("group%1").arg(i + 1);
        row.balls = new QLineEdit(this);
        row.balls->setObjectName(prefix + QStringLiteral("BallsEdit"));
        row.balls->setPlaceholderText(QStringLiteral("03 07 11 19"));
        row.minimum = countBox(prefix + QStringLiteral("MinBox"), unused.minimum, this);
        row.maximum = countBox(prefix + QStringLiteral("MaxBox"), unused.maximum, this);
        auto *name = new QLabel(QStringLiteral("号码组%1").arg(i + 1), this);
        name->setBuddy(row.balls);
        auto *count = new QLabel(QStringLiteral("个数"), this);
        count->setBuddy(row.minimum);
        auto *to = new QLabel(QStringLiteral("至"), this);
        to->setBuddy(row.maximum);
        grid->addWidget(name, i, 0);
        grid->addWidget(row.balls, i, 1);
        grid->addWidget(count, i, 2);
        grid->addWidget(row.minimum, i, 3);
        grid->addWidget(to, i, 4);
        grid->addWidget(row.maximum, i, 5);
    }
    grid->setColumnStretch(1, 1);
}

NumberGroupSettings NumberGroupBox::settings() const
{
    NumberGroupSettings s;
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] = {m_rows[i].balls->text(), m_rows[i].minimum->value(), m_rows[i].maximum->value()};
    return s;
}

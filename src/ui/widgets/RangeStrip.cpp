#include "ui/widgets/RangeStrip.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <utility>

RangeStrip::RangeStrip(const QString &fromName, const QString &toName, QWidget *parent)
    : QWidget(parent), m_from(new QComboBox(this)), m_to(new QComboBox(this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_from->setObjectName(fromName);
    m_to->setObjectName(toName);
    for (QComboBox *c : {m_from, m_to}) {
        c->setEditable(true);
        c->setMinimumWidth(90);
    }
    // Each caption is its list's buddy, so a screen reader names the list by it.
    for (const auto &[text, list] : {std::pair{QStringLiteral("选择显示期数："), m_from}, std::pair{QStringLiteral("至"), m_to}}) {
        auto *caption = new QLabel(text, this);
        caption->setBuddy(list);
        layout->addWidget(caption);
        layout->addWidget(list);
    }
}

void fillRangeLists(QComboBox *from, QComboBox *to, const QStringList &numbers, int n)
{
    from->clear();
    to->clear();
    from->addItems(numbers);
    to->addItems(numbers);
    const int count = int(numbers.size());
    if (count == 0)
        return;
    from->setCurrentIndex(std::max(0, count - n));
    to->setCurrentIndex(count - 1);
}

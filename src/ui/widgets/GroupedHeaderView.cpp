#include "ui/widgets/GroupedHeaderView.h"

#include <QPainter>
#include <QStyleOptionHeader>

GroupedHeaderView::GroupedHeaderView(int levelsRole, int levelCount, QWidget *parent)
    : QHeaderView(Qt::Horizontal, parent), m_role(levelsRole), m_levelCount(levelCount)
{
    setSectionsClickable(false);
    setSectionResizeMode(QHeaderView::Fixed);
    setHighlightSections(false);
    setMinimumSectionSize(4);  // ball columns are 16 pixels by default
}

int GroupedHeaderView::levelHeight() const
{
    return fontMetrics().height() + 6;
}

QSize GroupedHeaderView::sizeHint() const
{
    QSize size = QHeaderView::sizeHint();
    size.setHeight(levelHeight() * m_levelCount);
    return size;
}

bool GroupedHeaderView::shareUpTo(const QStringList &la, const QStringList &lb, int level)
{
    // Only an upper level is shared: both must have a level below it.
    if (la.size() <= level + 1 || lb.size() <= level + 1)
        return false;
    for (int i = 0; i <= level; ++i)
        if (la[i] != lb[i])
            return false;
    return true;
}

void GroupedHeaderView::paintCell(QPainter &painter, const QRect &rect, const QString &text) const
{
    QStyleOptionHeader option;
    option.initFrom(this);
    option.rect = rect;
    option.orientation = Qt::Horizontal;
    option.position = QStyleOptionHeader::Middle;
    style()->drawControl(QStyle::CE_HeaderSection, &option, &painter, this);
    painter.setPen(palette().color(QPalette::ButtonText));
    // Wrap only what cannot fit on one line; two digits in a narrow column stay together.
    const bool fits = painter.fontMetrics().horizontalAdvance(text) <= rect.width();
    painter.drawText(rect, Qt::AlignCenter | (fits ? 0 : Qt::TextWrapAnywhere), text);
}

void GroupedHeaderView::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    const int n = count();
    QVector<QStringList> levels(n);
    for (int section = 0; section < n && model(); ++section)
        levels[section] = model()->headerData(section, orientation(), m_role).toStringList();
    const int h = levelHeight();
    const int total = viewport()->height();
    for (int section = 0; section < n; ++section) {
        if (isSectionHidden(section))
            continue;
        const QStringList &titles = levels[section];
        for (int level = 0; level < titles.size(); ++level) {
            const bool lowest = level == titles.size() - 1;
            if (lowest) {
                const QRect rect(sectionViewportPosition(section), level * h, sectionSize(section), total - level * h);
                paintCell(painter, rect, titles[level]);
                continue;
            }
            // A shared cell is painted once, from its first section.
            if (section > 0 && !isSectionHidden(section - 1) && shareUpTo(levels[section - 1], titles, level))
                continue;
            int last = section;
            while (last + 1 < n && !isSectionHidden(last + 1) && shareUpTo(levels[last + 1], titles, level))
                ++last;
            const int left = sectionViewportPosition(section);
            const int right = sectionViewportPosition(last) + sectionSize(last);
            paintCell(painter, QRect(left, level * h, right - left, h), titles[level]);
        }
    }
}

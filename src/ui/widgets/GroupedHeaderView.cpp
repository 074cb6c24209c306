#include "ui/widgets/GroupedHeaderView.h"

#include <QPainter>
#include <algorithm>
#include <cstdlib>
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

namespace {

// Titles shrink to this size at the least before they give up fitting.
const int kSmallestTitlePixels = 9;
// Room kept free at each side of a title, so narrow neighbours never run together: wide
// characters bring some of their own, digits and letters need more ("01" "02" must not read "0102").
const int kWideTitleMargin = 1;
const int kNarrowTitleMargin = 2;

bool isWide(QChar c)
{
    return c.unicode() >= 0x2e80;  // CJK characters and full-width forms
}

// Where a title may go on to a second line: at a blank, before an opening bracket, or between
// two characters of a title of four or more wide characters (their words are two or three
// characters long: "蓝球|号码", "快乐|星期天"). Never inside a run of digits or letters.
QVector<int> breakPoints(const QString &text)
{
    QVector<int> points;
    int wide = 0;
    for (QChar c : text)
        wide += isWide(c) ? 1 : 0;
    for (int i = 1; i < text.size(); ++i) {
        const QChar before = text[i - 1], here = text[i];
        if (here == QLatin1Char(' ') || here == QChar(0xff08) || here == QLatin1Char('('))
            points.append(i);
        else if (wide >= 4 && isWide(before) && isWide(here) && i >= 2 && text.size() - i >= 2)
            points.append(i);
    }
    // Nearest the middle first.
    std::sort(points.begin(), points.end(), [&](int a, int b) {
        return std::abs(2 * a - int(text.size())) < std::abs(2 * b - int(text.size()));
    });
    return points;
}

} // namespace

GroupedHeaderView::TitleLayout GroupedHeaderView::fitTitle(const QString &text, const QSize &room) const
{
    // The header's own font when the title fits; else the largest smaller one with which it fits
    // on one line, or on two lines broken at a sensible point.
    const bool narrowOnly = std::none_of(text.begin(), text.end(), isWide);
    const int width = room.width() - 2 * (narrowOnly ? kNarrowTitleMargin : kWideTitleMargin);
    const QVector<int> points = breakPoints(text);
    const auto split = [&text](int at) {
        return QStringList{text.left(at).trimmed(), text.mid(at).trimmed()};
    };
    QFont font = this->font();
    const int largest = QFontInfo(font).pixelSize();
    const int smallest = std::min(largest, kSmallestTitlePixels);
    for (int pixels = largest; pixels >= smallest; --pixels) {
        font.setPixelSize(pixels);
        const QFontMetrics metrics(font);
        if (metrics.horizontalAdvance(text) <= width && metrics.height() <= room.height())
            return {font, {text}};
        for (int at : points) {
            const QStringList lines = split(at);
            if (std::max(metrics.horizontalAdvance(lines[0]), metrics.horizontalAdvance(lines[1])) <= width
                && metrics.height() + metrics.lineSpacing() <= room.height())
                return {font, lines};
        }
    }
    // Nothing fits: the smallest font, broken in the middle where the title may be.
    return {font, points.isEmpty() ? QStringList{text} : split(points.first())};
}

void GroupedHeaderView::paintCell(QPainter &painter, const QRect &rect, const QString &text) const
{
    QStyleOptionHeader option;
    option.initFrom(this);
    option.rect = rect;
    option.orientation = Qt::Horizontal;
    option.position = QStyleOptionHeader::Middle;
    style()->drawControl(QStyle::CE_HeaderSection, &option, &painter, this);
    painter.save();
    painter.setPen(palette().color(QPalette::ButtonText));
    const TitleLayout title = fitTitle(text, rect.size());
    painter.setFont(title.font);
    painter.setClipRect(rect);
    painter.drawText(rect, Qt::AlignCenter, title.lines.join(QLatin1Char('\n')));
    painter.restore();
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

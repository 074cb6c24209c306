#include "ui/widgets/FooterRow.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>

FooterRow::FooterRow(QTableView *table, int frozenCount, QWidget *parent)
    : QWidget(parent), m_table(table), m_frozenCount(frozenCount)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    auto repaint = [this] { update(); };
    connect(table->horizontalScrollBar(), &QScrollBar::valueChanged, this, repaint);
    connect(table->horizontalHeader(), &QHeaderView::sectionResized, this, repaint);
    connect(table->horizontalHeader(), &QHeaderView::geometriesChanged, this, repaint);
}

void FooterRow::setText(int column, const QString &text)
{
    if (column < 0)
        return;
    if (m_texts.size() <= column)
        m_texts.resize(column + 1);
    m_texts[column] = text;
    update();
}

QSize FooterRow::sizeHint() const
{
    return QSize(100, fontMetrics().height() + 8);
}

void FooterRow::paintCell(QPainter &p, const QRect &rect, const QString &text) const
{
    p.fillRect(rect, m_background);
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(rect.adjusted(0, 0, -1, -1));
    p.setPen(palette().color(QPalette::Text));
    p.drawText(rect, Qt::AlignCenter, text);
}

void FooterRow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), m_background);
    const QHeaderView *header = m_table->horizontalHeader();
    // The footer sits right under the table; the table's viewport starts after its frame and row header.
    const int origin = m_table->viewport()->geometry().left() + (m_table->geometry().left() - geometry().left());
    int frozenRight = origin;
    for (int c = 0; c < m_frozenCount && c < header->count(); ++c)
        frozenRight += header->sectionSize(c);

    p.save();
    p.setClipRect(QRect(frozenRight, 0, width() - frozenRight, height()));
    for (int c = m_frozenCount; c < header->count(); ++c) {
        if (header->isSectionHidden(c))
            continue;
        const QRect cell(origin + header->sectionViewportPosition(c), 0, header->sectionSize(c), height());
        if (cell.right() >= frozenRight && cell.left() <= width())
            paintCell(p, cell, m_texts.value(c));
    }
    p.restore();
    int x = origin;
    for (int c = 0; c < m_frozenCount && c < header->count(); ++c) {
        paintCell(p, QRect(x, 0, header->sectionSize(c), height()), m_texts.value(c));
        x += header->sectionSize(c);
    }
}

#pragma once
// One row of static texts under a table's columns, kept in line with the
// table's header as it scrolls sideways. Columns up to frozenCount stay put.
#include <QColor>
#include <QVector>
#include <QWidget>

class QTableView;

class FooterRow : public QWidget {
    Q_OBJECT
public:
    FooterRow(QTableView *table, int frozenCount, QWidget *parent = nullptr);

    void setBackground(const QColor &colour) { m_background = colour; update(); }
    void setText(int column, const QString &text);
    QString text(int column) const { return m_texts.value(column); }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void paintCell(class QPainter &p, const QRect &rect, const QString &text) const;

    QTableView *m_table;
    int m_frozenCount;
    QColor m_background;
    QVector<QString> m_texts;
};

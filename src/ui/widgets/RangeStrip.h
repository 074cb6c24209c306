#pragma once
// Two editable drop-down lists of draw numbers, "from" and "to", with their labels.
#include <QWidget>

class QComboBox;

class RangeStrip : public QWidget {
    Q_OBJECT
public:
    RangeStrip(const QString &fromName, const QString &toName, QWidget *parent = nullptr);
    QComboBox *from() const { return m_from; }
    QComboBox *to() const { return m_to; }

private:
    QComboBox *m_from;
    QComboBox *m_to;
};

// Fills a from/to pair with every draw number and preselects the last N draws:
// "from" at position count - N (the first when that is below 0), "to" at the last.
void fillRangeLists(QComboBox *from, QComboBox *to, const QStringList &numbers, int n);

#pragma once
// The group "号码组过滤": five rows, each a line of red balls and the fewest and most of them a
// kept bet may hold. A row takes part in "条件过滤" when its line is not blank; the text is
// read as typed, and refused with a message naming the row when it is no list of balls.
#include "core/bets/NumberGroups.h"

#include <QGroupBox>
#include <array>

class QLineEdit;
class QSpinBox;

class NumberGroupBox : public QGroupBox {
    Q_OBJECT
public:
    explicit NumberGroupBox(QWidget *parent = nullptr);

    // Row 0..4 ("号码组1".."号码组5").
    QLineEdit *ballsEdit(int row) const { return m_rows[std::size_t(row)].balls; }
    QSpinBox *minimumBox(int row) const { return m_rows[std::size_t(row)].minimum; }
    QSpinBox *maximumBox(int row) const { return m_rows[std::size_t(row)].maximum; }

    NumberGroupSettings settings() const;

private:
    struct Row {
        QLineEdit *balls = nullptr;
        QSpinBox *minimum = nullptr;
        QSpinBox *maximum = nullptr;
    };
    std::array<Row, kNumberGroupCount> m_rows;
};

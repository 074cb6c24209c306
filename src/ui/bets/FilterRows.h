#pragma once
// The seventeen filter rows in the groups "常规过滤条件设置" and "高级过滤条件设置", built from
// one table: a check box, a lower and an upper editable drop-down box joined by "至". The boxes
// are usable only while their check box is ticked and keep their text while not. Beside them
// stands the spin box "容错": how many ticked conditions a kept bet may fail. Below them stands
// the group "号码组过滤" (NumberGroupBox), read back with the rows.
#include "core/bets/Filters.h"

#include <QObject>
#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QSpinBox;
class QWidget;
class NumberGroupBox;

class FilterRows : public QObject {
    Q_OBJECT
public:
    explicit FilterRows(QWidget *parent);

    QGroupBox *regularGroup() const { return m_regular; }
    QGroupBox *advancedGroup() const { return m_advanced; }

    QCheckBox *checkBox(int condition) const { return m_rows[std::size_t(condition)].check; }
    QComboBox *lowerBox(int condition) const { return m_rows[std::size_t(condition)].lower; }
    QComboBox *upperBox(int condition) const { return m_rows[std::size_t(condition)].upper; }
    // "容错" 0..3 and its label; the betting tab puts them beside "条件过滤".
    QSpinBox *toleranceBox() const { return m_tolerance; }
    QLabel *toleranceLabel() const { return m_toleranceLabel; }
    NumberGroupBox *numberGroupBox() const { return m_numberGroups; }

    // What the rows hold now, in condition order, and the number groups.
    FilterSettings settings() const;

private:
    struct Row {
        QCheckBox *check = nullptr;
        QComboBox *lower = nullptr;
        QComboBox *upper = nullptr;
    };
    QGroupBox *m_regular;
    QGroupBox *m_advanced;
    QSpinBox *m_tolerance;
    QLabel *m_toleranceLabel;
    NumberGroupBox *m_numberGroups;
    std::array<Row, kConditionCount> m_rows;
};

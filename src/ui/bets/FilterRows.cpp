#include "ui/bets/FilterRows.h"

#include "ui/bets/NumberGroupBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>

namespace {
// The rows of 连号个数 .. 极号和 stand in the advanced group, the others in the regular one.
bool isAdvanced(Condition c)
{
    return c >= Condition::Consecutive && c <= Condition::Ends;
}

// A row's controls are named after its condition's short name: "sumCheckBox", "sumLowerBox",
// "sumUpperBox".
QString controlName(const FilterCondition &c, const char *role)
{
    return QLatin1String(c.key) + QLatin1String(role);
}

QComboBox *boundBox(const QString &name, const FilterCondition &c, int value, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    for (int v = c.firstItem; v <= c.lastItem; ++v)
        box->addItem(QString::number(v));
    box->setCurrentText(QString::number(value));
    box->setFixedWidth(52);
    box->setEnabled(false);
    return box;
}
} // namespace

FilterRows::FilterRows(QWidget *parent)
    : QObject(parent),
      m_regular(new QGroupBox(QStringLiteral("常规过滤条件设置"), parent)),
      m_advanced(new QGroupBox(QStringLiteral("高级过滤条件设置"), parent)),
      m_tolerance(new QSpinBox(parent)),
      m_toleranceLabel(new QLabel(QStringLiteral("容错"), parent)),
      m_numberGroups(new NumberGroupBox(parent))
{
    m_tolerance->setObjectName(QStringLiteral("toleranceBox"));
    m_tolerance->setRange(0, kMaxFilterTolerance);
    m_tolerance->setValue(0);
    m_toleranceLabel->setBuddy(m_tolerance);
    auto *regular = new QGridLayout(m_regular);
    auto *advanced = new QGridLayout(m_advanced);
    for (auto *g : {regular, advanced}) {
        g->setHorizontalSpacing(4);
        g->setVerticalSpacing(3);
    }
    int regularCount = 0, advancedCount = 0;
    for (int i = 0; i < kConditionCount; ++i) {
        const FilterCondition &c = kFilterConditions[std::size_t(i)];
        const bool advancedRow = isAdvanced(Condition(i));
        QGroupBox *group = advancedRow ? m_advanced : m_regular;
        Row &row = m_rows[std::size_t(i)];
        row.check = new QCheckBox(QString::fromUtf8(c.caption), group);
        row.check->setObjectName(controlName(c, "CheckBox"));
        row.lower = boundBox(controlName(c, "LowerBox"), c, c.defaultLower, group);
        row.upper = boundBox(controlName(c, "UpperBox"), c, c.defaultUpper, group);
        auto *to = new QLabel(QStringLiteral("至"), group);
        to->setBuddy(row.upper);
        connect(row.check, &QCheckBox::toggled, this, [row](bool on) {
            row.lower->setEnabled(on);
            row.upper->setEnabled(on);
        });
        // The regular group stands in two columns of six rows, the advanced group in one.
        const int k = advancedRow ? advancedCount++ : regularCount++;
        const int line = advancedRow ? k : k % 6;
        const int col = advancedRow ? 0 : (k / 6) * 5;
        QGridLayout *g = advancedRow ? advanced : regular;
        g->addWidget(row.check, line, col);
        g->addWidget(row.lower, line, col + 1);
        g->addWidget(to, line, col + 2);
        g->addWidget(row.upper, line, col + 3);
        if (!advancedRow && k < 6)
            g->setColumnMinimumWidth(col + 4, 10);
    }
    advanced->setRowStretch(advancedCount, 1);
    // Rows packed to the left; the room left over stays at the right.
    regular->setColumnStretch(9, 1);
    advanced->setColumnStretch(4, 1);
}

FilterSettings FilterRows::settings() const
{
    FilterSettings s;
    for (std::size_t i = 0; i < s.size(); ++i) {
        s[i].ticked = m_rows[i].check->isChecked();
        s[i].lower = m_rows[i].lower->currentText();
        s[i].upper = m_rows[i].upper->currentText();
    }
    s.tolerance = m_tolerance->value();
    s.groups = m_numberGroups->settings();
    return s;
}

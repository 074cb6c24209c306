#include "ui/bets/FilterRows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

namespace {
// Control names of the rows, in condition order (the order of kFilterConditions), and the
// group each row sits in.
struct RowNames {
    const char *checkBox;
    const char *lowerBox;
    const char *upperBox;
    bool advanced;
};
const std::array<RowNames, kConditionCount> kRowNames = {{
    {"SeSkinCheckBox3", "CMB3", "CMB4", false},
    {"SeSkinCheckBox4", "cmb5", "cmb6", false},
    {"SeSkinCheckBox5", "Cmb7", "cmb8", false},
    {"SeSkinCheckBox6", "cmb9", "cmb10", false},
    {"SeSkinCheckBox7", "cmb11", "cmb12", false},
    {"SeSkinCheckBox8", "cmb13", "cmb14", false},
    {"SeSkinCheckBox22", "cmb15", "cmb16", true},
    {"SeSkinCheckBox23", "cmb17", "cmb18", true},
    {"SeSkinCheckBox2", "cmb31", "cmb32", true},
    {"SeSkinCheckBox9", "cmb33", "cmb34", true},
    {"SeSkinCheckBox10", "cmb35", "cmb36", true},
    {"SeSkinCheckBox11", "cmb19", "cmb20", false},
    {"SeSkinCheckBox12", "cmb21", "cmb22", false},
    {"SeSkinCheckBox13", "cmb23", "cmb24", false},
    {"SeSkinCheckBox14", "cmb25", "cmb26", false},
    {"SeSkinCheckBox15", "cmb27", "cmb28", false},
    {"SeSkinCheckBox16", "cmb29", "cmb30", false},
}};

QComboBox *boundBox(const char *name, const FilterCondition &c, int value, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
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
      m_advanced(new QGroupBox(QStringLiteral("高级过滤条件设置"), parent))
{
    auto *regular = new QGridLayout(m_regular);
    auto *advanced = new QGridLayout(m_advanced);
    for (auto *g : {regular, advanced}) {
        g->setHorizontalSpacing(4);
        g->setVerticalSpacing(3);
    }
    int regularCount = 0, advancedCount = 0;
    for (int i = 0; i < kConditionCount; ++i) {
        const FilterCondition &c = kFilterConditions[std::size_t(i)];
        const RowNames &n = kRowNames[std::size_t(i)];
        QGroupBox *group = n.advanced ? m_advanced : m_regular;
        Row &row = m_rows[std::size_t(i)];
        row.check = new QCheckBox(QString::fromUtf8(c.caption), group);
        row.check->setObjectName(QString::fromLatin1(n.checkBox));
        row.lower = boundBox(n.lowerBox, c, c.defaultLower, group);
        row.upper = boundBox(n.upperBox, c, c.defaultUpper, group);
        auto *to = new QLabel(QStringLiteral("至"), group);
        to->setBuddy(row.upper);
        connect(row.check, &QCheckBox::toggled, this, [row](bool on) {
            row.lower->setEnabled(on);
            row.upper->setEnabled(on);
        });
        // The regular group stands in two columns of six rows, the advanced group in one.
        const int k = n.advanced ? advancedCount++ : regularCount++;
        const int line = n.advanced ? k : k % 6;
        const int col = n.advanced ? 0 : (k / 6) * 5;
        QGridLayout *g = n.advanced ? advanced : regular;
        g->addWidget(row.check, line, col);
        g->addWidget(row.lower, line, col + 1);
        g->addWidget(to, line, col + 2);
        g->addWidget(row.upper, line, col + 3);
        if (!n.advanced && k < 6)
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
    return s;
}

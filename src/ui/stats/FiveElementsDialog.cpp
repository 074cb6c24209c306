#include "ui/stats/FiveElementsDialog.h"

#include "core/stats/FiveElements.h"
#include "ui/stats/StatsGridView.h"
#include "ui/stats/StatsTableModel.h"
#include "ui/widgets/Colours.h"

#include <QLabel>
#include <QVBoxLayout>

FiveElementsDialog::FiveElementsDialog(QSqlDatabase db, Messages &messages, int drawCount, QWidget *parent)
    : StatsDialog(db, messages, drawCount,
                  {QStringLiteral("FiveElementsDialog"), QStringLiteral("五行分析"), nullptr, DefaultStart::FirstDraw,
                   false, QStringLiteral("切    换")},
                  parent)
{
    // The legend: one line per element, one under the other.
    auto *legend = new QVBoxLayout;
    legend->setSpacing(2);
    const QStringList lines = {
        QStringLiteral("金＝09，10，21，22，33"),
        QStringLiteral("木＝03，04，15，16，27，28"),
        QStringLiteral("水＝01，12，13，24，25"),
        QStringLiteral("火＝06，07，18，19，30，31"),
        QStringLiteral("土＝02，05，08，11，14，17，20，23，26，29，32"),
    };
    for (int i = 0; i < lines.size(); ++i) {
        auto *label = new QLabel(lines[i], this);
        label->setObjectName(QStringLiteral("legend%1").arg(i + 1));
        label->setStyleSheet(Colours::textStyle(Colours::metal));
        legend->addWidget(label);
    }
    body()->addLayout(legend);

    QVector<StatsTableModel::ColumnLook> looks{{55, {}, {}, true}};
    for (int i = 0; i < 7; ++i)
        looks.append({30, {}, {}, true});
    looks.append({50, {}, {}, true});
    for (int i = 0; i < 7; ++i)
        looks.append({40, {}, {}, true});
    model()->setColumnLooks(looks);
    model()->setMarkLook(CellMark::Plain, {QColor(), QColor(), false, QPoint(-1, 2)});
    model()->setMarkLook(CellMark::Element, {QColor(), QColor(), false, QPoint(15, 2)});
    model()->setTextColour(QStringLiteral("金"), Colours::metal);
    model()->setTextColour(QStringLiteral("木"), Colours::wood);
    model()->setTextColour(QStringLiteral("水"), Colours::water);
    model()->setTextColour(QStringLiteral("火"), Colours::fire);
    model()->setTextColour(QStringLiteral("土"), Colours::earth);
    addRecordGrid(3, FiveElements::columns());
    resize(720, 600);

    // "退    出" closes a dialog without deleting it: the instance and its grid stay.
}

void FiveElementsDialog::clearGrid()
{
    model()->setTable(titledTable(FiveElements::columns()));
}

void FiveElementsDialog::prepare()
{
    // Rows left in wuxing by an earlier run are not shown again until the user runs.
    clearGrid();
}

void FiveElementsDialog::runRange(const QString &from, const QString &to)
{
    clearGrid();
    const Outcome rebuilt = FiveElements::rebuild(database(), from, to);
    if (!rebuilt.ok()) {
        showOutcome(rebuilt);
        return;
    }
    const StatsResult result = FiveElements::table(database());
    if (!result.outcome.ok())
        showOutcome(result.outcome);
    model()->setTable(result.table);
}

#include "ui/stats/FiveElementsDialog.h"

#include "core/stats/FiveElements.h"
#include "ui/stats/StatsGridView.h"
#include "ui/stats/StatsTableModel.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

FiveElementsDialog::FiveElementsDialog(QSqlDatabase db, Messages &messages, int drawCount, QWidget *parent)
    : StatsDialog(db, messages, drawCount,
                  {QStringLiteral("五行分析"), DefaultStart::FirstDraw, false, QStringLiteral("切    换")}, parent),
      m_model(new StatsTableModel(this))
{
    setObjectName(QStringLiteral("FiveElementsDialog"));
    auto *legend = new QGridLayout;
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
        label->setStyleSheet(QStringLiteral("color: rgb(255, 128, 0);"));
        legend->addWidget(label, i / 3, i % 3);
    }
    body()->addLayout(legend);

    QVector<StatsTableModel::ColumnLook> looks{{55, {}, {}, true}};
    for (int i = 0; i < 7; ++i)
        looks.append({30, {}, {}, true});
    looks.append({50, {}, {}, true});
    for (int i = 0; i < 7; ++i)
        looks.append({40, {}, {}, true});
    m_model->setColumnLooks(looks);
    m_model->setMarkLook(CellMark::Plain, {QColor(), QColor(), false, QPoint(-1, 2)});
    m_model->setMarkLook(CellMark::Element, {QColor(), QColor(), false, QPoint(15, 2)});
    m_model->setTextColour(QStringLiteral("金"), QColor(255, 128, 0));
    m_model->setTextColour(QStringLiteral("木"), QColor(0, 128, 0));
    m_model->setTextColour(QStringLiteral("水"), QColor(64, 128, 128));
    m_model->setTextColour(QStringLiteral("火"), QColor(255, 0, 0));
    m_model->setTextColour(QStringLiteral("土"), QColor(128, 0, 64));
    clearGrid();

    m_grid = addRecordGrid(m_model, 3);
    resize(720, 600);

    // "退    出" closes a dialog without deleting it: the instance and its grid stay.
}

void FiveElementsDialog::clearGrid()
{
    StatsTable empty;
    for (const auto &c : FiveElements::columns())
        empty.titles.append(c.title);
    m_model->setTable(empty);
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
    m_model->setTable(result.table);
}

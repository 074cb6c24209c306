#include "ui/prize/BacktestTableModel.h"

#include "core/history/DrawAttributes.h"

#include <QBrush>
#include <QFont>

namespace {
QString ballsText(const PrizeCheck::DrawBalls &balls)
{
    QStringList reds;
    for (int r : balls.reds)
        reds << ballText(r);
    return reds.join(QLatin1Char(' ')) + QLatin1Char('+') + ballText(balls.blue);
}

bool moneyUnknown(const Backtest::DrawReturn &money)
{
    return money.floatingUnknown || money.fortuneUnknown;
}

QString moneyText(const Backtest::DrawReturn &money)
{
    return QString::number(money.wonYuan) + (moneyUnknown(money) ? QStringLiteral("*") : QString());
}
} // namespace

BacktestTableModel::BacktestTableModel(QObject *parent) : QAbstractTableModel(parent) {}

QString BacktestTableModel::unknownMoneyText(const Backtest::DrawReturn &money)
{
    QStringList lines;
    if (money.floatingUnknown)
        lines << QStringLiteral("* 中了一等奖或二等奖，但历史中没有该期开奖公告的奖金，奖金只计已知部分。");
    if (money.fortuneUnknown)
        lines << QStringLiteral("* 历史中没有该期是否设福运奖的记录，3个红球的投注未计奖。");
    return lines.join(QLatin1Char('\n'));
}

void BacktestTableModel::setReport(const Backtest::Report &report)
{
    beginResetModel();
    m_report = report;
    m_shown = true;
    endResetModel();
}

int BacktestTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_shown ? 0 : int(m_report.rows.size()) + 1;
}

int BacktestTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant BacktestTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= ColumnCount)
        return {};
    const bool totals = index.row() == totalsRow();
    const Backtest::DrawReturn &money = totals ? m_report.total : m_report.rows[std::size_t(index.row())].money;
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole: {
        if (column >= FirstPrizeColumn && column < MoneyColumn) {
            const std::size_t level = std::size_t(column - FirstPrizeColumn);
            return QString::number(totals ? m_report.totalCounts[level] : m_report.rows[std::size_t(index.row())].counts[level]);
        }
        switch (column) {
        case DrawColumn:
            return totals ? QStringLiteral("合计") : m_report.rows[std::size_t(index.row())].draw.qishu;
        case BallsColumn:
            return totals ? QStringLiteral("%1期").arg(m_report.rows.size()) : ballsText(m_report.rows[std::size_t(index.row())].draw.balls);
        case MoneyColumn:
            return moneyText(money);
        case CostColumn:
            return QString::number(money.costYuan);
        }
        return {};
    }
    case Qt::ToolTipRole:
        if (column == MoneyColumn && moneyUnknown(money))
            return unknownMoneyText(money);
        return {};
    case Qt::TextAlignmentRole:
        return column == BallsColumn ? int(Qt::AlignLeft | Qt::AlignVCenter) : int(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::FontRole:
        if (totals) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::ForegroundRole:
        // A draw that won anything stands out.
        if (!totals && column == MoneyColumn && (money.wonYuan > 0 || moneyUnknown(money)))
            return QBrush(Qt::red);
        return {};
    }
    return {};
}

QVariant BacktestTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return {};
    if (section >= FirstPrizeColumn && section < MoneyColumn)
        return PrizeRules::gradeName(section - FirstPrizeColumn + 1);
    switch (section) {
    case DrawColumn:
        return QStringLiteral("期数");
    case BallsColumn:
        return QStringLiteral("开奖号码");
    case MoneyColumn:
        return QStringLiteral("奖金");
    default:
        return QStringLiteral("投注");
    }
}

#pragma once
// The tab "历史数据分析": the range strip and the history grid over MainQ.
#include <QWidget>

class QComboBox;
class QPushButton;
class QCheckBox;
class QTableView;
class QSqlQueryModel;
class Messages;
#include <QSqlDatabase>

class HistoryTab : public QWidget {
    Q_OBJECT
public:
    HistoryTab(QSqlDatabase db, Messages &messages, QWidget *parent = nullptr);

    QComboBox *cmb1 = nullptr;  // from
    QComboBox *cmb2 = nullptr;  // to
    QTableView *DBGridEh3 = nullptr;
    QSqlQueryModel *MainQ = nullptr;

    void setBallColumnWidths(int redWidth, int blueWidth);
    // "确定": shows the range of cmb1..cmb2.
    void applyRange();

private:
    QSqlDatabase m_db;
    Messages &m_messages;
    int m_redWidth = 16;
    int m_blueWidth = 16;
};

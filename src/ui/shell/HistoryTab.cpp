#include "shell/HistoryTab.h"

#include "widgets/Messages.h"
#include "widgets/RangeStrip.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QTableView>
#include <QVBoxLayout>

HistoryTab::HistoryTab(QSqlDatabase db, Messages &messages, QWidget *parent)
    : QWidget(parent), m_db(db), m_messages(messages)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    auto *tools = new QHBoxLayout;
    auto *range = new RangeStrip(QStringLiteral("cmb1"), QStringLiteral("cmb2"), this);
    cmb1 = range->from();
    cmb2 = range->to();
    tools->addWidget(range);
    auto *ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("btnApply"));
    tools->addWidget(ok);
    tools->addStretch(1);
    layout->addLayout(tools);

    MainQ = new QSqlQueryModel(this);
    DBGridEh3 = new QTableView(this);
    DBGridEh3->setObjectName(QStringLiteral("DBGridEh3"));
    DBGridEh3->setModel(MainQ);
    DBGridEh3->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(DBGridEh3, 1);

    connect(ok, &QPushButton::clicked, this, &HistoryTab::applyRange);
}

void HistoryTab::setBallColumnWidths(int redWidth, int blueWidth)
{
    m_redWidth = redWidth;
    m_blueWidth = blueWidth;
}

void HistoryTab::applyRange()
{
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral("select * from data where qishu >= ? and qishu <= ? order by qishu"));
    q.addBindValue(cmb1->currentText());
    q.addBindValue(cmb2->currentText());
    if (!q.exec()) {
        MainQ->clear();
        m_messages.error(this, q.lastError().text());
        return;
    }
    MainQ->setQuery(std::move(q));
}

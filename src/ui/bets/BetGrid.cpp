#include "ui/bets/BetGrid.h"

#include "core/bets/Paging.h"
#include "ui/bets/BetPageModel.h"

#include <QAbstractListModel>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

// The page box's items "1".."P", made when asked: a full list has 17,722 pages.
class PageNumberModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;
    void setCount(qint64 pages)
    {
        beginResetModel();
        m_pages = int(pages);
        endResetModel();
    }
    int rowCount(const QModelIndex &parent = QModelIndex()) const override { return parent.isValid() ? 0 : m_pages; }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || index.row() >= m_pages || (role != Qt::DisplayRole && role != Qt::EditRole))
            return {};
        return QString::number(index.row() + 1);
    }

private:
    int m_pages = 0;
};

BetGrid::BetGrid(QWidget *parent)
    : QWidget(parent), m_model(new BetPageModel(this)), m_pages(new PageNumberModel(this))
{
    setObjectName(QStringLiteral("betGrid"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    betTable = new QTableView(this);
    betTable->setObjectName(QStringLiteral("betTable"));
    betTable->setModel(m_model);
    betTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    betTable->setSelectionMode(QAbstractItemView::SingleSelection);
    betTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    betTable->verticalHeader()->hide();
    betTable->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    betTable->verticalHeader()->setDefaultSectionSize(16);
    betTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    betTable->horizontalHeader()->setFixedHeight(18);
    const int widths[] = {40, 108, 73, 37};
    for (int c = 0; c < 4; ++c)
        betTable->setColumnWidth(c, widths[c]);
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(9);
    betTable->setFont(font);
    betTable->setWordWrap(false);
    betTable->setContextMenuPolicy(Qt::CustomContextMenu);
    layout->addWidget(betTable, 1);

    contextMenu = new QMenu(this);
    contextMenu->setObjectName(QStringLiteral("contextMenu"));
    auto item = [this](const char *name, const QString &text) {
        QAction *a = contextMenu->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    deleteAction = item("deleteAction", QStringLiteral("删除选中行"));
    contextMenu->addSeparator();
    reduceBy5Action = item("reduceBy5Action", QStringLiteral("保5号缩水"));
    reduceBy4Action = item("reduceBy4Action", QStringLiteral("保4号缩水"));
    reduceBy3Action = item("reduceBy3Action", QStringLiteral("保3号缩水"));
    connect(deleteAction, &QAction::triggered, this, &BetGrid::deleteRequested);
    connect(reduceBy5Action, &QAction::triggered, this, [this] { emit reduceRequested(5); });
    connect(reduceBy4Action, &QAction::triggered, this, [this] { emit reduceRequested(4); });
    connect(reduceBy3Action, &QAction::triggered, this, [this] { emit reduceRequested(3); });
    connect(betTable, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { contextMenu->popup(betTable->viewport()->mapToGlobal(pos)); });

    auto *pager = new QHBoxLayout;
    pageCountLabel = new QLabel(this);
    pageCountLabel->setObjectName(QStringLiteral("pageCountLabel"));
    betCountLabel = new QLabel(this);
    betCountLabel->setObjectName(QStringLiteral("betCountLabel"));
    pageCountLabel->hide();
    betCountLabel->hide();
    pageBox = new QComboBox(this);
    pageBox->setObjectName(QStringLiteral("pageBox"));
    pageBox->setEditable(true);
    pageBox->setInsertPolicy(QComboBox::NoInsert);
    pageBox->setModel(m_pages);
    pageBox->setMinimumWidth(70);
    auto *pageLabel = new QLabel(QStringLiteral("第"), this);
    pageLabel->setBuddy(pageBox);
    previousPageButton = new QPushButton(QStringLiteral("上一页"), this);
    previousPageButton->setObjectName(QStringLiteral("previousPageButton"));
    nextPageButton = new QPushButton(QStringLiteral("下一页"), this);
    nextPageButton->setObjectName(QStringLiteral("nextPageButton"));
    pager->addWidget(pageCountLabel);
    pager->addWidget(betCountLabel);
    pager->addStretch(1);
    pager->addWidget(pageLabel);
    pager->addWidget(pageBox);
    pager->addWidget(new QLabel(QStringLiteral("页"), this));
    pager->addWidget(previousPageButton);
    pager->addWidget(nextPageButton);
    layout->addLayout(pager);

    connect(pageBox, qOverload<int>(&QComboBox::activated), this, &BetGrid::showChosenPage);
    connect(pageBox->lineEdit(), &QLineEdit::returnPressed, this, &BetGrid::showChosenPage);
    connect(previousPageButton, &QPushButton::clicked, this, &BetGrid::showPreviousPage);
    connect(nextPageButton, &QPushButton::clicked, this, &BetGrid::showNextPage);
}

void BetGrid::showFirstPage(std::shared_ptr<const BetList> list)
{
    m_list = std::move(list);
    const qint64 count = m_list ? qint64(m_list->size()) : 0;
    const qint64 pages = pageCount(count);
    pageCountLabel->setText(QStringLiteral("共%1页").arg(pages));
    betCountLabel->setText(QStringLiteral("共%1注").arg(count));
    pageCountLabel->show();
    betCountLabel->show();
    m_armed = false; // refilling the box is not a page change
    m_pages->setCount(pages);
    pageBox->setCurrentIndex(0);
    m_armed = true;
    showPage(1);
}

void BetGrid::showPage(qint64 page)
{
    const qint64 count = m_list ? qint64(m_list->size()) : 0;
    m_model->setPage(m_list, pageRange(count, page));
    betTable->scrollToTop();
    if (m_model->rowCount() > 0)
        betTable->setCurrentIndex(m_model->index(0, 0));
}

void BetGrid::showChosenPage()
{
    if (!m_armed)
        return;
    bool ok = false;
    const qint64 page = pageBox->currentText().trimmed().toLongLong(&ok);
    const qint64 count = m_list ? qint64(m_list->size()) : 0;
    if (!ok || page < 1 || page > pageCount(count)) {
        // A typed text that names no page is ignored: the box goes back to the page shown.
        const qint64 shown = (m_model->page().first - 1) / kPageSize + 1;
        pageBox->setEditText(QString::number(shown));
        return;
    }
    if (pageBox->currentIndex() != int(page - 1))
        pageBox->setCurrentIndex(int(page - 1));
    showPage(page);
}

void BetGrid::showPreviousPage()
{
    const int i = pageBox->currentIndex();
    if (i <= 0)
        return;
    pageBox->setCurrentIndex(i - 1);
    showChosenPage();
}

void BetGrid::showNextPage()
{
    const int i = pageBox->currentIndex();
    if (i < 0 || i + 1 >= pageBox->count())
        return;
    pageBox->setCurrentIndex(i + 1);
    showChosenPage();
}

qint64 BetGrid::selectedBet() const
{
    const QModelIndex current = betTable->currentIndex();
    return current.isValid() ? m_model->betNumber(current.row()) : 0;
}

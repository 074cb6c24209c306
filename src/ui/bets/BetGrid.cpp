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
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    SeSkinStringGrid1 = new QTableView(this);
    SeSkinStringGrid1->setObjectName(QStringLiteral("SeSkinStringGrid1"));
    SeSkinStringGrid1->setModel(m_model);
    SeSkinStringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    SeSkinStringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    SeSkinStringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SeSkinStringGrid1->verticalHeader()->hide();
    SeSkinStringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    SeSkinStringGrid1->verticalHeader()->setDefaultSectionSize(16);
    SeSkinStringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    SeSkinStringGrid1->horizontalHeader()->setFixedHeight(18);
    const int widths[] = {40, 108, 73, 37};
    for (int c = 0; c < 4; ++c)
        SeSkinStringGrid1->setColumnWidth(c, widths[c]);
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(9);
    SeSkinStringGrid1->setFont(font);
    SeSkinStringGrid1->setWordWrap(false);
    SeSkinStringGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    layout->addWidget(SeSkinStringGrid1, 1);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    auto item = [this](const char *name, const QString &text) {
        QAction *a = PopupMenu1->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    N27 = item("N27", QStringLiteral("删除选中行"));
    PopupMenu1->addSeparator();
    N51 = item("N51", QStringLiteral("保5号缩水"));
    N41 = item("N41", QStringLiteral("保4号缩水"));
    N31 = item("N31", QStringLiteral("保3号缩水"));
    connect(N27, &QAction::triggered, this, &BetGrid::deleteRequested);
    connect(N51, &QAction::triggered, this, [this] { emit reduceRequested(5); });
    connect(N41, &QAction::triggered, this, [this] { emit reduceRequested(4); });
    connect(N31, &QAction::triggered, this, [this] { emit reduceRequested(3); });
    connect(SeSkinStringGrid1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { PopupMenu1->popup(SeSkinStringGrid1->viewport()->mapToGlobal(pos)); });

    auto *pager = new QHBoxLayout;
    SeSkinLabel7 = new QLabel(this);
    SeSkinLabel7->setObjectName(QStringLiteral("SeSkinLabel7"));
    SeSkinLabel23 = new QLabel(this);
    SeSkinLabel23->setObjectName(QStringLiteral("SeSkinLabel23"));
    SeSkinLabel7->hide();
    SeSkinLabel23->hide();
    SeSkinComboBox1 = new QComboBox(this);
    SeSkinComboBox1->setObjectName(QStringLiteral("SeSkinComboBox1"));
    SeSkinComboBox1->setEditable(true);
    SeSkinComboBox1->setInsertPolicy(QComboBox::NoInsert);
    SeSkinComboBox1->setModel(m_pages);
    SeSkinComboBox1->setMinimumWidth(70);
    auto *pageLabel = new QLabel(QStringLiteral("第"), this);
    pageLabel->setBuddy(SeSkinComboBox1);
    SeSkinButton8 = new QPushButton(QStringLiteral("上一页"), this);
    SeSkinButton8->setObjectName(QStringLiteral("SeSkinButton8"));
    SeSkinButton9 = new QPushButton(QStringLiteral("下一页"), this);
    SeSkinButton9->setObjectName(QStringLiteral("SeSkinButton9"));
    pager->addWidget(SeSkinLabel7);
    pager->addWidget(SeSkinLabel23);
    pager->addStretch(1);
    pager->addWidget(pageLabel);
    pager->addWidget(SeSkinComboBox1);
    pager->addWidget(new QLabel(QStringLiteral("页"), this));
    pager->addWidget(SeSkinButton8);
    pager->addWidget(SeSkinButton9);
    layout->addLayout(pager);

    connect(SeSkinComboBox1, qOverload<int>(&QComboBox::activated), this, &BetGrid::SeSkinComboBox1Change);
    connect(SeSkinComboBox1->lineEdit(), &QLineEdit::returnPressed, this, &BetGrid::SeSkinComboBox1Change);
    connect(SeSkinButton8, &QPushButton::clicked, this, &BetGrid::SeSkinButton8Click);
    connect(SeSkinButton9, &QPushButton::clicked, this, &BetGrid::SeSkinButton9Click);
}

void BetGrid::ShowFirstBetPage(std::shared_ptr<const BetList> list)
{
    m_list = std::move(list);
    const qint64 count = m_list ? qint64(m_list->size()) : 0;
    const qint64 pages = pageCount(count);
    SeSkinLabel7->setText(QStringLiteral("共%1页").arg(pages));
    SeSkinLabel23->setText(QStringLiteral("共%1注").arg(count));
    SeSkinLabel7->show();
    SeSkinLabel23->show();
    m_armed = false; // refilling the box is not a page change
    m_pages->setCount(pages);
    SeSkinComboBox1->setCurrentIndex(0);
    m_armed = true;
    showPage(1);
}

void BetGrid::showPage(qint64 page)
{
    const qint64 count = m_list ? qint64(m_list->size()) : 0;
    m_model->setPage(m_list, pageRange(count, page));
    SeSkinStringGrid1->scrollToTop();
    if (m_model->rowCount() > 0)
        SeSkinStringGrid1->setCurrentIndex(m_model->index(0, 0));
}

void BetGrid::SeSkinComboBox1Change()
{
    if (!m_armed)
        return;
    bool ok = false;
    const qint64 page = SeSkinComboBox1->currentText().trimmed().toLongLong(&ok);
    const qint64 count = m_list ? qint64(m_list->size()) : 0;
    if (!ok || page < 1 || page > pageCount(count)) {
        // A typed text that names no page is ignored: the box goes back to the page shown.
        const qint64 shown = (m_model->page().first - 1) / kPageSize + 1;
        SeSkinComboBox1->setEditText(QString::number(shown));
        return;
    }
    if (SeSkinComboBox1->currentIndex() != int(page - 1))
        SeSkinComboBox1->setCurrentIndex(int(page - 1));
    showPage(page);
}

void BetGrid::SeSkinButton8Click()
{
    const int i = SeSkinComboBox1->currentIndex();
    if (i <= 0)
        return;
    SeSkinComboBox1->setCurrentIndex(i - 1);
    SeSkinComboBox1Change();
}

void BetGrid::SeSkinButton9Click()
{
    const int i = SeSkinComboBox1->currentIndex();
    if (i < 0 || i + 1 >= SeSkinComboBox1->count())
        return;
    SeSkinComboBox1->setCurrentIndex(i + 1);
    SeSkinComboBox1Change();
}

qint64 BetGrid::selectedBet() const
{
    const QModelIndex current = SeSkinStringGrid1->currentIndex();
    return current.isValid() ? m_model->betNumber(current.row()) : 0;
}

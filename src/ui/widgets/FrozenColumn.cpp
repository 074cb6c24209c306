#include "ui/widgets/FrozenColumn.h"

#include "ui/widgets/GroupedHeaderView.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

QTableView *createFrozenColumn(QTableView *host, int levelsRole, int titleLevels)
{
    auto *frozen = new QTableView(host);
    frozen->setObjectName(QStringLiteral("frozenColumn"));
    frozen->setHorizontalHeader(new GroupedHeaderView(levelsRole, titleLevels, frozen));
    frozen->setFont(host->font());
    frozen->horizontalHeader()->setFont(host->font());
    frozen->setModel(host->model());
    frozen->setItemDelegate(host->itemDelegate());
    frozen->setSelectionModel(host->selectionModel());
    frozen->setFocusPolicy(Qt::NoFocus);
    frozen->setEditTriggers(QAbstractItemView::NoEditTriggers);
    frozen->setSelectionBehavior(host->selectionBehavior());
    frozen->setSelectionMode(host->selectionMode());
    frozen->verticalHeader()->hide();
    frozen->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    frozen->verticalHeader()->setDefaultSectionSize(host->verticalHeader()->defaultSectionSize());
    frozen->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen->setVerticalScrollMode(host->verticalScrollMode());
    frozen->setFrameShape(QFrame::NoFrame);
    host->viewport()->stackUnder(frozen);
    QObject::connect(host->verticalScrollBar(), &QAbstractSlider::valueChanged, frozen->verticalScrollBar(),
                     &QAbstractSlider::setValue);
    QObject::connect(frozen->verticalScrollBar(), &QAbstractSlider::valueChanged, host->verticalScrollBar(),
                     &QAbstractSlider::setValue);
    return frozen;
}

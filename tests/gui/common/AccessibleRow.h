#pragma once
// Reads a row of a table the way a screen reader or UI automation does: through QAccessible,
// as table cells with their column headers and places on screen.
#include <QAccessible>
#include <QRect>
#include <QStringList>
#include <QVector>
#include <QWidget>

struct AccessibleRow {
    QAccessibleTableInterface *table = nullptr;
    QStringList texts;        // each cell's name
    QStringList headers;      // the name of each cell's column header
    QVector<QRect> places;    // each cell on screen
};

// The first accessible table at or below `iface`, depth first.
inline QAccessibleInterface *findAccessibleTable(QAccessibleInterface *iface)
{
    if (!iface)
        return nullptr;
    if (iface->role() == QAccessible::Table && iface->tableInterface())
        return iface;
    if (iface->role() == QAccessible::Cell || iface->role() == QAccessible::ColumnHeader)
        return nullptr;
    for (int i = 0; i < iface->childCount(); ++i)
        if (QAccessibleInterface *found = findAccessibleTable(iface->child(i)))
            return found;
    return nullptr;
}

// Row `row` of the first accessible table found at or below `widget`.
inline AccessibleRow readAccessibleRow(QWidget *widget, int row)
{
    AccessibleRow out;
    QAccessibleInterface *table = findAccessibleTable(QAccessible::queryAccessibleInterface(widget));
    if (!table)
        return out;
    out.table = table->tableInterface();
    for (int c = 0; c < out.table->columnCount(); ++c) {
        QAccessibleInterface *cell = out.table->cellAt(row, c);
        QAccessibleTableCellInterface *place = cell ? cell->tableCellInterface() : nullptr;
        if (!place) {
            out.texts << QStringLiteral("<no cell>");
            out.headers << QString();
            out.places << QRect();
            continue;
        }
        out.texts << cell->text(QAccessible::Name);
        const QList<QAccessibleInterface *> headers = place->columnHeaderCells();
        out.headers << (headers.isEmpty() ? QStringLiteral("<no header>") : headers.first()->text(QAccessible::Name));
        // Qt hands the header cells out new and unregistered, so they are the caller's to let go.
        for (QAccessibleInterface *header : headers)
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(header));
        out.places << cell->rect();
    }
    return out;
}

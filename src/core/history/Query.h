#pragma once
// The one way core runs a statement: prepare it, bind its values in order, run it, and say
// how that went. A statement that fails to prepare is reported like one that fails to run,
// so no error is lost and no half-made statement is run.
#include "core/Outcome.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariantList>

namespace Query {

// Statement text and its bound values; text from a user or a file is always a value.
struct Statement {
    QString sql;
    QVariantList values;
};

enum class Cursor { ForwardOnly, Scrollable };

struct Rows {
    QSqlQuery query;  // run and positioned before its first row when outcome is ok; empty otherwise
    Outcome outcome;  // failed with the database's own text

    bool ok() const { return outcome.ok(); }
};

// Runs any statement; a failure carries the database's text. A grid model needs Scrollable.
Rows run(QSqlDatabase db, const Statement &statement, Cursor cursor = Cursor::ForwardOnly);

// Runs a write to the history; a failure is worded by writeErrorText (the file busy or
// read-only is named, any other error gives the database's text).
Outcome write(QSqlDatabase db, const Statement &statement);

} // namespace Query

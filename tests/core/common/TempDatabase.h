#pragma once
// A temporary program directory holding an empty db1.db, opened.
#include "core/draws/DataM.h"

#include <QTemporaryDir>

class TempDatabase {
public:
    TempDatabase()
    {
        DataM::createDatabase(m_dir.path());
        m_opened = m_data.open(m_dir.path()).ok();
    }
    bool isOpen() const { return m_opened; }
    QString path() const { return m_dir.path(); }
    QSqlDatabase db() const { return m_data.database(); }

private:
    QTemporaryDir m_dir;
    DataM m_data;
    bool m_opened = false;
};

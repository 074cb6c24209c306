#pragma once
// A temporary program directory with an empty db1.db and user/, for window tests.
#include "core/draws/DataM.h"
#include "core/draws/DrawStore.h"

#include <QDir>
#include <QTemporaryDir>
#include <array>

class ProgramDir {
public:
    explicit ProgramDir(bool withDatabase = true)
    {
        QDir(m_dir.path()).mkpath(QStringLiteral("user"));
        QDir(m_dir.path()).mkpath(QStringLiteral("Matrix"));
        if (withDatabase)
            DataM::createDatabase(m_dir.path());
    }
    QString path() const { return m_dir.path(); }
    QString file(const QString &relative) const { return m_dir.filePath(relative); }

    // Stores draws straight through the core, bypassing any window.
    void addDraw(const QString &qishu, const std::array<int, 6> &reds, int blue, const QString &extra = QString())
    {
        DataM data;
        if (data.open(path()).ok())
            DrawStore::insertDraw(data.database(), ComputeDrawAttributes(qishu, reds, blue, extra));
    }
    // Draws 2007001, 2007002, ... with simple distinct reds.
    void addDraws(int count, int firstSequence = 1)
    {
        DataM data;
        if (!data.open(path()).ok())
            return;
        for (int i = 0; i < count; ++i) {
            const int s = firstSequence + i;
            std::array<int, 6> reds;
            for (int k = 0; k < 6; ++k)
                reds[k] = 1 + (s + 5 * k) % 33;
            std::sort(reds.begin(), reds.end());
            DrawStore::insertDraw(data.database(), ComputeDrawAttributes(
                QStringLiteral("2007%1").arg(s, 3, 10, QLatin1Char('0')), reds, 1 + s % 16));
        }
    }

private:
    QTemporaryDir m_dir;
};

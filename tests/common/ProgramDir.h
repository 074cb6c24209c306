#pragma once
// A temporary program directory for any test: user/, Matrix/ and, unless told otherwise, an
// empty db1.db. db() opens the history on first use, as start-up does, and keeps it open
// while the fixture lives: windows and dialogs under test get their connection from here.
// addDraw(s) store draws straight through the core, bypassing any window; addLines stores
// batch-entry lines (realHistoryLines(): the bundled real draws) as an import does.
#include "core/history/DrawDatabase.h"
#include "core/history/DrawEntry.h"
#include "core/history/DrawStore.h"
#include "core/prize/PrizeRules.h"

#include <QFile>
#include <QStringList>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <memory>

inline QString shippedFortunePeriodsFile();

class ProgramDir {
public:
    explicit ProgramDir(bool withDatabase = true)
    {
        QDir(m_dir.path()).mkpath(QStringLiteral("user"));
        QDir(m_dir.path()).mkpath(QStringLiteral("Matrix"));
        if (withDatabase)
            m_created = DrawDatabase::createDatabase(m_dir.path()).ok();
    }
    QString path() const { return m_dir.path(); }
    // The shipped 福运奖 periods into rules/, where a window built over this folder reads them.
    bool addFortunePeriods() const
    {
        const QString to = file(PrizeRules::kFortunePeriodsFile);
        return QDir().mkpath(QFileInfo(to).path()) && QFile::copy(shippedFortunePeriodsFile(), to);
    }
    QString file(const QString &relative) const { return m_dir.filePath(relative); }

    // The history, opened once; false when there is none or it does not open.
    bool isOpen() { return open(); }
    QSqlDatabase db() { return open() ? m_data->database() : QSqlDatabase(); }

    void addDraw(const QString &qishu, const std::array<int, 6> &reds, int blue, const QString &extra = QString())
    {
        DrawDatabase data;
        if (data.open(path()).ok())
            DrawStore::insertDraw(data.database(), computeDrawAttributes(qishu, reds, blue, extra));
    }
    // Draws 2007001, 2007002, ... with simple distinct reds.
    void addDraws(int count, int firstSequence = 1)
    {
        DrawDatabase data;
        if (!data.open(path()).ok())
            return;
        for (int i = 0; i < count; ++i) {
            const int s = firstSequence + i;
            std::array<int, 6> reds;
            for (int k = 0; k < 6; ++k)
                reds[k] = 1 + (s + 5 * k) % 33;
            std::sort(reds.begin(), reds.end());
            DrawStore::insertDraw(data.database(), computeDrawAttributes(
                QStringLiteral("2007%1").arg(s, 3, 10, QLatin1Char('0')), reds, 1 + s % 16));
        }
    }

    // Stores the lines through the batch, without its messages; how many draws it stored.
    int addLines(const QStringList &lines)
    {
        if (!open())
            return 0;
        const QSqlDatabase data = m_data->database();
        BatchHooks hooks;
        hooks.message = [](const QString &) {};
        hooks.insert = [data](const EntryFields &e) { return insertDraw(data, e); };
        return insertDrawBatch(data, lines, hooks).inserted;
    }

private:
    bool open()
    {
        // A db1.db that a test wrote itself is opened too.
        if (!m_data && (m_created || QFileInfo::exists(DrawDatabase::databasePath(path())))) {
            m_data = std::make_unique<DrawDatabase>();
            m_opened = m_data->open(path()).ok();
        }
        return m_opened;
    }

    QTemporaryDir m_dir;
    bool m_created = false;
    bool m_opened = false;
    std::unique_ptr<DrawDatabase> m_data; // closed before the directory goes
};

// The shipped table of 福运奖 periods, data/rules/fortune-periods.txt beside the bundled history.
inline QString shippedFortunePeriodsFile()
{
    return QFileInfo(QStringLiteral(BALVORA_HISTORY_FILE)).absolutePath() + QStringLiteral("/../")
           + PrizeRules::kFortunePeriodsFile;
}

// Its periods; none when they cannot be read.
inline PrizeRules::FortunePeriods shippedFortunePeriods()
{
    return PrizeRules::readFortunePeriods(shippedFortunePeriodsFile()).value;
}

// The bundled history's lines, oldest first, blank lines left out; empty when it cannot be read.
inline QStringList realHistoryLines()
{
    QFile file(QStringLiteral(BALVORA_HISTORY_FILE));
    QStringList lines;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return lines;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (!line.isEmpty())
            lines << line;
    }
    return lines;
}

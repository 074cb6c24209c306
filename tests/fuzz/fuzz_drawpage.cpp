// Draw pages as the download fetches them: the body read as a browser shows it (charset,
// HTML to text), its GBK form cut into 24-byte records, and the analysis that turns the
// records not yet stored into batch lines for the entry rules.
#include "FuzzSupport.h"

#include "core/history/DrawEntry.h"
#include "core/download/DrawPage.h"
#include "core/download/HtmlText.h"

#include <QSet>
#include <QSqlQuery>

namespace {

QSqlDatabase history()
{
    static const bool ready = [] {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fuzz"));
        db.setDatabaseName(QStringLiteral(":memory:"));
        QSqlQuery q(db);
        return db.open() && q.exec(QStringLiteral("create table data (qishu text)"))
            && q.exec(QStringLiteral("insert into data values ('2007001'), ('2007003')"));
    }();
    FUZZ_CHECK(ready);
    return QSqlDatabase::database(QStringLiteral("fuzz"));
}

const QByteArray kContentTypes[] = {"", "text/html", "text/html; charset=gbk", "text/html; charset=utf-8",
                                    "text/plain", "text/html; charset=\"x\"", "application/octet-stream"};
const char *const kFileNames[] = {"ssq.html", "ssq.txt", ""};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput in(data, size);
    const std::uint8_t mode = in.byte();
    const QByteArray body = in.restBytes();

    // The records straight from GBK bytes.
    const QVector<PageRecord> raw = readPageRecords(body);
    FUZZ_CHECK(qsizetype(raw.size()) <= body.size() / 24 + 1);

    const QString text = HtmlText::pageText(body, kContentTypes[mode % 7], QString::fromLatin1(kFileNames[(mode / 7) % 3]));
    const PageAnalysis a = analyseDrawPage(history(), text);
    FUZZ_CHECK(a.outcome.ok());
    FUZZ_CHECK(a.batchLines.size() <= a.records);
    FUZZ_CHECK(a.logLines.size() == 2 * a.batchLines.size());
    // The draw number as the page has it (seven bytes, blanks and all) heads its log pair.
    QSet<QString> seen;
    const QString logPrefix = DrawPageTexts::drawLog(QString());
    for (int i = 0; i < a.batchLines.size(); ++i) {
        const QString &line = a.batchLines[i];
        FUZZ_CHECK(a.logLines[2 * i].startsWith(logPrefix));
        const QString qishu = a.logLines[2 * i].mid(logPrefix.size());
        FUZZ_CHECK(line.startsWith(qishu + QLatin1Char(' ')));
        FUZZ_CHECK(qishu != QLatin1String("2007001") && qishu != QLatin1String("2007003"));
        FUZZ_CHECK(!seen.contains(qishu));
        seen.insert(qishu);
        // What the entry rules then make of it.
        const BatchLine b = parseBatchLine(line);
        FUZZ_CHECK(b.kind != BatchLine::Draw || b.fields.reds[0].size() == 2);
    }
    return 0;
}

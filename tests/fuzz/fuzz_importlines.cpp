// Result lists in the usual layouts, as balvora-cli import reads them: each line turned into
// a batch line, which the entry rules then check. A line that fits no layout gives no text;
// a batch line that comes out is in the batch's own layout, so converting it again keeps it.
#include "FuzzSupport.h"

#include "core/history/DrawEntry.h"
#include "core/download/ImportLayouts.h"

#include <QStringList>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const ImportLine converted = toBatchLine(lines[i], i == 0);
        if (converted.kind != ImportLine::Batch) {
            FUZZ_CHECK(converted.text.isEmpty());
            if (converted.kind == ImportLine::Unreadable)
                FUZZ_CHECK(!unreadableLineMessage(i + 1, lines[i]).isEmpty());
            continue;
        }
        const BatchLine parsed = parseBatchLine(converted.text);
        if (parsed.kind != BatchLine::Draw)
            continue;
        const ImportLine again = toBatchLine(converted.text, false);
        FUZZ_CHECK(again.kind == ImportLine::Batch);
        const BatchLine reparsed = parseBatchLine(again.text);
        FUZZ_CHECK(reparsed.kind == BatchLine::Draw);
        FUZZ_CHECK(reparsed.fields.qishu == parsed.fields.qishu && reparsed.fields.reds == parsed.fields.reds
                   && reparsed.fields.blue == parsed.fields.blue && reparsed.fields.extra == parsed.fields.extra);
    }
    return 0;
}

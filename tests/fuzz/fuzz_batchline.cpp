// Lines of the batch entry, as pasted into the batch box or given to balvora-cli import, and
// the same text in the red and blue fields of the single entry.
#include "FuzzSupport.h"

#include "core/history/DrawEntry.h"
#include "core/history/DrawAttributes.h"

#include <QStringList>

namespace {

bool isBallText(const QString &t, int highest)
{
    if (t.size() != 2 || !t[0].isDigit() || !t[1].isDigit())
        return false;
    const int v = t.toInt();
    return v >= 1 && v <= highest;
}

QString formatLine(const EntryFields &f)
{
    QStringList parts{f.qishu};
    for (const QString &r : f.reds)
        parts << r;
    parts << f.blue;
    if (!f.extra.isEmpty())
        parts << f.extra;
    return parts.join(QLatin1Char(' '));
}

bool emptyFields(const EntryFields &f)
{
    for (const QString &r : f.reds)
        if (!r.isEmpty())
            return false;
    return f.qishu.isEmpty() && f.blue.isEmpty() && f.extra.isEmpty();
}

void checkLine(const QString &line)
{
    const BatchLine parsed = parseBatchLine(line);
    if (parsed.kind != BatchLine::Draw) {
        FUZZ_CHECK(emptyFields(parsed.fields));
        FUZZ_CHECK((parsed.kind == BatchLine::Stop) == !parsed.message.isEmpty());
        return;
    }
    const EntryFields &f = parsed.fields;
    FUZZ_CHECK(!f.qishu.isEmpty());
    for (int i = 0; i < 6; ++i) {
        FUZZ_CHECK(isBallText(f.reds[i], 33));
        if (i > 0)
            FUZZ_CHECK(f.reds[i - 1].toInt() < f.reds[i].toInt());
    }
    FUZZ_CHECK(isBallText(f.blue, 16));
    FUZZ_CHECK(f.extra.isEmpty() || (f.extra.size() == 2 && f.extra.toInt() <= 33));

    // The line the download builds from the same draw reads back as the same draw.
    const BatchLine again = parseBatchLine(formatLine(f));
    FUZZ_CHECK(again.kind == BatchLine::Draw);
    FUZZ_CHECK(again.fields.qishu == f.qishu && again.fields.reds == f.reds && again.fields.blue == f.blue
               && again.fields.extra == f.extra);

    std::array<int, 6> reds{};
    for (int i = 0; i < 6; ++i)
        reds[i] = f.reds[i].toInt();
    const DrawAttributes a = computeDrawAttributes(f.qishu, reds, f.blue.toInt(), f.extra);
    FUZZ_CHECK(a.value(QStringLiteral("c1")).toString() == f.reds[0]);
    FUZZ_CHECK(a.value(QStringLiteral("lingjuhe")).toString() == QStringLiteral("33"));
}

void checkFields(const QString &text)
{
    const RedParse reds = parseReds(text);
    for (const QString &r : reds.balls)
        FUZZ_CHECK(reds.outcome.ok() ? isBallText(r, 33) : r.isEmpty());
    // The blue box takes the text as typed ("007" stays so); insertDraw reads it as a number.
    const BlueStep blue = stepBlue(text);
    if (blue.outcome.ok()) {
        const Result<int> v = readWholeNumber(blue.ball);
        FUZZ_CHECK(v.ok() && v.value >= 1 && v.value <= 16 && blue.ball.size() >= 2);
    } else {
        FUZZ_CHECK(blue.ball.isEmpty() && !blue.outcome.message.isEmpty());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        checkLine(line);
        checkFields(line);
    }
    return 0;
}

// The version page: its body read as a browser shows it, then the three characters after
// the marker compared with our own version. Whatever the page says, the panel gets one of
// its two texts.
#include "FuzzSupport.h"

#include "core/download/VersionCheck.h"
#include "core/download/HtmlText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput in(data, size);
    const bool html = in.byte() & 1;
    const QByteArray body = in.restBytes();
    const QString text = HtmlText::pageText(body, html ? QByteArrayLiteral("text/html") : QByteArray(),
                                            html ? QStringLiteral("version.html") : QStringLiteral("version.txt"));
    const QString panel = versionPanelText(text);
    if (panel != VersionTexts::noneFound) {
        const int at = text.indexOf(VersionTexts::marker);
        FUZZ_CHECK(at >= 0);
        FUZZ_CHECK(panel == VersionTexts::newerFound(text.mid(at + VersionTexts::marker.size(), 3)));
    }
    return 0;
}

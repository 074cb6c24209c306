#include "core/download/HtmlText.h"

#include <QHash>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>

namespace HtmlText {
namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r')
           || c == QLatin1Char('\f');
}

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char(':') || c == QLatin1Char('_');
}

bool isAsciiLetter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z');
}

// Elements whose start and end each begin a new line (the CSS display of a block).
bool isBlock(const QString &name)
{
    static const QStringList blocks = {
        QStringLiteral("address"), QStringLiteral("article"), QStringLiteral("aside"), QStringLiteral("blockquote"),
        QStringLiteral("body"), QStringLiteral("caption"), QStringLiteral("center"), QStringLiteral("dd"),
        QStringLiteral("details"), QStringLiteral("dialog"), QStringLiteral("dir"), QStringLiteral("div"),
        QStringLiteral("dl"), QStringLiteral("dt"), QStringLiteral("fieldset"), QStringLiteral("figcaption"),
        QStringLiteral("figure"), QStringLiteral("footer"), QStringLiteral("form"), QStringLiteral("h1"),
        QStringLiteral("h2"), QStringLiteral("h3"), QStringLiteral("h4"), QStringLiteral("h5"), QStringLiteral("h6"),
        QStringLiteral("header"), QStringLiteral("hgroup"), QStringLiteral("hr"), QStringLiteral("html"),
        QStringLiteral("legend"), QStringLiteral("li"), QStringLiteral("main"), QStringLiteral("menu"),
        QStringLiteral("nav"), QStringLiteral("ol"), QStringLiteral("pre"), QStringLiteral("section"),
        QStringLiteral("summary"), QStringLiteral("table"), QStringLiteral("tbody"), QStringLiteral("tfoot"),
        QStringLiteral("thead"), QStringLiteral("ul")};
    return blocks.contains(name);
}

// Elements a browser does not render; their whole content is dropped.
bool isHidden(const QString &name)
{
    static const QStringList hidden = {QStringLiteral("script"),   QStringLiteral("style"),
                                       QStringLiteral("head"),     QStringLiteral("title"),
                                       QStringLiteral("template"), QStringLiteral("noscript"),
                                       QStringLiteral("textarea"), QStringLiteral("iframe")};
    return hidden.contains(name);
}

const QHash<QString, char16_t> &namedReferences()
{
    static const QHash<QString, char16_t> table = {
        {QStringLiteral("amp"), u'&'},       {QStringLiteral("lt"), u'<'},         {QStringLiteral("gt"), u'>'},
        {QStringLiteral("quot"), u'"'},      {QStringLiteral("apos"), u'\''},      {QStringLiteral("nbsp"), 0x00A0},
        {QStringLiteral("copy"), 0x00A9},    {QStringLiteral("reg"), 0x00AE},      {QStringLiteral("trade"), 0x2122},
        {QStringLiteral("middot"), 0x00B7},  {QStringLiteral("mdash"), 0x2014},    {QStringLiteral("ndash"), 0x2013},
        {QStringLiteral("hellip"), 0x2026},  {QStringLiteral("laquo"), 0x00AB},    {QStringLiteral("raquo"), 0x00BB},
        {QStringLiteral("ldquo"), 0x201C},   {QStringLiteral("rdquo"), 0x201D},    {QStringLiteral("lsquo"), 0x2018},
        {QStringLiteral("rsquo"), 0x2019},   {QStringLiteral("bull"), 0x2022},     {QStringLiteral("times"), 0x00D7},
        {QStringLiteral("divide"), 0x00F7},  {QStringLiteral("yen"), 0x00A5},      {QStringLiteral("ensp"), 0x2002},
        {QStringLiteral("emsp"), 0x2003},    {QStringLiteral("thinsp"), 0x2009},   {QStringLiteral("deg"), 0x00B0},
        {QStringLiteral("plusmn"), 0x00B1},  {QStringLiteral("sect"), 0x00A7},     {QStringLiteral("para"), 0x00B6},
        {QStringLiteral("cent"), 0x00A2},    {QStringLiteral("pound"), 0x00A3},    {QStringLiteral("euro"), 0x20AC},
    };
    return table;
}

// References that browsers still accept without the closing semicolon.
bool isLegacyReference(const QString &name)
{
    return name == QLatin1String("amp") || name == QLatin1String("lt") || name == QLatin1String("gt")
           || name == QLatin1String("quot") || name == QLatin1String("nbsp") || name == QLatin1String("copy")
           || name == QLatin1String("reg");
}

// Decodes the character reference at html[i] == '&'. Returns the text it stands for and
// sets *next past it; an unknown reference stands for itself.
QString characterReference(const QString &html, int i, int *next)
{
    const int n = html.size();
    int j = i + 1;
    if (j < n && html[j] == QLatin1Char('#')) {
        ++j;
        const bool hex = j < n && (html[j] == QLatin1Char('x') || html[j] == QLatin1Char('X'));
        if (hex)
            ++j;
        const int start = j;
        auto isDigitHere = [&](QChar c) {
            const char16_t u = c.unicode();
            return (u >= '0' && u <= '9') || (hex && ((u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F')));
        };
        while (j < n && isDigitHere(html[j]) && j - start < 8)
            ++j;
        if (j == start) {
            *next = i + 1;
            return QStringLiteral("&");
        }
        bool ok = false;
        uint code = html.mid(start, j - start).toUInt(&ok, hex ? 16 : 10);
        if (j < n && html[j] == QLatin1Char(';'))
            ++j;
        *next = j;
        if (!ok || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            code = 0xFFFD;
        const char32_t c = code;
        return QString::fromUcs4(&c, 1);
    }
    const int start = j;
    while (j < n && j - start < 10 && html[j].unicode() < 128 && html[j].isLetterOrNumber())
        ++j;
    const QString name = html.mid(start, j - start);
    const auto it = namedReferences().constFind(name);
    if (it != namedReferences().constEnd()) {
        if (j < n && html[j] == QLatin1Char(';')) {
            *next = j + 1;
            return QString(QChar(it.value()));
        }
        if (isLegacyReference(name)) {
            *next = j;
            return QString(QChar(it.value()));
        }
    }
    // "&ampb": the longest legacy name the letters start with.
    for (int len = std::min<int>(name.size() - 1, 4); len >= 2; --len) {
        const QString prefix = name.left(len);
        if (isLegacyReference(prefix)) {
            *next = start + len;
            return QString(QChar(namedReferences().value(prefix)));
        }
    }
    *next = i + 1;
    return QStringLiteral("&");
}

// Collects the rendered text: collapsible blanks become one pending space, block edges
// pending line breaks; both are only written out before the next visible text.
class Builder {
public:
    void visible(const QString &s)
    {
        flushBreaks();
        if (m_pendingSpace && !m_out.isEmpty() && !m_out.endsWith(QLatin1Char('\n'))
            && !m_out.endsWith(QLatin1Char('\t')))
            m_out += QLatin1Char(' ');
        m_pendingSpace = false;
        m_out += s;
    }
    void blank() { m_pendingSpace = true; }
    // A literal string (a <br>, a tab between cells, text of a <pre>): no blank before it.
    void literal(const QString &s)
    {
        flushBreaks();
        m_pendingSpace = false;
        m_out += s;
    }
    void lineBreaks(int count) { m_pendingBreaks = std::max(m_pendingBreaks, count); }
    QString result()
    {
        // Pending breaks and blanks at the end are dropped.
        return m_out;
    }

private:
    void flushBreaks()
    {
        if (m_pendingBreaks > 0 && !m_out.isEmpty()) {
            int have = 0;
            for (int k = m_out.size() - 1; k >= 0 && m_out[k] == QLatin1Char('\n'); --k)
                ++have;
            // A <br> that ends a block already counts as one of its breaks.
            for (int k = std::min(have, 1); k < m_pendingBreaks; ++k)
                m_out += QLatin1Char('\n');
            m_pendingSpace = false;
        }
        m_pendingBreaks = 0;
    }

    QString m_out;
    bool m_pendingSpace = false;
    int m_pendingBreaks = 0;
};

int findCaseInsensitive(const QString &html, const QString &what, int from)
{
    return html.indexOf(what, from, Qt::CaseInsensitive);
}

// Where the content of a hidden element ends: at its end tag, or for the head also at
// the body's start. -1: it runs to the end of the text.
int hiddenContentEnd(const QString &html, const QString &name, int from)
{
    int end = findCaseInsensitive(html, QStringLiteral("</") + name, from);
    while (end >= 0) {
        const int after = end + 2 + name.size();
        if (after >= html.size() || !isNameChar(html[after]))
            break;
        end = findCaseInsensitive(html, QStringLiteral("</") + name, after);
    }
    if (name == QLatin1String("head")) {
        const int body = findCaseInsensitive(html, QStringLiteral("<body"), from);
        if (body >= 0 && (end < 0 || body < end))
            end = body;
    }
    return end;
}

// Index just past the '>' that closes the tag starting at from; quoted values may hold '>'.
int tagEnd(const QString &html, int from)
{
    const int n = html.size();
    for (int j = from; j < n; ++j) {
        const QChar c = html[j];
        if (c == QLatin1Char('>'))
            return j + 1;
        if ((c == QLatin1Char('"') || c == QLatin1Char('\'')) && j > from && html[j - 1] == QLatin1Char('=')) {
            const int close = html.indexOf(c, j + 1);
            if (close < 0)
                return n;
            j = close;
        }
    }
    return n;
}

} // namespace

QString toText(const QString &html)
{
    Builder b;
    const int n = html.size();
    int preDepth = 0;
    int cellInRow = 0;
    bool dropNewline = false;  // the newline right after <pre> is not content
    int i = 0;
    while (i < n) {
        const QChar c = html[i];
        if (c == QLatin1Char('<') && i + 1 < n) {
            const QChar d = html[i + 1];
            if (html.mid(i, 4) == QLatin1String("<!--")) {
                const int close = html.indexOf(QLatin1String("-->"), i + 4);
                i = close < 0 ? n : close + 3;
                continue;
            }
            if (d == QLatin1Char('!') || d == QLatin1Char('?')) {
                const int close = html.indexOf(QLatin1Char('>'), i + 2);
                i = close < 0 ? n : close + 1;
                continue;
            }
            const bool endTag = d == QLatin1Char('/');
            const int nameStart = i + (endTag ? 2 : 1);
            if (nameStart < n && isAsciiLetter(html[nameStart])) {
                int j = nameStart;
                while (j < n && isNameChar(html[j]))
                    ++j;
                const QString name = html.mid(nameStart, j - nameStart).toLower();
                i = tagEnd(html, j);
                dropNewline = false;
                if (!endTag && isHidden(name)) {
                    const int end = hiddenContentEnd(html, name, i);
                    i = end < 0 ? n : end;
                    continue;
                }
                if (name == QLatin1String("br")) {
                    b.literal(QStringLiteral("\n"));
                } else if (name == QLatin1String("p")) {
                    b.lineBreaks(2);
                } else if (name == QLatin1String("tr")) {
                    b.lineBreaks(1);
                    cellInRow = 0;
                } else if (name == QLatin1String("td") || name == QLatin1String("th")) {
                    if (!endTag && cellInRow++ > 0)
                        b.literal(QStringLiteral("\t"));
                } else if (isBlock(name)) {
                    b.lineBreaks(1);
                    if (name == QLatin1String("pre")) {
                        preDepth = std::max(0, preDepth + (endTag ? -1 : 1));
                        dropNewline = !endTag;
                    }
                    if (name == QLatin1String("table"))
                        cellInRow = 0;
                }
                continue;
            }
        }
        if (c == QLatin1Char('&')) {
            int next = i + 1;
            const QString s = characterReference(html, i, &next);
            preDepth > 0 ? b.literal(s) : b.visible(s);
            dropNewline = false;
            i = next;
            continue;
        }
        if (preDepth > 0) {
            if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
                // CR LF and a lone CR are one line break, as the HTML parser reads them.
                if (c == QLatin1Char('\r') && i + 1 < n && html[i + 1] == QLatin1Char('\n'))
                    ++i;
                if (!dropNewline)
                    b.literal(QStringLiteral("\n"));
            } else {
                b.literal(QString(c));
            }
            dropNewline = false;
        } else if (isBlank(c)) {
            b.blank();
        } else {
            // Runs of visible characters go in at once.
            int j = i + 1;
            while (j < n && !isBlank(html[j]) && html[j] != QLatin1Char('<') && html[j] != QLatin1Char('&'))
                ++j;
            b.visible(html.mid(i, j - i));
            i = j;
            continue;
        }
        ++i;
    }
    return b.result();
}

namespace {

QByteArray charsetParameter(const QByteArray &text)
{
    const QByteArray lower = text.toLower();
    const int at = lower.indexOf("charset");
    if (at < 0)
        return QByteArray();
    int j = at + 7;
    while (j < lower.size() && (lower[j] == ' ' || lower[j] == '='))
        ++j;
    while (j < lower.size() && (lower[j] == '"' || lower[j] == '\''))
        ++j;
    const int start = j;
    while (j < lower.size() && (isalnum(uchar(lower[j])) || lower[j] == '-' || lower[j] == '_'))
        ++j;
    return lower.mid(start, j - start);
}

// The charset of a <meta charset=...> or <meta http-equiv=... content="...; charset=...">
// among the first bytes of the body.
QByteArray metaCharset(const QByteArray &body)
{
    const QByteArray head = body.left(4096).toLower();
    int at = head.indexOf("<meta");
    while (at >= 0) {
        const int end = head.indexOf('>', at);
        const QByteArray tag = head.mid(at, end < 0 ? -1 : end - at);
        const QByteArray charset = charsetParameter(tag);
        if (!charset.isEmpty())
            return charset;
        at = head.indexOf("<meta", at + 5);
    }
    return QByteArray();
}

bool isChineseCharset(const QByteArray &name)
{
    return name == "gbk" || name == "gb2312" || name == "gb18030" || name == "x-gbk" || name == "cp936"
           || name == "windows-936" || name == "euc-cn";
}

QString decodeWith(const QByteArray &charset, const QByteArray &body, bool *known)
{
    *known = true;
    if (charset == "utf-8" || charset == "utf8")
        return QString::fromUtf8(body);
    if (isChineseCharset(charset)) {
        QStringDecoder decoder(charset == "gb18030" ? "GB18030" : "GBK");
        if (decoder.isValid())
            return decoder(body);
    }
    if (!charset.isEmpty()) {
        QStringDecoder decoder(charset.constData());
        if (decoder.isValid())
            return decoder(body);
    }
    *known = false;
    return QString();
}

bool isValidUtf8(const QByteArray &body)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString s = decoder(body);
    return !decoder.hasError();
}

} // namespace

QString decode(const QByteArray &body, const QByteArray &contentType)
{
    if (body.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(body.mid(3));
    if (body.startsWith("\xFF\xFE") || body.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(body.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
        return decoder(body.mid(2));
    }
    bool known = false;
    for (const QByteArray &charset : {charsetParameter(contentType), metaCharset(body)}) {
        const QString s = decodeWith(charset, body, &known);
        if (known)
            return s;
    }
    if (isValidUtf8(body))
        return QString::fromUtf8(body);
    return decodeWith("gbk", body, &known);
}

bool isHtml(const QByteArray &body, const QByteArray &contentType, const QString &fileName)
{
    const QByteArray type = contentType.toLower();
    if (!type.isEmpty())
        return type.contains("html");
    const QString name = fileName.toLower();
    if (name.endsWith(QLatin1String(".html")) || name.endsWith(QLatin1String(".htm")))
        return true;
    if (name.endsWith(QLatin1String(".txt")))
        return false;
    const QByteArray start = body.left(1024).trimmed().toLower();
    return start.startsWith("<!doctype") || start.startsWith("<html") || start.startsWith("<head")
           || start.startsWith("<body") || start.startsWith("<!--") || start.startsWith("<meta");
}

QString pageText(const QByteArray &body, const QByteArray &contentType, const QString &fileName)
{
    const QString text = decode(body, contentType);
    return isHtml(body, contentType, fileName) ? toText(text) : text;
}

QByteArray toGbk(const QString &text)
{
    // The converter writes a single '?' for a character GBK lacks, so byte positions
    // after it stay where a one-byte character would leave them.
    QStringEncoder encoder("GBK");
    return encoder(text);
}

QString fromGbk(const QByteArray &bytes)
{
    QStringDecoder decoder("GBK");
    return decoder(bytes);
}

} // namespace HtmlText

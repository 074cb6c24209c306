#pragma once
// The text a reader sees on a fetched page, as a browser's innerText of the root element
// gives it: tags, comments, scripts, styles and the head dropped, character references
// decoded, blanks collapsed, block elements and <br> giving line breaks, table cells
// separated by tabs, <pre> kept as written. CSS is not applied, so an element hidden
// by a style sheet still counts as shown.
#include <QByteArray>
#include <QString>

namespace HtmlText {

// innerText of an HTML document or fragment.
QString toText(const QString &html);

// Decodes a page body: a byte order mark first, then the charset of the Content-Type
// header, then a <meta> charset in the first bytes; with none of them, UTF-8 when the
// body is valid UTF-8 and GBK otherwise (GB2312 read as GBK, its superset).
QString decode(const QByteArray &body, const QByteArray &contentType);

// True when the page is to be read as HTML: a Content-Type naming html, or, without one
// (file:// pages), a file name ending in .htm/.html or a body that starts like HTML.
bool isHtml(const QByteArray &body, const QByteArray &contentType, const QString &fileName);

// The whole text of a page: decoded, and through toText() when it is HTML.
QString pageText(const QByteArray &body, const QByteArray &contentType, const QString &fileName);

// The text in GBK, where a Chinese character is two bytes and a digit one; a character
// GBK cannot hold becomes one '?'.
QByteArray toGbk(const QString &text);
QString fromGbk(const QByteArray &bytes);

} // namespace HtmlText

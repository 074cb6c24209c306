#pragma once
// The layouts in which result lists are usually kept, turned into batch lines so that the
// entry batch checks them by its own rules:
//   2007001 01 02 03 04 05 06 07 [extra]   the batch's own layout, passed on as it is
//   22135 ...                              a five-digit draw number: 2022135
//   2022135 01,02,03,04,05,06+07           reds by blanks, commas or dots; the blue after
//   2022135 01.02.03.04.05.06|07            a blank, '+', '|' or ':'
//   期号,红1,...,蓝,日期,销售额               a CSV header (first line only), skipped;
//   2022135,01,02,03,04,05,06,07,...       rows: draw, six reds, blue, later columns ignored
// A header is known by its shape alone: the line reads as a draw in no layout, and every
// field of it names a column (holds a letter and nothing a draw or a data format writes,
// so no field is a number, and JSON or binary bytes are no header).
#include <QIODevice>
#include <QString>
#include <QStringList>

struct ImportLine {
    enum Kind { Batch, Header, Unreadable };
    Kind kind = Unreadable;
    QString text;  // the batch line (Batch)
};

// first: the line is the first of its file (where a CSV header may stand).
ImportLine toBatchLine(const QString &line, bool first);

// The longest line any layout allows, in bytes, its line end not counted. A longer line is
// a wrong line; it is never read whole.
inline constexpr int kLongestImportLine = 4096;

// A file's lines, decoded as a whole (UTF-8, or GBK as spreadsheets on Chinese systems save
// it), line ends removed and the empty lines at its end dropped. Reading stops at the first
// line longer than kLongestImportLine: then lines.last() holds only its first characters.
struct ImportText {
    QStringList lines;
    bool endsInLongLine = false;
};
ImportText readImportText(QIODevice &device);

// The batch's wrong-line message, naming the line (1-based) and quoting at most its first
// 60 characters, with "..." when there were more (or cut: the line went on past what was read).
QString unreadableLineMessage(int lineNumber, const QString &line, bool cut = false);

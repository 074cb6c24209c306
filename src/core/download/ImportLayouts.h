#pragma once
// The layouts in which result lists are usually kept, turned into batch lines so that the
// entry batch checks them by its own rules:
//   2007001 01 02 03 04 05 06 07 [extra]   the batch's own layout, passed on as it is
//   22135 ...                              a five-digit draw number: 2022135
//   2022135 01,02,03,04,05,06+07           reds by blanks, commas or dots; the blue after
//   2022135 01.02.03.04.05.06|07            a blank, '+', '|' or ':'
//   期号,红1,...,蓝,日期,销售额               a CSV header (first line only), skipped;
//   2022135,01,02,03,04,05,06,07,...       rows: draw, six reds, blue, later columns ignored
#include <QString>

struct ImportLine {
    enum Kind { Batch, Header, Unreadable };
    Kind kind = Unreadable;
    QString text;  // the batch line (Batch)
};

// first: the line is the first of its file (where a CSV header may stand).
ImportLine toBatchLine(const QString &line, bool first);

// The batch's wrong-line message, naming the line (1-based) and its text.
QString unreadableLineMessage(int lineNumber, const QString &line);

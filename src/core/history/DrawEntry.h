#pragma once
// The rules of draw entry: reading the red line and the blue field, the checks
// before a draw is stored, and the batch of lines. The entry dialog and the
// command line both call these; neither shows anything from here.
#include "core/Outcome.h"
#include "core/bets/Progress.h"

#include <QSqlDatabase>
#include <QStringList>
#include <array>
#include <functional>

namespace EntryTexts {
inline const QString redAbove33 = QStringLiteral("您输入的号码有误，红色球号码不得大于33，请确认后重新输入！");
inline const QString redFewerThanSix = QStringLiteral("您输入的号码有误，红色球号码不得小于6个，请确认后重新输入！");
inline const QString duplicate = QStringLiteral("您输入的号码有误，号码不得有重复，请确认后重新输入！");
inline const QString blueAbove16 = QStringLiteral("您输入的号码有误，蓝色球号码不得大于16，请确认后重新输入！");
inline const QString noDrawNumber = QStringLiteral("请输入彩票期数！");
inline const QString wrongCount = QStringLiteral("您输入的彩票开奖号码位数不对,请检查后重新输入！");
// A ball 0 has no column to go to; it is refused before anything is stored.
inline const QString redZero = QStringLiteral("您输入的号码有误，红色球号码不得为0，请确认后重新输入！");
inline const QString blueZero = QStringLiteral("您输入的号码有误，蓝色球号码不得为0，请确认后重新输入！");
QString alreadyExists(const QString &qishu);          // single entry
QString alreadyExistsSkipped(const QString &qishu);   // batch: the line is skipped
QString stored(const QString &qishu);
QString tooManyDigits(const QString &group);
QString notANumber(const QString &group);
} // namespace EntryTexts

// Reads a digit group as a whole number that fits an int. Refused otherwise, saying why
// (too many digits, or characters that are not digits).
Result<int> readWholeNumber(const QString &group);

// Leaving the red field: the six reds, ascending, as two-digit texts.
struct RedParse {
    Outcome outcome;
    std::array<QString, 6> balls;
};
RedParse parseReds(const QString &text);

// Leaving the blue or the extra field: the text for the blue confirmation box.
// On failure the box keeps what it had.
struct BlueStep {
    Outcome outcome;
    QString ball;
};
BlueStep stepBlue(const QString &text);

// What insertDraw reads: the draw number, the confirmed reds and blue, the extra number.
struct EntryFields {
    QString qishu;
    std::array<QString, 6> reds;
    QString blue;
    QString extra;
};

// Stores one draw. Ok carries the success text as its message and, as the value, the draw
// number to propose next (this one plus one); Refused the text to show; Failed the
// database's error (also when the check for an existing draw could not be read).
Result<QString> insertDraw(QSqlDatabase db, const EntryFields &fields);

// The next draw number to propose: the highest plus one, the current year and
// "001" on an empty table, empty when the highest is not a whole number; failed when
// the history cannot be read.
Result<QString> proposeNextDrawNumber(QSqlDatabase db, int currentYear);

// One line of a batch.
struct BatchLine {
    enum Kind { Draw, NoDrawNumber, Stop };
    Kind kind = NoDrawNumber;
    QString message;  // for Stop
    EntryFields fields;
};
BatchLine parseBatchLine(const QString &line);

struct BatchReport {
    int inserted = 0;
    int skipped = 0;
    bool stopped = false;  // the batch ended before its last line
    int stopLine = -1;     // 0-based line at which it ended
    Outcome outcome;       // failed when the history could not be read; the batch stopped there
    bool cancelled = false; // it ended because progress said stop
};

struct BatchHooks {
    // A message of the batch itself (a stop, an existing draw).
    std::function<void(const QString &)> message;
    // Stores one draw through insertDraw; the hook shows insertDraw's own messages.
    std::function<Result<QString>(const EntryFields &)> insert;
    // Optional: asked before each line; false ends the batch there, the draws before it stored.
    ProgressFn progress;
};
BatchReport insertDrawBatch(QSqlDatabase db, const QStringList &lines, const BatchHooks &hooks);

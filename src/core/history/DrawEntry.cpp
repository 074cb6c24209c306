#include "core/history/DrawEntry.h"

#include "core/Game.h"
#include "core/history/DrawAttributes.h"
#include "core/history/DrawStore.h"

#include <algorithm>
#include <limits>

namespace EntryTexts {
QString alreadyExists(const QString &qishu)
{
    return QStringLiteral("您输入的") + qishu + QStringLiteral("期开奖号码已存在，请确认后重新输入！");
}
QString alreadyExistsSkipped(const QString &qishu)
{
    return QStringLiteral("您输入的") + qishu + QStringLiteral("期开奖号码已存在，该期号码将不录入！");
}
QString stored(const QString &qishu)
{
    return qishu + QStringLiteral("期开奖数据录入成功！");
}
QString tooManyDigits(const QString &group)
{
    return QStringLiteral("您输入的数字") + group + QStringLiteral("位数过多，请确认后重新输入！");
}
QString notANumber(const QString &group)
{
    return QStringLiteral("您输入的“") + group + QStringLiteral("”不是有效的数字，请确认后重新输入！");
}
} // namespace EntryTexts

namespace {

// Digit groups of a line, cut at blanks; several blanks count as one.
struct Group {
    QString text;
    bool endsAtBlank;
};

QVector<Group> digitGroups(const QString &line)
{
    QVector<Group> groups;
    QString current;
    for (const QChar c : line) {
        if (c == QLatin1Char(' ')) {
            if (!current.isEmpty())
                groups.append({current, true});
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.isEmpty())
        groups.append({current, false});
    return groups;
}

// Six values, sorted in place; false when two are equal.
bool sortDistinct(std::array<int, 6> &values)
{
    std::sort(values.begin(), values.end());
    return std::adjacent_find(values.begin(), values.end()) == values.end();
}

// A red as the batch and the red field take it: above 33 first, then 0.
QString redProblem(int value)
{
    if (value > Game::kRedBalls)
        return EntryTexts::redAbove33;
    if (value == 0)
        return EntryTexts::redZero;
    return QString();
}

QString blueProblem(int value)
{
    if (value == 0)
        return EntryTexts::blueZero;
    if (value > Game::kBlueBalls)
        return EntryTexts::blueAbove16;
    return QString();
}

} // namespace

Result<int> readWholeNumber(const QString &group)
{
    Result<int> result;
    if (group.isEmpty()) {
        result.outcome = Outcome::refused(EntryTexts::notANumber(group));
        return result;
    }
    qint64 v = 0;
    for (const QChar c : group) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            result.outcome = Outcome::refused(EntryTexts::notANumber(group));
            return result;
        }
        v = v * 10 + (c.unicode() - '0');
        if (v > std::numeric_limits<int>::max()) {
            result.outcome = Outcome::refused(EntryTexts::tooManyDigits(group));
            return result;
        }
    }
    result.value = int(v);
    return result;
}

RedParse parseReds(const QString &text)
{
    RedParse result;
    std::array<int, 6> values{};
    int count = 0;
    for (const Group &g : digitGroups(text)) {
        if (count == 6)
            break;
        const Result<int> number = readWholeNumber(g.text);
        if (!number.ok()) {
            result.outcome = number.outcome;
            return result;
        }
        const int v = number.value;
        const QString message = redProblem(v);
        if (!message.isEmpty()) {
            result.outcome = Outcome::refused(message);
            return result;
        }
        values[count++] = v;
    }
    if (count < 6) {
        result.outcome = Outcome::refused(EntryTexts::redFewerThanSix);
        return result;
    }
    if (!sortDistinct(values)) {
        result.outcome = Outcome::refused(EntryTexts::duplicate);
        return result;
    }
    for (int i = 0; i < 6; ++i)
        result.balls[i] = ballText(values[i]);
    return result;
}

BlueStep stepBlue(const QString &text)
{
    BlueStep result;
    if (text.isEmpty()) {
        result.ball = QStringLiteral("01");
        return result;
    }
    const Result<int> number = readWholeNumber(text);
    if (!number.ok()) {
        result.outcome = number.outcome;
        return result;
    }
    const QString message = blueProblem(number.value);
    if (!message.isEmpty()) {
        result.outcome = Outcome::refused(message);
        return result;
    }
    result.ball = text.size() == 1 ? QStringLiteral("0") + text : text;
    return result;
}

Result<QString> insertDraw(QSqlDatabase db, const EntryFields &f)
{
    Result<QString> result;
    auto refuse = [&result](const QString &message) {
        result.outcome = Outcome::refused(message);
        return result;
    };

    if (f.qishu.size() < 4)
        return refuse(EntryTexts::noDrawNumber);
    // The next number is this one plus one; a number that is no int would fail after storing.
    const Result<int> qishuValue = readWholeNumber(f.qishu);
    if (!qishuValue.ok())
        return refuse(qishuValue.outcome.message);
    for (const QString &r : f.reds)
        if (r.isEmpty())
            return refuse(EntryTexts::wrongCount);
    if (f.blue.isEmpty())
        return refuse(EntryTexts::wrongCount);

    // The boxes are filled by the dialog's own parse; checked again so that no
    // caller can store a ball that has no column.
    std::array<int, Game::kRedsPerBet> reds{};
    for (int i = 0; i < Game::kRedsPerBet; ++i) {
        const Result<int> red = readWholeNumber(f.reds[i]);
        if (!red.ok())
            return refuse(red.outcome.message);
        reds[i] = red.value;
        const QString message = redProblem(reds[i]);
        if (!message.isEmpty())
            return refuse(message);
    }
    if (!sortDistinct(reds))
        return refuse(EntryTexts::duplicate);
    const Result<int> blue = readWholeNumber(f.blue);
    if (!blue.ok())
        return refuse(blue.outcome.message);
    const QString message = blueProblem(blue.value);
    if (!message.isEmpty())
        return refuse(message);
    if (!f.extra.isEmpty()) {
        const Result<int> extra = readWholeNumber(f.extra);
        if (!extra.ok())
            return refuse(extra.outcome.message);
    }

    const Result<bool> exists = DrawStore::drawExists(db, f.qishu);
    if (!exists.ok()) {
        result.outcome = exists.outcome;
        return result;
    }
    if (exists.value)
        return refuse(EntryTexts::alreadyExists(f.qishu));

    result.outcome = DrawStore::insertDraw(db, computeDrawAttributes(f.qishu, reds, blue.value, f.extra));
    if (!result.ok())
        return result;
    result.outcome = Outcome::success(EntryTexts::stored(f.qishu));
    result.value = QString::number(qint64(qishuValue.value) + 1);
    return result;
}

Result<QString> proposeNextDrawNumber(QSqlDatabase db, int currentYear)
{
    Result<QString> highest = DrawStore::highestDrawNumber(db);
    if (!highest.ok())
        return highest;
    if (highest.value.isEmpty())
        return {QString::number(currentYear) + QStringLiteral("001"), highest.outcome};
    const Result<int> value = readWholeNumber(highest.value);
    return {value.ok() ? QString::number(qint64(value.value) + 1) : QString(), highest.outcome};
}

BatchLine parseBatchLine(const QString &line)
{
    BatchLine result;
    auto stop = [&result](const QString &message) {
        result.kind = BatchLine::Stop;
        result.message = message;
        return result;
    };

    bool haveDrawNumber = false;
    int drawNumber = 0;
    QVector<int> numbers;
    for (const Group &g : digitGroups(line)) {
        const Result<int> number = readWholeNumber(g.text);
        if (!number.ok())
            return stop(number.outcome.message);
        const int v = number.value;
        if (!haveDrawNumber && g.endsAtBlank) {
            haveDrawNumber = true;
            drawNumber = v;
            continue;
        }
        if (v > Game::kRedBalls)
            return stop(EntryTexts::redAbove33);
        if (numbers.size() < 6 && v == 0)
            return stop(EntryTexts::redZero);
        numbers.append(v);
        if (numbers.size() == 8)
            break;
    }
    if (!haveDrawNumber) {
        result.kind = BatchLine::NoDrawNumber;
        return result;
    }
    if (numbers.size() < 7)
        return stop(EntryTexts::wrongCount);
    const QString blue = blueProblem(numbers[6]);
    if (!blue.isEmpty())
        return stop(blue);
    std::array<int, 6> reds{};
    std::copy(numbers.begin(), numbers.begin() + 6, reds.begin());
    if (!sortDistinct(reds))
        return stop(EntryTexts::duplicate);

    result.kind = BatchLine::Draw;
    result.fields.qishu = QString::number(drawNumber);
    for (int i = 0; i < 6; ++i)
        result.fields.reds[i] = ballText(reds[i]);
    result.fields.blue = ballText(numbers[6]);
    if (numbers.size() == 8)
        result.fields.extra = ballText(numbers[7]);
    return result;
}

BatchReport insertDrawBatch(QSqlDatabase db, const QStringList &lines, const BatchHooks &hooks)
{
    BatchReport report;
    // The hooks store through insertDraw on the same connection, so they reuse these too.
    const DrawStore::BatchStatements statements(db);
    for (int i = 0; i < lines.size(); ++i) {
        if (hooks.progress && !hooks.progress(i, lines.size())) {
            report.stopped = true;
            report.cancelled = true;
            report.stopLine = i;
            return report;
        }
        const BatchLine line = parseBatchLine(lines[i]);
        if (line.kind != BatchLine::Draw) {
            if (line.kind == BatchLine::Stop)
                hooks.message(line.message);
            report.stopped = true;
            report.stopLine = i;
            return report;
        }
        const Result<bool> exists = DrawStore::drawExists(db, line.fields.qishu);
        if (!exists.ok()) {
            report.outcome = exists.outcome;
            report.stopped = true;
            report.stopLine = i;
            return report;
        }
        if (exists.value) {
            hooks.message(EntryTexts::alreadyExistsSkipped(line.fields.qishu));
            ++report.skipped;
            continue;
        }
        const Result<QString> r = hooks.insert(line.fields);
        if (r.ok()) {
            ++report.inserted;
        } else if (r.outcome.status == Outcome::Status::Refused) {
            ++report.skipped;
        } else {
            // A database error ends the batch; the draws before it stay stored.
            report.stopped = true;
            report.stopLine = i;
            return report;
        }
    }
    return report;
}

#include "core/history/DrawEntry.h"

#include "core/history/DrawStore.h"
#include "core/history/DrawAttributes.h"

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
    if (value > 33)
        return EntryTexts::redAbove33;
    if (value == 0)
        return EntryTexts::redZero;
    return QString();
}

QString blueProblem(int value)
{
    if (value == 0)
        return EntryTexts::blueZero;
    if (value > 16)
        return EntryTexts::blueAbove16;
    return QString();
}

} // namespace

bool readWholeNumber(const QString &group, int *value, QString *message)
{
    if (group.isEmpty()) {
        *message = EntryTexts::notANumber(group);
        return false;
    }
    qint64 v = 0;
    for (const QChar c : group) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            *message = EntryTexts::notANumber(group);
            return false;
        }
        v = v * 10 + (c.unicode() - '0');
        if (v > std::numeric_limits<int>::max()) {
            *message = EntryTexts::tooManyDigits(group);
            return false;
        }
    }
    *value = int(v);
    return true;
}

RedParse parseReds(const QString &text)
{
    RedParse result;
    std::array<int, 6> values{};
    int count = 0;
    for (const Group &g : digitGroups(text)) {
        if (count == 6)
            break;
        int v = 0;
        QString message;
        if (!readWholeNumber(g.text, &v, &message)) {
            result.outcome = Outcome::refused(message);
            return result;
        }
        message = redProblem(v);
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
    int v = 0;
    QString message;
    if (!readWholeNumber(text, &v, &message)) {
        result.outcome = Outcome::refused(message);
        return result;
    }
    message = blueProblem(v);
    if (!message.isEmpty()) {
        result.outcome = Outcome::refused(message);
        return result;
    }
    result.ball = text.size() == 1 ? QStringLiteral("0") + text : text;
    return result;
}

InsertResult insertDraw(QSqlDatabase db, const EntryFields &f)
{
    InsertResult result;
    auto refuse = [&result](const QString &message) {
        result.status = InsertResult::Refused;
        result.message = message;
        return result;
    };

    if (f.qishu.size() < 4)
        return refuse(EntryTexts::noDrawNumber);
    int qishuValue = 0;
    QString message;
    // The next number is this one plus one; a number that is no int would fail after storing.
    if (!readWholeNumber(f.qishu, &qishuValue, &message))
        return refuse(message);
    for (const QString &r : f.reds)
        if (r.isEmpty())
            return refuse(EntryTexts::wrongCount);
    if (f.blue.isEmpty())
        return refuse(EntryTexts::wrongCount);

    // The boxes are filled by the dialog's own parse; checked again so that no
    // caller can store a ball that has no column.
    std::array<int, 6> reds{};
    for (int i = 0; i < 6; ++i) {
        if (!readWholeNumber(f.reds[i], &reds[i], &message))
            return refuse(message);
        message = redProblem(reds[i]);
        if (!message.isEmpty())
            return refuse(message);
    }
    if (!sortDistinct(reds))
        return refuse(EntryTexts::duplicate);
    int blue = 0;
    if (!readWholeNumber(f.blue, &blue, &message))
        return refuse(message);
    message = blueProblem(blue);
    if (!message.isEmpty())
        return refuse(message);
    int extra = 0;
    if (!f.extra.isEmpty() && !readWholeNumber(f.extra, &extra, &message))
        return refuse(message);

    if (DrawStore::drawExists(db, f.qishu))
        return refuse(EntryTexts::alreadyExists(f.qishu));

    const Outcome o = DrawStore::insertDraw(db, computeDrawAttributes(f.qishu, reds, blue, f.extra));
    if (!o.ok()) {
        result.status = InsertResult::Failed;
        result.message = o.message;
        return result;
    }
    result.status = InsertResult::Inserted;
    result.message = EntryTexts::stored(f.qishu);
    result.nextQishu = QString::number(qint64(qishuValue) + 1);
    return result;
}

QString proposeNextDrawNumber(QSqlDatabase db, int currentYear)
{
    const QString highest = DrawStore::highestDrawNumber(db);
    if (highest.isEmpty())
        return QString::number(currentYear) + QStringLiteral("001");
    int value = 0;
    QString message;
    if (!readWholeNumber(highest, &value, &message))
        return QString();
    return QString::number(qint64(value) + 1);
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
        int v = 0;
        QString message;
        if (!readWholeNumber(g.text, &v, &message))
            return stop(message);
        if (!haveDrawNumber && g.endsAtBlank) {
            haveDrawNumber = true;
            drawNumber = v;
            continue;
        }
        if (v > 33)
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
        if (DrawStore::drawExists(db, line.fields.qishu)) {
            hooks.message(EntryTexts::alreadyExistsSkipped(line.fields.qishu));
            ++report.skipped;
            continue;
        }
        const InsertResult r = hooks.insert(line.fields);
        if (r.status == InsertResult::Inserted) {
            ++report.inserted;
        } else if (r.status == InsertResult::Refused) {
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

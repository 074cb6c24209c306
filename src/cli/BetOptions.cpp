#include "BetOptions.h"

#include "core/bets/WheelMatrix.h"

#include <algorithm>

namespace {

// "all" or comma-separated numbers within 1..max.
bool parseBalls(const QString &text, int max, std::vector<int> &balls)
{
    balls.clear();
    if (text == QLatin1String("all")) {
        for (int k = 1; k <= max; ++k)
            balls.push_back(k);
        return true;
    }
    for (const QString &part : text.split(QLatin1Char(','))) {
        bool ok = false;
        const int k = part.trimmed().toInt(&ok);
        if (!ok || k < 1 || k > max)
            return false;
        balls.push_back(k);
    }
    return true;
}

const QCommandLineOption kRed(QStringLiteral("red"), QStringLiteral("red candidates: numbers 1 to 33 separated by commas, or all"),
                              QStringLiteral("L"));
const QCommandLineOption kBlue(QStringLiteral("blue"), QStringLiteral("blue candidates: numbers 1 to 16 separated by commas, or all"),
                               QStringLiteral("L"));
const QCommandLineOption kMethod(QStringLiteral("method"), QStringLiteral("all (the default), banker or wheel"),
                                 QStringLiteral("all|banker|wheel"));
const QCommandLineOption kBanker(QStringLiteral("banker"), QStringLiteral("the bankers for --method banker, in picking order"),
                                 QStringLiteral("L"));
const QCommandLineOption kWheel(QStringLiteral("wheel"), QStringLiteral("the wheel type for --method wheel, as 中6保5 or S6E5"),
                                QStringLiteral("TYPE"));
const QCommandLineOption kGuarantee(QStringLiteral("guarantee"),
                                    QStringLiteral("keep only bets sharing fewer than N reds while generating (2 to 5)"),
                                    QStringLiteral("N"));
const QCommandLineOption kFilter(QStringLiteral("filter"),
                                 QStringLiteral("keep bets whose condition NAME (caption or short name) lies in LO..HI; repeatable"),
                                 QStringLiteral("NAME=LO..HI"));
const QCommandLineOption kTolerance(QStringLiteral("tolerance"),
                                    QStringLiteral("keep bets failing at most K of the --filter conditions (0 to 3)"),
                                    QStringLiteral("K"));
const QCommandLineOption kGroup(QStringLiteral("group"),
                                QStringLiteral("keep bets holding MIN to MAX of the red BALLS (blanks or commas between them); up to 5"),
                                QStringLiteral("BALLS:MIN..MAX"));
const QCommandLineOption kReduce(QStringLiteral("reduce"), QStringLiteral("thin the current list by guarantee N (3 to 5)"),
                                 QStringLiteral("N"));
const QCommandLineOption kOut(QStringLiteral("out"), QStringLiteral("write the lines to FILE instead of standard output"),
                              QStringLiteral("FILE"));

} // namespace

void addBetOptions(QCommandLineParser &parser)
{
    parser.addOptions({kRed, kBlue, kMethod, kBanker, kWheel, kGuarantee, kFilter, kTolerance, kGroup, kReduce, kOut});
}

bool betOptionsGiven(const QCommandLineParser &parser)
{
    for (const QCommandLineOption *option : {&kRed, &kBlue, &kMethod, &kBanker, &kWheel, &kGuarantee, &kFilter, &kTolerance, &kGroup, &kReduce})
        if (parser.isSet(*option))
            return true;
    return false;
}

QString readBetOptions(const QCommandLineParser &parser, const QString &programDir, BetsOptions &o)
{
    o.request.programDir = programDir;
    int guarantee = 0;
    std::vector<int> balls;
    for (const QCommandLineOption *option : {&kRed, &kBlue}) {
        const bool red = option == &kRed;
        const QString opt = QStringLiteral("--") + option->names().first();
        for (const QString &value : parser.values(*option)) {
            const int highest = red ? Game::kRedBalls : Game::kBlueBalls;
            if (!parseBalls(value, highest, balls))
                return QStringLiteral("%1 takes numbers 1 to %2 separated by commas, or all").arg(opt).arg(highest);
            for (int k : balls)
                (red ? o.reds[std::size_t(k - 1)] : o.blues[std::size_t(k - 1)]) = true;
        }
    }
    for (const QString &value : parser.values(kMethod)) {
        if (value == QLatin1String("all"))
            o.request.method = BetMethod::AllCombinations;
        else if (value == QLatin1String("banker"))
            o.request.method = BetMethod::BankerDrag;
        else if (value == QLatin1String("wheel"))
            o.request.method = BetMethod::Wheel;
        else
            return QStringLiteral("--method takes all, banker or wheel");
    }
    for (const QString &value : parser.values(kBanker)) {
        if (!parseBalls(value, Game::kRedBalls, balls) || value == QLatin1String("all"))
            return QStringLiteral("--banker takes red balls 1 to 33 separated by commas");
        // The banker picker's text: each banker as two digits and a blank, in the given order.
        QString text;
        for (int k : balls) {
            const QString ball = QStringLiteral("%1 ").arg(k, 2, 10, QLatin1Char('0'));
            if (text.contains(ball))
                return QStringLiteral("--banker names %1 twice").arg(ball.trimmed());
            text += ball;
        }
        o.request.bankerText = text;
    }
    if (parser.isSet(kWheel)) {
        o.request.wheelTypeIndex = wheelTypeIndex(parser.value(kWheel)); // -1 is refused by the generation
        o.wheelGiven = true;
    }
    for (const QString &value : parser.values(kGuarantee)) {
        bool ok = false;
        guarantee = value.toInt(&ok);
        if (!ok || guarantee < 2 || guarantee > 5)
            return QStringLiteral("--guarantee takes 2 to 5");
    }
    const QString filterUsage = readFilterOptions(parser, o.filters, o.filterGiven);
    if (!filterUsage.isEmpty())
        return filterUsage;
    for (const QString &value : parser.values(kReduce)) {
        bool ok = false;
        o.reduceN = value.toInt(&ok);
        if (!ok || o.reduceN < 3 || o.reduceN > 5)
            return QStringLiteral("--reduce takes 3 to 5");
    }
    o.outPath = parser.value(kOut);
    if (guarantee != 0 && o.request.method != BetMethod::AllCombinations)
        return QStringLiteral("--guarantee applies to --method all only");
    if (o.wheelGiven && o.request.method != BetMethod::Wheel)
        return QStringLiteral("--wheel applies to --method wheel only");
    o.request.guaranteeN = guarantee;
    return QString();
}

bool makeBets(const BetsOptions &o, BetEngine &engine, QTextStream &err)
{
    const EngineResult g = engine.generate(o.reds, o.blues, o.request);
    if (!g.warning.isEmpty())
        err << g.warning << Qt::endl;
    if (!g.outcome.ok()) {
        err << g.outcome.message << Qt::endl;
        return false;
    }
    if (o.filterGiven) {
        const EngineResult f = engine.filter(o.request.method, o.filters);
        if (!f.outcome.ok()) {
            err << f.outcome.message << Qt::endl;
            return false;
        }
    }
    if (o.reduceN != 0) {
        const EngineResult r = engine.reduce(o.reduceN);
        if (!r.outcome.ok()) { // only an allocation that failed: never write the unreduced list
            err << r.outcome.message << Qt::endl;
            return false;
        }
    }
    return true;
}

void addFilterOptions(QCommandLineParser &parser)
{
    parser.addOptions({kFilter, kTolerance, kGroup});
}

QString readFilterOptions(const QCommandLineParser &parser, FilterSettings &settings, bool &given)
{
    for (const QString &value : parser.values(kFilter)) {
        const int eq = value.indexOf(QLatin1Char('='));
        const int dots = value.indexOf(QLatin1String(".."), eq + 1);
        const int c = eq < 0 ? -1 : filterConditionIndex(value.left(eq));
        if (c < 0 || dots < 0)
            return QStringLiteral("--filter takes NAME=LO..HI with NAME a condition's caption or short name");
        // The bounds stay text: the filter reads them as the tab reads its boxes.
        settings[std::size_t(c)] = {true, value.mid(eq + 1, dots - eq - 1), value.mid(dots + 2)};
        given = true;
    }
    for (const QString &value : parser.values(kTolerance)) {
        bool ok = false;
        settings.tolerance = value.toInt(&ok);
        if (!ok || settings.tolerance < 0 || settings.tolerance > kMaxFilterTolerance)
            return QStringLiteral("--tolerance takes 0 to %1").arg(kMaxFilterTolerance);
    }
    const QStringList groups = parser.values(kGroup);
    if (groups.size() > kNumberGroupCount)
        return QStringLiteral("--group may be given at most %1 times").arg(kNumberGroupCount);
    for (int i = 0; i < int(groups.size()); ++i) {
        const QString &value = groups[i];
        const int colon = std::max(value.lastIndexOf(QLatin1Char(':')), value.lastIndexOf(QChar(0xff1a))); // or ：
        const int dots = value.indexOf(QLatin1String(".."), colon + 1);
        bool minOk = false, maxOk = false;
        NumberGroupSetting &g = settings.groups[std::size_t(i)];
        if (colon >= 0 && dots >= 0) {
            g.balls = value.left(colon);
            g.minimum = value.mid(colon + 1, dots - colon - 1).toInt(&minOk);
            g.maximum = value.mid(dots + 2).toInt(&maxOk);
        }
        if (!minOk || !maxOk)
            return QStringLiteral("--group takes BALLS:MIN..MAX with MIN and MAX whole numbers (group %1)").arg(i + 1);
        NumberGroup checked;
        const Outcome read = parseNumberGroup(g, i + 1, checked);
        if (!read.ok())
            return QStringLiteral("--group: ") + read.message;
        given = true;
    }
    return QString();
}

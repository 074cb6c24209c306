#include "Commands.h"

#include "core/Game.h"
#include "core/bets/WheelMatrix.h"
#include "core/bets/WheelVerify.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace {
const QCommandLineOption kType(QStringLiteral("type"), QStringLiteral("the wheel type, as 中6保5 or S6E5 (default: from the file name)"),
                               QStringLiteral("TYPE"));
const QCommandLineOption kCandidates(QStringLiteral("n"), QStringLiteral("the number of candidates (default: from the file name)"),
                                     QStringLiteral("N"));
} // namespace

void setupWheel(QCommandLineParser &parser)
{
    parser.addPositionalArgument(QStringLiteral("verify"), QStringLiteral("the one thing wheel does so far"));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("a wheel file, one row of positions a line"));
    parser.addOption(kType);
    parser.addOption(kCandidates);
}

// wheel verify FILE [--type TYPE] [--n N]: the type and n default to those in the file
// name (C<n><code>.db).
int runWheel(const CliContext &ctx, const QCommandLineParser &parser)
{
    const QStringList args = parser.positionalArguments();
    if (args.at(0) != QLatin1String("verify")) {
        ctx.err << "usage: balvora-cli [--dir DIR] wheel verify FILE [--type TYPE] [--n N]" << Qt::endl;
        return 2;
    }
    const QString path = args.at(1);
    QString typeText;
    int n = 0;
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^C(\\d+)(S\\dE\\d)\\.db$")).match(QFileInfo(path).fileName());
    if (m.hasMatch()) {
        n = m.captured(1).toInt();
        typeText = m.captured(2);
    }
    if (parser.isSet(kType))
        typeText = parser.value(kType);
    if (parser.isSet(kCandidates))
        n = parser.value(kCandidates).toInt();
    const int typeIndex = wheelTypeIndex(typeText);
    if (typeIndex < 0) {
        ctx.err << wrongWheelTypeText() << Qt::endl;
        return 2;
    }
    if (n < 1 || n > Game::kRedBalls) {
        ctx.err << "balvora-cli: give the number of candidates (1-33) with --n" << Qt::endl;
        return 2;
    }
    const WheelMatrix matrix = readWheelMatrixFile(path, n);
    if (!matrix.outcome.ok()) {
        ctx.err << matrix.outcome.message << Qt::endl;
        return 1;
    }
    const WheelType &type = kWheelTypes[std::size_t(typeIndex)];
    const WheelCheck check = verifyWheel(matrix.rows, n, type);
    ctx.out << "rows " << matrix.rows.size() << "\n"
            << "type " << QString::fromUtf8(type.caption) << " (" << type.code << ") over " << n << " candidates\n";
    if (check.ok) {
        ctx.out << "ok" << Qt::endl;
        return 0;
    }
    QStringList missed;
    for (int p : check.firstMissed)
        missed << QStringLiteral("%1").arg(p, 2, 10, QLatin1Char('0'));
    ctx.out << "not reached: " << missed.join(QLatin1Char(' ')) << Qt::endl;
    return 1;
}

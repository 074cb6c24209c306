#include "Commands.h"

#include "core/bets/WheelMatrix.h"
#include "core/bets/WheelVerify.h"

#include <QFileInfo>
#include <QRegularExpression>

// wheel verify FILE [--type TYPE] [--n N]: the type and n default to those in the file
// name (C<n><code>.db).
int runWheel(const CliContext &ctx, const QStringList &args)
{
    const QString usage = QStringLiteral("usage: balvora-cli wheel verify FILE [--type TYPE] [--n N]");
    if (args.size() < 2 || args.at(0) != QLatin1String("verify")) {
        ctx.err << usage << Qt::endl;
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
    for (int i = 2; i < args.size(); i += 2) {
        if (i + 1 >= args.size()) {
            ctx.err << usage << Qt::endl;
            return 2;
        }
        if (args.at(i) == QLatin1String("--type"))
            typeText = args.at(i + 1);
        else if (args.at(i) == QLatin1String("--n"))
            n = args.at(i + 1).toInt();
        else {
            ctx.err << usage << Qt::endl;
            return 2;
        }
    }
    const int typeIndex = wheelTypeIndex(typeText);
    if (typeIndex < 0) {
        ctx.err << QStringLiteral("您选择的旋转矩阵类型不正确,请重新选择!") << Qt::endl;
        return 2;
    }
    if (n < 1 || n > 33) {
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

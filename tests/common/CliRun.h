#pragma once
// Runs the balvora-cli built beside the tests and collects what it said.
#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

struct CliRun {
    int status = -1;      // the exit status; -1 when it did not start, crashed or hung
    QByteArray out;       // standard output, byte for byte (bet lines end in CR LF)
    QString err;

    QString outText() const { return QString::fromUtf8(out); }
};

// INPUT, when given, is written to its standard input, which is then closed.
inline CliRun runCli(const QStringList &args, const QByteArray &input = QByteArray())
{
    QProcess p;
    p.start(QStringLiteral(BALVORA_BINARY_DIR "/balvora-cli"), args);
    CliRun r;
    if (!p.waitForStarted()) {
        r.err = QStringLiteral("balvora-cli did not start: ") + p.errorString();
        return r;
    }
    if (!input.isEmpty())
        p.write(input);
    p.closeWriteChannel();
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        r.err = QStringLiteral("balvora-cli did not finish");
        return r;
    }
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// One command of a golden transcript: "$ ARGS", what it wrote to standard output and standard
// error, and "exit N"; the source folder is written SRC, so the transcript holds on any clone.
inline QString transcriptOf(const QStringList &args, const CliRun &r)
{
    const QString src = QStringLiteral(BALVORA_SOURCE_DIR);
    const QString sourceAsSrc = QStringLiteral("SRC");
    return QStringLiteral("$ %1\n").arg(args.join(QLatin1Char(' ')).replace(src, sourceAsSrc)) + r.outText()
           + QString(r.err).replace(src, sourceAsSrc) + QStringLiteral("exit %1\n").arg(r.status);
}

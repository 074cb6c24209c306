// "打印" for real: seven bets printed with the print dialog's button on the default queue,
// which scripts/test makes a CUPS-PDF queue named BalvoraPDF. The PDF that CUPS-PDF writes
// is read back with pdftotext; its file name carries the job title.
#include "BettingFixture.h"
#include "ui/bets/PrintDialog.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <pwd.h>
#include <unistd.h>

namespace {
const QString kQueue = QStringLiteral("BalvoraPDF");

QString pdfFolder()
{
    // CUPS-PDF writes to ~/PDF of the user who sent the job.
    const passwd *pw = getpwuid(getuid());
    return QString::fromLocal8Bit(pw ? pw->pw_dir : qgetenv("HOME").constData()) + QStringLiteral("/PDF");
}

QStringList pdfFiles()
{
    return QDir(pdfFolder()).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Time);
}

// CUPS-PDF names the file after the job title, each byte outside ASCII letters and digits
// written as three octal digits followed by "_".
QString titleFromFileName(const QString &name)
{
    QByteArray bytes;
    const QRegularExpression octal(QStringLiteral("^([0-7]{3})_"));
    QString rest = name;
    for (auto m = octal.match(rest); m.hasMatch(); m = octal.match(rest)) {
        bytes += char(m.captured(1).toInt(nullptr, 8));
        rest = rest.mid(4);
    }
    return QString::fromUtf8(bytes);
}
} // namespace

class TestBetPrint : public QObject {
    Q_OBJECT
private slots:
    void printsTheLinesAsOneTitledJob()
    {
        const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
        if (printer.isNull() || printer.printerName() != kQueue)
            QSKIP("the default print queue is not BalvoraPDF: scripts/test sets it up when run as root");
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext is missing (package poppler-utils, installed by scripts/setup)");

        BettingFixture f;
        f.pickRange(7, 1);
        QVERIFY(f.generate());
        const QStringList before = pdfFiles();
        BettingFixture::onModal([](QWidget *dialog) {
            auto *print = qobject_cast<PrintDialog *>(dialog);
            BettingFixture::click(print->printButton);
            BettingFixture::click(print->closeButton);
        });
        f.click("exportButton");
        QCOMPARE(f.messages.shown, QStringList());

        // The job goes through the scheduler and the PDF printer; wait for its file.
        QString pdf;
        QElapsedTimer waited;
        waited.start();
        while (pdf.isEmpty() && waited.elapsed() < 60000) {
            for (const QString &name : pdfFiles())
                if (!before.contains(name) && QFileInfo(pdfFolder() + QLatin1Char('/') + name).size() > 0)
                    pdf = name;
            if (pdf.isEmpty())
                QTest::qWait(200);
        }
        QVERIFY2(!pdf.isEmpty(), "no PDF appeared in ~/PDF");
        QTest::qWait(500); // the printer may still be closing the file
        QCOMPARE(titleFromFileName(pdf), QStringLiteral("投注号码"));

        QProcess text;
        text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdfFolder() + QLatin1Char('/') + pdf,
                                                 QStringLiteral("-")});
        QVERIFY(text.waitForFinished(30000));
        QStringList printed;
        for (const QString &line : QString::fromUtf8(text.readAllStandardOutput()).split(QLatin1Char('\n')))
            if (!line.trimmed().isEmpty())
                printed << line.trimmed();
        QCOMPARE(printed, f.tab.currentOutputLines());
        QFile::remove(pdfFolder() + QLatin1Char('/') + pdf);
    }
};

QTEST_MAIN(TestBetPrint)
#include "tst_betprint.moc"

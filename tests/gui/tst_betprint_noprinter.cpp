// "打印" with no printer to be found: the process talks to a print scheduler that does not
// exist, so there is no default destination, and the dialog says so and stays open.
#include "BettingFixture.h"
#include "ui/bets/PrintDialog.h"

#include <QPlainTextEdit>
#include <QPrinterInfo>

class TestBetPrintNoPrinter : public QObject {
    Q_OBJECT
private slots:
    void noDefaultPrinterShowsTheMessage()
    {
        QVERIFY2(QPrinterInfo::defaultPrinter().isNull(), "a default printer was found after all");
        BettingFixture f;
        f.pickRange(7, 1);
        QVERIFY(f.generate());
        bool stayedOpen = false;
        BettingFixture::onModal([&stayedOpen](QWidget *dialog) {
            auto *print = qobject_cast<PrintDialog *>(dialog);
            BettingFixture::click(print->printButton);
            stayedOpen = print->isVisible();
            BettingFixture::click(print->closeButton);
        });
        f.click("exportButton");
        QVERIFY(stayedOpen);
        QCOMPARE(f.messages.shown, QStringList{QStringLiteral("error:找不到打印机或者未安装正确！")});
    }
};

int main(int argc, char **argv)
{
    // Before anything asks CUPS: a scheduler socket that is not there, and no destination
    // named by the environment.
    qputenv("CUPS_SERVER", "/nonexistent/balvora-cups.sock");
    qunsetenv("PRINTER");
    qunsetenv("LPDEST");
    QApplication app(argc, argv);
    TestBetPrintNoPrinter test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_betprint_noprinter.moc"

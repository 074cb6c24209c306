// The bet grid and what hands the list on: pages of the current list, deleting a bet, the
// print dialog's save, and the direct export of big lists.
#include "BettingFixture.h"
#include "ui/bets/PrintDialog.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>

namespace {
// The first `count` rows of six positions out of 33, in lexicographic order.
QStringList matrixLines(int count)
{
    QStringList lines;
    int p[6] = {1, 2, 3, 4, 5, 6};
    while (lines.size() < count) {
        QString line;
        for (int v : p)
            line += QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
        lines << line;
        int i = 5;
        while (i >= 0 && p[i] == 33 - 5 + i)
            --i;
        ++p[i];
        for (int j = i + 1; j < 6; ++j)
            p[j] = p[j - 1] + 1;
    }
    return lines;
}

// A list of lines x blues bets made through a wheel over all 33 reds.
void wheelList(BettingFixture &f, int lines, int blues)
{
    f.writeMatrix(QStringLiteral("C33S6E5.db"), matrixLines(lines));
    f.click("selectAllRedsButton");
    for (int b = 1; b <= blues; ++b)
        f.pickBlue(b);
    f.click("wheelRadio");
    QVERIFY(f.generate());
}
} // namespace

class TestBetGrid : public QObject {
    Q_OBJECT
private slots:
    void pagesOf2500Bets()
    {
        BettingFixture f;
        wheelList(f, 2500, 1);
        QCOMPARE(f.count(), 2500);
        QCOMPARE(f.label("pageCountLabel"), QStringLiteral("共3页"));
        QCOMPARE(f.label("betCountLabel"), QStringLiteral("共2500注"));
        auto *box = f.find<QComboBox>("pageBox");
        QCOMPARE(box->count(), 3);
        QCOMPARE(box->currentText(), QStringLiteral("1"));
        QCOMPARE(f.gridRows(), 1000);

        f.click("previousPageButton"); // 上一页 on page 1
        QCOMPARE(box->currentText(), QStringLiteral("1"));
        QCOMPARE(f.gridRow(0).section('|', 0, 0), QStringLiteral("1"));

        f.click("nextPageButton");
        f.click("nextPageButton");
        QCOMPARE(box->currentText(), QStringLiteral("3"));
        QCOMPARE(f.gridRows(), 500);
        const QStringList rows = f.currentRows();
        for (int r : {0, 499}) {
            const QString row = rows[2000 + r];
            QCOMPARE(f.gridRow(r), QStringLiteral("%1|%2|%3|").arg(2001 + r).arg(row.left(17), row.mid(17))
                                       + f.gridRow(r).section('|', 3));
        }
        f.click("nextPageButton"); // 下一页 on the last page
        QCOMPARE(box->currentText(), QStringLiteral("3"));
        QCOMPARE(f.gridRow(0).section('|', 0, 0), QStringLiteral("2001"));

        // Typed texts that name no page change nothing; a typed page number shows that page.
        for (const QString &typed : {QStringLiteral("9"), QStringLiteral("0"), QStringLiteral("x")}) {
            box->setEditText(typed);
            QTest::keyClick(box->lineEdit(), Qt::Key_Return);
            QCOMPARE(f.gridRows(), 500);
            QCOMPARE(f.gridRow(0).section('|', 0, 0), QStringLiteral("2001"));
        }
        box->setEditText(QStringLiteral("2"));
        QTest::keyClick(box->lineEdit(), Qt::Key_Return);
        QCOMPARE(f.gridRow(0).section('|', 0, 0), QStringLiteral("1001"));
        QCOMPARE(f.gridRows(), 1000);
    }

    void pageCountAtTheEdges_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("blues");
        QTest::addColumn<QString>("pages");
        QTest::addColumn<int>("lastPageRows");
        QTest::newRow("1000 bets: a second, empty page") << 250 << 4 << "共2页" << 0;
        QTest::newRow("1001 bets") << 1001 << 1 << "共2页" << 1;
    }
    void pageCountAtTheEdges()
    {
        QFETCH(int, lines);
        QFETCH(int, blues);
        QFETCH(QString, pages);
        QFETCH(int, lastPageRows);
        BettingFixture f;
        wheelList(f, lines, blues);
        QCOMPARE(f.label("pageCountLabel"), pages);
        f.click("nextPageButton");
        QCOMPARE(f.gridRows(), lastPageRows);
    }

    void cellsShowRedAndBlueParts()
    {
        BettingFixture f;
        f.pick({2, 11, 17, 23, 28, 33}, {5});
        QVERIFY(f.generate());
        QCOMPARE(f.gridRow(0), QStringLiteral("1|02 11 17 23 28 33|05|114"));
        const QAbstractItemModel *m = f.grid()->model();
        QCOMPARE(m->index(0, 1).data(Qt::ForegroundRole).value<QBrush>().color(), QColor(255, 0, 0));
        QCOMPARE(m->index(0, 2).data(Qt::ForegroundRole).value<QBrush>().color(), QColor(0, 0, 255));
        QCOMPARE(m->headerData(3, Qt::Horizontal).toString(), QStringLiteral("和值"));
        QCOMPARE(f.grid()->betTable->columnWidth(1), 108);
    }

    void deleteBet5Of7()
    {
        BettingFixture f;
        f.pickRange(7, 1);
        QVERIFY(f.generate());
        const QStringList before = f.currentRows();
        auto *view = f.grid()->betTable;
        view->selectRow(4);

        f.messages.answers.enqueue(false); // Cancel changes nothing
        QVERIFY(f.trigger("deleteAction"));
        QCOMPARE(f.currentRows(), before);

        QVERIFY(f.trigger("deleteAction"));
        QCOMPARE(f.messages.shown.last(), QStringLiteral("question:准备删除所选记录数据，是否继续！"));
        QStringList expected = before;
        expected.removeAt(4);
        QCOMPARE(f.currentRows(), expected);
        QCOMPARE(f.label("betCountLabel"), QStringLiteral("共6注"));
        QCOMPARE(f.gridRow(4).section('|', 0, 1), QStringLiteral("5|") + before[5].left(17));
        QCOMPARE(f.gridRow(5).section('|', 0, 1), QStringLiteral("6|") + before[6].left(17));
        // The generated list keeps all seven: a filter would bring bet 5 back.
        QCOMPARE(qint64(f.tab.generatedList()->size()), 7);
    }

    void deletingOnPage2ReturnsToPage1()
    {
        BettingFixture f;
        wheelList(f, 1500, 1);
        f.click("nextPageButton");
        f.grid()->betTable->selectRow(0); // bet 1001
        const QString removed = f.currentRows()[1000];
        QVERIFY(f.trigger("deleteAction"));
        QCOMPARE(f.count(), 1499);
        QCOMPARE(f.find<QComboBox>("pageBox")->currentText(), QStringLiteral("1"));
        QCOMPARE(f.gridRow(0).section('|', 0, 0), QStringLiteral("1"));
        QVERIFY(f.currentRows()[1000] != removed);
    }

    void saveFromThePrintDialog_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::newRow("bets") << "bets" << "bets.txt";
        QTest::newRow("bets.txt gets another .txt") << "bets.txt" << "bets.txt.txt";
    }
    void saveFromThePrintDialog()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        BettingFixture f;
        QTemporaryDir out;
        f.tab.setSaveNameAsker([&](QWidget *) { return out.filePath(chosen); });
        f.pick({1, 2, 3, 4, 5, 6, 12}, {12});
        QVERIFY(f.generate());
        QString memoText;
        BettingFixture::onModal([&](QWidget *dialog) {
            auto *print = qobject_cast<PrintDialog *>(dialog);
            QVERIFY(print);
            QCOMPARE(print->windowTitle(), QStringLiteral("打印投注"));
            memoText = print->linesEdit->toPlainText();
            BettingFixture::click(print->saveButton);
            BettingFixture::click(print->closeButton);
        });
        f.click("exportButton");
        QCOMPARE(memoText.count(QLatin1Char('\n')), 7);
        QCOMPARE(f.messages.last(), QStringLiteral("info:数据导出成功，已保存至") + out.filePath(written));
        QFile file(out.filePath(written));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("01 02 03 04 05 06 12\r\n01 02 03 04 05 12 12\r\n01 02 03 04 06 12 12\r\n"
                                            "01 02 03 05 06 12 12\r\n01 02 04 05 06 12 12\r\n01 03 04 05 06 12 12\r\n"
                                            "02 03 04 05 06 12 12\r\n"));
        QVERIFY(!QFile::exists(out.filePath(chosen)) || chosen == written);
    }

    void editedTextIsSavedAndAFailedWriteKeepsTheOldFile()
    {
        BettingFixture f;
        QTemporaryDir out;
        QFile old(out.filePath(QStringLiteral("keep.txt")));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old\r\n");
        old.close();
        PrintDialog *print = f.tab.printDialog();
        print->linesEdit->setPlainText(QStringLiteral("01 02 03 04 05 06 07\nmy note\n"));
        print->setSaveNameAsker([&](QWidget *) { return out.filePath(QStringLiteral("edited")); });
        BettingFixture::click(print->saveButton);
        QFile edited(out.filePath(QStringLiteral("edited.txt")));
        QVERIFY(edited.open(QIODevice::ReadOnly));
        QCOMPARE(edited.readAll(), QByteArray("01 02 03 04 05 06 07\r\nmy note\r\n"));

        // A name in a folder that does not exist cannot be written: an error, nothing stored.
        print->setSaveNameAsker([&](QWidget *) { return out.filePath(QStringLiteral("no/such")); });
        BettingFixture::click(print->saveButton);
        QVERIFY(f.messages.last().startsWith(QStringLiteral("error:")));
        // Cancelling the dialog does nothing at all.
        const int shown = f.messages.shown.size();
        print->setSaveNameAsker([](QWidget *) { return QString(); });
        BettingFixture::click(print->saveButton);
        QCOMPARE(f.messages.shown.size(), shown);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("old\r\n"));
    }

    void bigListsAreExportedStraightToTheFile()
    {
        BettingFixture f;
        QTemporaryDir out;
        f.tab.setSaveNameAsker([&](QWidget *) { return out.filePath(QStringLiteral("big")); });
        f.pickRange(16, 16); // C(16,6) x 16 = 128,128 bets
        QVERIFY(f.generate());
        QVERIFY(f.count() > qint64(BettingTab::kDirectExportLimit));
        QVERIFY(f.press("exportButton")); // no dialog: it would block here
        QCOMPARE(f.messages.last(), QStringLiteral("info:数据导出成功，已保存至") + out.filePath(QStringLiteral("big.txt")));
        QFile file(out.filePath(QStringLiteral("big.txt")));
        QCOMPARE(file.size(), f.count() * 22);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readLine(), QByteArray("01 02 03 04 05 06 01\r\n"));
        QVERIFY(file.seek(file.size() - 22));
        QCOMPARE(file.readLine(), QByteArray("11 12 13 14 15 16 16\r\n"));
    }
};

QTEST_MAIN(TestBetGrid)
#include "tst_betgrid.moc"

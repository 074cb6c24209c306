// The draw entry dialog driven through its own fields and buttons.
#include "MainWindowFixture.h"
#include "core/history/DrawEntry.h"
#include "ui/history/DrawEntryDialog.h"
#include "ui/history/HistoryTab.h"
#include "ui/main/MainWindow.h"

#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QTabWidget>
#include <QScrollBar>
#include <QTableView>
#include <QtTest>
#include <QSignalSpy>

namespace T = EntryTexts;

class TestDrawEntryDialog : public QObject {
    Q_OBJECT

    struct Fixture : MainWindowFixture {
        DrawEntryDialog *entry = nullptr;

        explicit Fixture(int draws = 0)
        {
            dir.addDraws(draws);
            openMain();
            entry = main->drawEntry();
            entry->show();
            entry->activateWindow();
            // Leaving a field needs the focus to move inside an active window.
            active = QTest::qWaitForWindowActive(entry);
        }
        bool active = false;
        QLineEdit *edit(const char *name) const { return entry->findChild<QLineEdit *>(QString::fromLatin1(name)); }
        QPlainTextEdit *batchEdit() const { return entry->findChild<QPlainTextEdit *>(QStringLiteral("batchEdit")); }
        QString confirmed() const
        {
            QStringList parts;
            for (int i = 1; i <= 6; ++i)
                parts << entry->findChild<QLineEdit *>(QStringLiteral("confirmedRedEdit%1").arg(i))->text();
            return parts.join(QLatin1Char(' '));
        }
        void click(const char *name) { QTest::mouseClick(entry->findChild<QPushButton *>(name), Qt::LeftButton); }
        // Types into a field and then moves the focus on, as the user does.
        void typeAndLeave(QLineEdit *field, const QString &text, QWidget *next)
        {
            field->setFocus();
            field->clear();
            QTest::keyClicks(field, text);
            next->setFocus();
        }
    };

    static QStringList info(const QStringList &texts)
    {
        QStringList out;
        for (const QString &t : texts)
            out << QStringLiteral("info:") + t;
        return out;
    }

private slots:
    // A screen reader names each field by the label beside it.
    void fieldsAreNamedByTheirLabels()
    {
        Fixture f;
        const std::pair<const char *, const char *> fields[] = {
            {"drawNumberEdit", "请输入开奖期数："}, {"redsEdit", "红色球："}, {"blueEdit", "蓝色球："},
            {"extraEdit", "快乐星期天："}, {"confirmedRedEdit1", "确认号码："}};
        for (const auto &[field, name] : fields) {
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(f.edit(field));
            QVERIFY2(a, field);
            QCOMPARE(a->text(QAccessible::Name), QString::fromUtf8(name));
        }
    }

    void initTestCase()
    {
        Fixture f;
        QVERIFY(f.active);
    }

    void showProposesNextNumber()
    {
        Fixture empty;
        QCOMPARE(empty.edit("drawNumberEdit")->text(), QString::number(QDate::currentDate().year()) + QStringLiteral("001"));
        Fixture three(3);
        QCOMPARE(three.edit("drawNumberEdit")->text(), QStringLiteral("2007004"));
        QCOMPARE(three.entry->windowTitle(), QStringLiteral("开奖数据录入"));
    }

    void keyFilters()
    {
        Fixture f;
        f.edit("redsEdit")->clear();
        QTest::keyClicks(f.edit("redsEdit"), QStringLiteral("01a 0-2"));
        QCOMPARE(f.edit("redsEdit")->text(), QStringLiteral("01 02"));
        f.edit("drawNumberEdit")->clear();
        QTest::keyClicks(f.edit("drawNumberEdit"), QStringLiteral("20 07x001"));
        QCOMPARE(f.edit("drawNumberEdit")->text(), QStringLiteral("2007001"));
        f.batchEdit()->setFocus();
        QTest::keyClicks(f.batchEdit(), QStringLiteral("2007001 x01"));
        QTest::keyClick(f.batchEdit(), Qt::Key_Return);
        QTest::keyClicks(f.batchEdit(), QStringLiteral("2,3"));
        QCOMPARE(f.batchEdit()->toPlainText(), QStringLiteral("2007001 01\n23"));
    }

    void redParse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("confirmed");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("descending") << "6 5 4 3 2 1" << "01 02 03 04 05 06" << QStringList{};
        QTest::newRow("seven numbers") << "01 02 03 04 05 06 07" << "01 02 03 04 05 06" << QStringList{};
        QTest::newRow("five") << "01 02 03 04 05" << "     " << info({T::redFewerThanSix});
        QTest::newRow("five, trailing blank") << "01 02 03 04 05 " << "     " << info({T::redFewerThanSix});
        QTest::newRow("34") << "01 34 02 03 04 05" << "     " << info({T::redAbove33});
        QTest::newRow("duplicate") << "01 02 03 04 05 05" << "     " << info({T::duplicate});
        QTest::newRow("0") << "0 02 03 04 05 06" << "     " << info({T::redZero});
        QTest::newRow("too many digits") << "01 02 03 04 05 123456789012" << "     "
                                         << info({T::tooManyDigits("123456789012")});
    }
    void redParse()
    {
        QFETCH(QString, text);
        QFETCH(QString, confirmed);
        QFETCH(QStringList, shown);
        Fixture f;
        // A failed parse empties the boxes filled by an earlier one.
        f.typeAndLeave(f.edit("redsEdit"), QStringLiteral("11 12 13 14 15 16"), f.edit("drawNumberEdit"));
        QCOMPARE(f.confirmed(), QStringLiteral("11 12 13 14 15 16"));
        f.typeAndLeave(f.edit("redsEdit"), text, f.edit("drawNumberEdit"));
        QCOMPARE(f.confirmed(), confirmed);
        QCOMPARE(f.messages.shown, shown);
    }

    void blueStep_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("fromExtraField");
        QTest::addColumn<QString>("blue");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("empty") << "" << false << "01" << QStringList{};
        QTest::newRow("7") << "7" << false << "07" << QStringList{};
        QTest::newRow("12") << "12" << false << "12" << QStringList{};
        QTest::newRow("17 keeps the box") << "17" << false << "05" << info({T::blueAbove16});
        QTest::newRow("0 keeps the box") << "0" << false << "05" << info({T::blueZero});
        QTest::newRow("leaving the extra field reads the blue") << "9" << true << "09" << QStringList{};
    }
    void blueStep()
    {
        QFETCH(QString, text);
        QFETCH(bool, fromExtraField);
        QFETCH(QString, blue);
        QFETCH(QStringList, shown);
        Fixture f;
        f.typeAndLeave(f.edit("blueEdit"), QStringLiteral("5"), f.edit("drawNumberEdit"));
        QCOMPARE(f.edit("confirmedBlueEdit")->text(), QStringLiteral("05"));
        if (fromExtraField) {
            f.edit("blueEdit")->setText(text);
            f.typeAndLeave(f.edit("extraEdit"), QStringLiteral("3"), f.edit("drawNumberEdit"));
        } else {
            f.typeAndLeave(f.edit("blueEdit"), text, f.edit("drawNumberEdit"));
        }
        QCOMPARE(f.edit("confirmedBlueEdit")->text(), blue);
        QCOMPARE(f.messages.shown, shown);
    }

    // More draws than the grid shows at once: the new one, the last row, is scrolled into view.
    void newDrawIsScrolledIntoView()
    {
        Fixture f(60);
        auto *grid = f.main->historyTab()->findChild<QTableView *>("historyGrid");
        QVERIFY(grid);
        QVERIFY2(grid->verticalScrollBar()->maximum() > 0, "the latest 40 draws do not fit");
        f.typeAndLeave(f.edit("redsEdit"), QStringLiteral("01 02 03 04 05 06"), f.edit("blueEdit"));
        f.typeAndLeave(f.edit("blueEdit"), QStringLiteral("9"), f.edit("extraEdit"));
        f.click("insertButton");
        const int last = grid->model()->rowCount() - 1;
        QCOMPARE(grid->model()->index(last, 0).data().toString(), QStringLiteral("2007061"));
        const QRect row = grid->visualRect(grid->model()->index(last, 1));
        QVERIFY2(grid->viewport()->rect().contains(row), "the new draw's row is in view");
        // The frozen draw-number column shows the same row beside it.
        auto *frozen = grid->findChild<QTableView *>("frozenColumn");
        QCOMPARE(frozen->visualRect(grid->model()->index(last, 0)).top(), row.top());
    }

    void insertAppearsInGridAndList()
    {
        Fixture f(3);
        HistoryTab *history = f.main->historyTab();
        QCOMPARE(history->findChild<QSqlQueryModel *>("historyRowsModel")->rowCount(), 3);
        f.typeAndLeave(f.edit("redsEdit"), QStringLiteral("33 1 17 9 22 11"), f.edit("blueEdit"));
        f.typeAndLeave(f.edit("blueEdit"), QStringLiteral("9"), f.edit("extraEdit"));
        f.click("insertButton");
        QCOMPARE(f.messages.shown, info({QStringLiteral("2007004期开奖数据录入成功！")}));
        QCOMPARE(f.edit("drawNumberEdit")->text(), QStringLiteral("2007005"));
        QCOMPARE(history->findChild<QComboBox *>("rangeEndBox")->count(), 4);
        QCOMPARE(history->findChild<QComboBox *>("rangeEndBox")->currentText(), QStringLiteral("2007004"));
        QCOMPARE(history->findChild<QSqlQueryModel *>("historyRowsModel")->rowCount(), 4);
        QCOMPARE(history->findChild<QSqlQueryModel *>("historyRowsModel")->record(3).value(QStringLiteral("qishu")).toString(), QStringLiteral("2007004"));
        QCOMPARE(f.value("c1", "2007004"), QStringLiteral("01"));
        QCOMPARE(f.value("c7", "2007004"), QStringLiteral("09"));
        QCOMPARE(f.rows(QStringLiteral("append")), 4);
        // The fields keep their contents for the next draw.
        QCOMPARE(f.edit("redsEdit")->text(), QStringLiteral("33 1 17 9 22 11"));
        QCOMPARE(f.confirmed(), QStringLiteral("01 09 11 17 22 33"));

        // The same draw again is refused.
        f.edit("drawNumberEdit")->setText(QStringLiteral("2007004"));
        f.click("insertButton");
        QCOMPARE(f.messages.last(), QStringLiteral("info:") + T::alreadyExists(QStringLiteral("2007004")));
        QCOMPARE(f.rows(QStringLiteral("data")), 4);
    }

    void insertRefusals_data()
    {
        QTest::addColumn<QString>("qishu");
        QTest::addColumn<bool>("fillReds");
        QTest::addColumn<QString>("message");
        QTest::newRow("three-digit number") << "200" << true << T::noDrawNumber;
        QTest::newRow("number too long") << "12345678901" << true << T::tooManyDigits("12345678901");
        QTest::newRow("reds not confirmed") << "2007010" << false << T::wrongCount;
    }
    void insertRefusals()
    {
        QFETCH(QString, qishu);
        QFETCH(bool, fillReds);
        QFETCH(QString, message);
        Fixture f;
        f.edit("drawNumberEdit")->setText(qishu);
        if (fillReds)
            f.typeAndLeave(f.edit("redsEdit"), QStringLiteral("1 2 3 4 5 6"), f.edit("blueEdit"));
        f.typeAndLeave(f.edit("blueEdit"), QStringLiteral("2"), f.edit("extraEdit"));
        f.click("insertButton");
        QCOMPARE(f.messages.shown, info({message}));
        QCOMPARE(f.rows(QStringLiteral("data")), 0);
        QCOMPARE(f.rows(QStringLiteral("append")), 0);
    }

    void retypeClearsRedsOnly()
    {
        Fixture f;
        f.typeAndLeave(f.edit("redsEdit"), QStringLiteral("1 2 3 4 5 6"), f.edit("blueEdit"));
        f.edit("blueEdit")->setText(QStringLiteral("4"));
        f.click("retypeButton");
        QCOMPARE(f.edit("redsEdit")->text(), QString());
        QCOMPARE(f.edit("blueEdit")->text(), QStringLiteral("4"));
        QCOMPARE(f.confirmed(), QStringLiteral("01 02 03 04 05 06"));
    }

    void batch_data()
    {
        QTest::addColumn<QString>("batchText");
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("extra number and none")
            << "2007001 06 05 04 03 02 01 07 09\n2007002 01 02 03 04 05 06 07"
            << QStringList{"2007001", "2007002"}
            << info({"2007001期开奖数据录入成功！", "2007002期开奖数据录入成功！"});
        QTest::newRow("existing second line")
            << "2007004 1 2 3 4 5 6 7\n2006001 1 2 3 4 5 6 7\n2007005 1 2 3 4 5 6 8"
            << QStringList{"2006001", "2007004", "2007005"}
            << info({"2007004期开奖数据录入成功！", T::alreadyExistsSkipped("2006001"), "2007005期开奖数据录入成功！"});
        QTest::newRow("empty line ends it") << "2007001 1 2 3 4 5 6 7\n\n2007003 1 2 3 4 5 6 7"
                                            << QStringList{"2007001"} << info({"2007001期开奖数据录入成功！"});
        QTest::newRow("three-digit number goes on") << "200 1 2 3 4 5 6 7\n2007003 1 2 3 4 5 6 7"
                                                    << QStringList{"2007003"}
                                                    << info({T::noDrawNumber, "2007003期开奖数据录入成功！"});
        QTest::newRow("red 34 stops") << "2007001 1 2 3 4 5 34 7\n2007003 1 2 3 4 5 6 7" << QStringList{}
                                      << info({T::redAbove33});
        QTest::newRow("short line stops") << "2007001 1 2 3 4 5 6\n2007003 1 2 3 4 5 6 7" << QStringList{}
                                          << info({T::wrongCount});
        QTest::newRow("ball 0 stops") << "2007001 1 2 3 4 5 6 00\n2007003 1 2 3 4 5 6 7" << QStringList{}
                                      << info({T::blueZero});
        QTest::newRow("pasted over-long group") << "2007001 1 2 3 4 5 6 99999999999" << QStringList{}
                                                << info({T::tooManyDigits("99999999999")});
    }
    void batch()
    {
        QFETCH(QString, batchText);
        QFETCH(QStringList, stored);
        QFETCH(QStringList, shown);
        Fixture f;
        if (stored.contains(QStringLiteral("2006001")))
            DrawStore::insertDraw(f.main->database(),
                                  computeDrawAttributes(QStringLiteral("2006001"), {1, 2, 3, 4, 5, 6}, 7));
        f.entry->findChild<QTabWidget *>("tabs")->setCurrentIndex(1);
        f.batchEdit()->setPlainText(batchText);
        f.click("batchInsertButton");
        QCOMPARE(f.messages.shown, shown);
        QCOMPARE(DrawStore::drawNumbers(f.main->database()).value, stored);
        QCOMPARE(f.rows(QStringLiteral("append")), int(stored.size()));
        QCOMPARE(f.batchEdit()->toPlainText(), batchText);
    }

    void batchDetails()
    {
        Fixture f;
        f.batchEdit()->setPlainText(QStringLiteral("2007001 06 05 04 03 02 01 07 09\n2007002 01 02 03 04 05 06 07"));
        QSignalSpy stored(f.entry, &DrawEntryDialog::drawsStored);
        f.entry->insertDrawBatch();
        // The history hears of a whole batch once, so thousands of downloaded draws re-read the grid once.
        QCOMPARE(stored.count(), 1);
        QCOMPARE(stored.at(0).at(0).toStringList(), (QStringList{"2007001", "2007002"}));
        QCOMPARE(f.value("lxingqitian", "2007001"), QStringLiteral("09"));
        QCOMPARE(f.value("lxingqitian", "2007002"), QStringLiteral("<null>"));
        QCOMPARE(f.value("c1", "2007001"), QStringLiteral("01"));
        // Each stored line reached the history's list and grid.
        QCOMPARE(f.main->historyTab()->findChild<QComboBox *>("rangeEndBox")->currentText(), QStringLiteral("2007002"));
        QCOMPARE(f.main->historyTab()->findChild<QSqlQueryModel *>("historyRowsModel")->rowCount(), 2);
        QCOMPARE(f.edit("drawNumberEdit")->text(), QStringLiteral("2007003"));
    }

    void batchAndReshow()
    {
        Fixture f;
        f.batchEdit()->setPlainText(QStringLiteral("2007001 1 2 3 4 5 6 7\n2007001 1 2 3 4 5 6 7"));
        f.entry->insertDrawBatch();
        QCOMPARE(f.messages.shown, info({"2007001期开奖数据录入成功！", T::alreadyExistsSkipped("2007001")}));
        f.edit("redsEdit")->setText(QStringLiteral("1 2"));
        f.edit("blueEdit")->setText(QStringLiteral("3"));
        f.edit("extraEdit")->setText(QStringLiteral("4"));
        f.entry->hide();
        f.entry->show();
        QCOMPARE(f.edit("redsEdit")->text(), QString());
        QCOMPARE(f.edit("blueEdit")->text(), QString());
        QCOMPARE(f.edit("extraEdit")->text(), QStringLiteral("4"));
        QCOMPARE(f.edit("drawNumberEdit")->text(), QStringLiteral("2007002"));
    }
};

QTEST_MAIN(TestDrawEntryDialog)
#include "tst_drawentrydialog.moc"

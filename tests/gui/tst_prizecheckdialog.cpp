// The prize check dialog: opened from the menu, its key filter, the single and list checks
// through its real controls, 福运奖 over real draws, and the hand-over of a bet list, small
// and large.
#include "MainWindowFixture.h"
#include "core/bets/BetText.h"
#include "ui/bets/BettingTab.h"
#include "ui/stats/StatsWindows.h"
#include "ui/prize/PrizeCheckDialog.h"

#include <QAction>
#include <QMessageBox>
#include <QPainter>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace {

const QString kNoPrize = QStringLiteral("很抱歉，您暂时还未中奖，还需继续努力！");

// Two draws; the later, 2007002, is 01 02 03 04 05 06 + 07.
struct Fixture {
    Fixture()
    {
        dir.addDraw(QStringLiteral("2007001"), {10, 11, 12, 13, 14, 15}, 16);
        dir.addDraw(QStringLiteral("2007002"), {1, 2, 3, 4, 5, 6}, 7);
    }
    PrizeCheckDialog *dialog(std::size_t limit = PrizeCheckDialog::kDefaultHandOverLimit)
    {
        m_dialog.reset(new PrizeCheckDialog(dir.db(), {}, messages, nullptr, limit));
        m_dialog->show();
        return m_dialog.get();
    }
    QStringList infos() const
    {
        QStringList out;
        for (const QString &s : messages.shown)
            out << s.mid(s.indexOf(QLatin1Char(':')) + 1);
        return out;
    }
    ProgramDir dir;
    RecordingMessages messages;
    std::unique_ptr<PrizeCheckDialog> m_dialog;
};

// Every six of {1..8} with every blue: 28 x 16 bets.
std::shared_ptr<const BetList> someBets()
{
    auto bets = std::make_shared<BetList>();
    for (int mask = 0; mask < 256; ++mask) {
        if (__builtin_popcount(mask) != 6)
            continue;
        int r[6], k = 0;
        for (int i = 0; i < 8; ++i)
            if (mask & (1 << i))
                r[k++] = i + 1;
        for (int blue = 1; blue <= 16; ++blue)
            bets->push_back(makeBet(r[5], r[4], r[3], r[2], r[1], r[0], blue));
    }
    return bets;
}

// With BALVORA_SHOT_DIR set, the dialog into a PNG there, with the information box of TEXT
// drawn over it as the program shows it.
void saveShot(QWidget *dialog, const QString &name, const QString &text = QString())
{
    const QByteArray dir = qgetenv("BALVORA_SHOT_DIR");
    if (dir.isEmpty())
        return;
    QPixmap shot = dialog->grab();
    if (!text.isEmpty()) {
        QMessageBox box(QMessageBox::Information, QStringLiteral("Balvora"), text, QMessageBox::Ok, dialog);
        box.show();
        const QPixmap boxShot = box.grab();
        QPainter painter(&shot);
        painter.drawPixmap((shot.width() - boxShot.width()) / 2, (shot.height() - boxShot.height()) / 2, boxShot);
    }
    shot.save(QString::fromLocal8Bit(dir) + QLatin1Char('/') + name);
}

} // namespace

class TestPrizeCheckDialog : public QObject {
    Q_OBJECT
private slots:
    void openedFromTheMenu()
    {
        Fixture f;
        const std::unique_ptr<MainWindow> built = buildMainWindow(f.dir, f.messages);
        QVERIFY(built);
        MainWindow &window = *built;
        window.show();
        QAction *a = window.findChild<QAction *>(QStringLiteral("actPrizeCheck"));
        QVERIFY(a && a->isEnabled());
        a->trigger();
        PrizeCheckDialog *d = window.statsWindows()->prizeCheck();
        QVERIFY(d->isVisible());
        QVERIFY(d->isModal());
        QCOMPARE(d->windowTitle(), QStringLiteral("中奖查询"));
        QCOMPARE(d->tabs->tabText(d->tabs->currentIndex()), QStringLiteral("批量查询"));
        QCOMPARE(d->betListBox->toPlainText(), QStringLiteral("1 2 12 3 5 4   13"));
        QCOMPARE(d->listDraw->currentText(), QStringLiteral("2007002"));
        QCOMPARE(d->singleDraw->count(), 2);

        // The example line against 2007002: five reds, no blue.
        QTest::mouseClick(d->listCheckButton, Qt::LeftButton);
        QCOMPARE(f.messages.shown, QStringList{"info:恭喜您买中了 1 注四等奖！"});

        // The same instance again: the list and tab kept, the fields and result lines emptied.
        d->tabs->setCurrentIndex(0);
        d->redFields[0]->setText(QStringLiteral("5"));
        d->singleResult->setText(QStringLiteral("x"));
        d->close();
        a->trigger();
        QCOMPARE(window.statsWindows()->prizeCheck(), d);
        QCOMPARE(d->tabs->currentIndex(), 0);
        QCOMPARE(d->redFields[0]->text(), QString());
        QCOMPARE(d->singleResult->text(), QString());
        QCOMPARE(d->betListBox->toPlainText(), QStringLiteral("1 2 12 3 5 4   13"));
        d->close();
    }

    // "中奖查询" of the betting tab: its current list, as output lines, in the dialog's box.
    void handOverFromTheBettingTab()
    {
        Fixture f;
        const std::unique_ptr<MainWindow> built = buildMainWindow(f.dir, f.messages);
        QVERIFY(built);
        MainWindow &window = *built;
        window.show();
        BettingTab *tab = window.bettingTab();
        auto click = [&](const QString &name) {
            QWidget *w = window.findChild<QWidget *>(name);
            QVERIFY2(w, qPrintable(name));
            QTest::mouseClick(w, Qt::LeftButton);
        };
        for (int red = 1; red <= 7; ++red)
            click(QStringLiteral("redBall%1").arg(red));
        for (int blue = 1; blue <= 2; ++blue)
            click(QStringLiteral("blueBall%1").arg(blue));
        click(QStringLiteral("generateButton"));
        for (int i = 0; i < 600 && tab->isBusy(); ++i)
            QTest::qWait(50);
        QCOMPARE(tab->currentList()->size(), std::size_t(14));
        click(QStringLiteral("prizeCheckButton"));
        PrizeCheckDialog *d = window.statsWindows()->prizeCheck();
        QVERIFY(d->isVisible());
        QStringList expected;
        for (const Bet &b : *tab->currentList())
            expected << outputLine(b);
        QCOMPARE(d->betListBox->toPlainText(), expected.join(QLatin1Char('\n')));
        // 1..6 + 1 and + 2 against 01 02 03 04 05 06 + 07: two second prizes among them.
        QTest::mouseClick(d->listCheckButton, Qt::LeftButton);
        QVERIFY(f.messages.shown.contains(QStringLiteral("info:恭喜您买中了 2 注二等奖！")));
        d->close();
    }

    void keyFilterTakesDigitsAndSpaces()
    {
        Fixture f;
        PrizeCheckDialog *d = f.dialog();
        QTest::keyClicks(d->redFields[0], QStringLiteral("1a,2 -3"));
        QCOMPARE(d->redFields[0]->text(), QStringLiteral("12 3"));
    }

    void singleCheckThroughTheFields_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("shown");   // message box, empty for none
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("fields");  // the red fields after the check
        QTest::newRow("text order, no prize") << QStringList{"3", "12", "5", "20", "31", "1", "16"} << "" << kNoPrize
                                              << "1 12 20 3 31 5";
        QTest::newRow("blue 7 hits 07") << QStringList{"6", "5", "4", "3", "2", "1", "7"} << ""
                                        << "恭喜您买中了一等奖！" << "1 2 3 4 5 6";
        QTest::newRow("two sevens keep the old result")
            << QStringList{"7", "2", "7", "4", "5", "6", "7"}
            << "info:您输入的号码有误，不能有重复，请确认后重新输入！" << "old" << "2 4 5 6 7 7";
        QTest::newRow("07 and 7") << QStringList{"07", "2", "7", "4", "5", "6", "7"}
                                  << "info:您输入的号码有误，不能有重复，请确认后重新输入！" << "old"
                                  << "07 2 4 5 6 7";
        QTest::newRow("a space inside") << QStringList{"1 2", "3", "4", "5", "6", "8", "7"}
                                        << "info:您输入的号码有误，第一位红球号码“1 2”不是整数，请确认后重新输入！"
                                        << "old" << "1 2 3 4 5 6 8";
        QTest::newRow("blue missing") << QStringList{"1", "2", "3", "4", "5", "6", ""}
                                      << "info:请输入您购买的蓝球号码！" << "old" << "1 2 3 4 5 6";
    }
    void singleCheckThroughTheFields()
    {
        QFETCH(QStringList, typed);
        QFETCH(QString, shown);
        QFETCH(QString, result);
        QFETCH(QString, fields);
        Fixture f;
        PrizeCheckDialog *d = f.dialog();
        d->tabs->setCurrentIndex(0);
        d->singleResult->setText(QStringLiteral("old"));
        for (int i = 0; i < 7; ++i)
            QTest::keyClicks(i < 6 ? d->redFields[i] : d->blueField, typed[i]);
        QTest::mouseClick(d->singleCheckButton, Qt::LeftButton);
        QCOMPARE(f.messages.shown, shown.isEmpty() ? QStringList() : QStringList{shown});
        QCOMPARE(d->singleResult->text(), result);
        QStringList now;
        for (QLineEdit *e : d->redFields)
            now << e->text();
        QCOMPARE(now.join(QLatin1Char(' ')), fields);
    }

    void listCheckMessages()
    {
        Fixture f;
        PrizeCheckDialog *d = f.dialog();
        d->betListBox->setPlainText(QStringLiteral("1 2 3 4 20 21 8\n1 2 3 20 21 22 7\n1 2 3 4 22 23 9\n20 21 22 23 24 25 7"));
        d->listResult->setText(QStringLiteral("old"));
        QTest::mouseClick(d->listCheckButton, Qt::LeftButton);
        QCOMPARE(f.infos(), (QStringList{"恭喜您买中了 3 注五等奖！", "恭喜您买中了 1 注六等奖！"}));
        QCOMPARE(d->listResult->text(), QString());

        f.messages.shown.clear();
        d->betListBox->setPlainText(QStringLiteral("10 11 12 13 14 15 16"));
        QTest::mouseClick(d->listCheckButton, Qt::LeftButton);
        QCOMPARE(f.messages.shown, QStringList());
        QCOMPARE(d->listResult->text(), kNoPrize);

        d->listDraw->setEditText(QStringLiteral("2007001"));
        QTest::mouseClick(d->listCheckButton, Qt::LeftButton);
        QCOMPARE(f.infos(), QStringList{"恭喜您买中了 1 注一等奖！"});

        f.messages.shown.clear();
        d->betListBox->setPlainText(QString());
        QTest::mouseClick(d->listCheckButton, Qt::LeftButton);
        QCOMPARE(f.infos(), QStringList{"您还未输入您购买的号码，请输入后再查询！"});
        QCOMPARE(d->listResult->text(), QString());
    }

    // The real draws of 2026 and the shipped periods beside the window: three reds without the
    // blue win 福运奖 in 2026050, nothing in 2026076, and are held back in 2026077, which
    // nothing tells of; three reds with the blue stay a fifth prize.
    void fortuneOverRealDraws()
    {
        ProgramDir dir;
        QStringList lines;
        for (const QString &line : realHistoryLines())
            if (line.startsWith(QLatin1String("2026")))
                lines << line;
        QCOMPARE(dir.addLines(lines), 96);
        QVERIFY(dir.addFortunePeriods());
        RecordingMessages messages;
        const std::unique_ptr<MainWindow> window = buildMainWindow(dir, messages);
        QVERIFY(window);
        window->show();
        window->findChild<QAction *>(QStringLiteral("actPrizeCheck"))->trigger();
        PrizeCheckDialog *d = window->statsWindows()->prizeCheck();
        QVERIFY(d->isVisible());

        // 2026050: 06 09 25 27 28 30 + 03.
        d->tabs->setCurrentIndex(0);
        d->singleDraw->setEditText(QStringLiteral("2026050"));
        const QStringList ticket{"6", "9", "25", "1", "2", "4", "16"};
        for (int i = 0; i < 7; ++i)
            QTest::keyClicks(i < 6 ? d->redFields[i] : d->blueField, ticket[i]);
        QTest::mouseClick(d->singleCheckButton, Qt::LeftButton);
        QCOMPARE(d->singleResult->text(), QStringLiteral("恭喜您买中了福运奖！"));
        saveShot(d, QStringLiteral("prize-check-single.png"));

        d->tabs->setCurrentIndex(1);
        d->listDraw->setEditText(QStringLiteral("2026050"));
        d->betListBox->setPlainText(QStringLiteral("06 09 25 01 02 04 16\n06 09 27 01 02 04 07\n06 09 25 01 02 04 03"));
        QTest::mouseClick(d->listCheckButton, Qt::LeftButton);
        QCOMPARE(messages.shown, (QStringList{"info:恭喜您买中了 1 注五等奖！", "info:恭喜您买中了 2 注福运奖！"}));
        QCOMPARE(d->listResult->text(), QString());
        saveShot(d, QStringLiteral("prize-check-list.png"), messages.shown.last().mid(5));

        // 2026076: 01 03 19 20 24 25 + 07; its period had stopped.
        messages.shown.clear();
        d->listDraw->setEditText(QStringLiteral("2026076"));
        d->betListBox->setPlainText(QStringLiteral("01 03 19 02 04 05 16"));
        QTest::mouseClick(d->listCheckButton, Qt::LeftButton);
        QCOMPARE(messages.shown, QStringList());
        QCOMPARE(d->listResult->text(), kNoPrize);

        // 2026077: 01 04 05 14 18 25 + 04; no notice, past the table.
        d->listDraw->setEditText(QStringLiteral("2026077"));
        d->betListBox->setPlainText(QStringLiteral("01 04 05 02 03 06 16\n01 04 18 02 03 06 16\n01 04 05 14 18 03 04"));
        QTest::mouseClick(d->listCheckButton, Qt::LeftButton);
        const QString unknown = QStringLiteral("本期是否设福运奖尚不可知，3个红球的投注未计奖。\n3个红球的投注共 2 注。");
        QCOMPARE(messages.shown, (QStringList{"info:恭喜您买中了 1 注三等奖！", "info:" + unknown}));
        QCOMPARE(d->listResult->text(), QString());
        saveShot(d, QStringLiteral("prize-check-unknown.png"), unknown);

        d->tabs->setCurrentIndex(0);
        d->singleDraw->setEditText(QStringLiteral("2026077"));
        const QStringList threeReds{"1", "4", "5", "2", "3", "6", "16"};
        for (int i = 0; i < 7; ++i) {
            QLineEdit *field = i < 6 ? d->redFields[i] : d->blueField;
            field->clear();
            QTest::keyClicks(field, threeReds[i]);
        }
        QTest::mouseClick(d->singleCheckButton, Qt::LeftButton);
        QCOMPARE(d->singleResult->text(), QStringLiteral("本期是否设福运奖尚不可知，3个红球的投注未计奖。"));
        d->close();
    }

    // A list up to the limit becomes its output lines; a longer one stays bets, and the
    // check over them reports what the check over their lines reports.
    void handOverSmallAndLarge()
    {
        Fixture f;
        const std::shared_ptr<const BetList> bets = someBets();
        QCOMPARE(bets->size(), std::size_t(448));

        PrizeCheckDialog *asLines = f.dialog(bets->size());
        asLines->setBets(bets);
        QVERIFY(!asLines->heldBets());
        const QStringList lines = asLines->betListBox->toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 448);
        QCOMPARE(lines.first(), outputLine(bets->front()));
        QCOMPARE(lines.first(), QStringLiteral("06 05 04 03 02 01 01"));
        QTest::mouseClick(asLines->listCheckButton, Qt::LeftButton);
        const QStringList fromLines = f.infos();
        QCOMPARE(fromLines.size(), 5); // first to fifth: every six of 1..8 holds four drawn reds or more

        f.messages.shown.clear();
        PrizeCheckDialog *asBets = f.dialog(bets->size() - 1);
        asBets->setBets(bets);
        QCOMPARE(asBets->heldBets(), bets);
        QVERIFY(asBets->betListBox->isReadOnly());
        QVERIFY(asBets->betListBox->toPlainText().contains(QStringLiteral("448")));
        QTest::mouseClick(asBets->listCheckButton, Qt::LeftButton);
        QCOMPARE(f.infos(), fromLines);

        // Typing a new list replaces the bets.
        f.messages.shown.clear();
        asBets->betListBox->setFocus();
        QTest::keyClicks(asBets->betListBox, QStringLiteral("1 2 3 4 5 6 7"));
        QVERIFY(!asBets->heldBets());
        QVERIFY(!asBets->betListBox->isReadOnly());
        QCOMPARE(asBets->betListBox->toPlainText(), QStringLiteral("1 2 3 4 5 6 7"));
        QTest::mouseClick(asBets->listCheckButton, Qt::LeftButton);
        QCOMPARE(f.infos(), QStringList{"恭喜您买中了 1 注一等奖！"});

        // A later small hand-over or an empty one is lines again.
        asBets->setBets(std::make_shared<BetList>());
        QCOMPARE(asBets->betListBox->toPlainText(), QString());
    }
};

QTEST_MAIN(TestPrizeCheckDialog)
#include "tst_prizecheckdialog.moc"

#pragma once
// The betting tab over a temporary program directory with the real picker strip, plus the
// clicks the tests repeat: pick balls, press a button and wait until its work is applied,
// answer a modal dialog, read the grid back.
#include "ProgramDir.h"
#include "RecordingMessages.h"
#include "core/bets/BetText.h"
#include "ui/bets/BetGrid.h"
#include "ui/bets/BetPageModel.h"
#include "ui/bets/BettingTab.h"
#include "ui/bets/PickerStrip.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <functional>
#include <initializer_list>

struct BettingFixture {
    ProgramDir dir{false};
    RecordingMessages messages;
    PickerStrip strip;
    BettingTab tab{dir.path(), &strip, messages};

    template <typename T = QWidget>
    T *find(const char *name)
    {
        T *w = tab.findChild<T *>(QString::fromLatin1(name));
        if (!w)
            w = strip.findChild<T *>(QString::fromLatin1(name));
        return w;
    }
    static void click(QWidget *w) { QTest::mouseClick(w, Qt::LeftButton); }
    void click(const char *name) { click(find(name)); }

    void pickRed(int ball) { click(strip.findChild<QWidget *>(QStringLiteral("redBall%1").arg(ball))); }
    void pickBlue(int ball) { click(strip.findChild<QWidget *>(QStringLiteral("blueBall%1").arg(ball))); }
    void pick(std::initializer_list<int> reds, std::initializer_list<int> blues)
    {
        for (int r : reds)
            pickRed(r);
        for (int b : blues)
            pickBlue(b);
    }
    void pickRange(int lastRed, int lastBlue)
    {
        for (int r = 1; r <= lastRed; ++r)
            pickRed(r);
        for (int b = 1; b <= lastBlue; ++b)
            pickBlue(b);
    }

    // Presses a button of the tab and waits until the work it started has been applied.
    bool press(const char *name)
    {
        click(name);
        return waitIdle();
    }
    bool waitIdle()
    {
        for (int i = 0; i < 600 && tab.isBusy(); ++i)
            QTest::qWait(50);
        return !tab.isBusy();
    }
    bool trigger(const char *action)
    {
        tab.findChild<QAction *>(QString::fromLatin1(action))->trigger();
        return waitIdle();
    }
    bool generate() { return press("generateButton"); }

    // Runs act on the next modal dialog once it is up (exec() blocks the test meanwhile).
    static void onModal(std::function<void(QWidget *)> act)
    {
        QTimer::singleShot(0, [act] {
            QWidget *modal = QApplication::activeModalWidget();
            if (modal)
                act(modal);
            else
                onModal(act);
        });
    }

    BetGrid *grid() { return tab.grid(); }
    int gridRows() { return grid()->model()->rowCount(); }
    // "number|red part|blue part|sum" of grid row r.
    QString gridRow(int r)
    {
        QStringList cells;
        for (int c = 0; c < 4; ++c)
            cells << grid()->model()->index(r, c).data().toString();
        return cells.join(QLatin1Char('|'));
    }
    QString label(const char *name) { return find<QLabel>(name)->text(); }
    qint64 count() { return qint64(tab.currentList()->size()); }
    QStringList currentRows()
    {
        QStringList rows;
        for (const Bet &b : *tab.currentList())
            rows << betRowText(b);
        return rows;
    }
    // Writes Matrix/C<n><code>.db of the program directory.
    void writeMatrix(const QString &name, const QStringList &lines)
    {
        QFile f(dir.file(QStringLiteral("Matrix/") + name));
        if (f.open(QIODevice::WriteOnly))
            f.write((lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toLatin1());
    }
};

// The runner for long work: the result comes back on the UI thread, "取消" applies nothing,
// the event loop keeps running meanwhile, and closing the window stops the work.
#include "core/bets/BetEngine.h"
#include "ui/widgets/BackgroundTask.h"

#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <memory>

namespace {

// Reports progress until told to stop or cancelled; a bound keeps a broken runner from
// hanging the test for ever. Returns how far it got.
int spinUntil(const ProgressFn &progress, const std::function<bool()> &stop)
{
    int i = 0;
    for (; i < 100000 && !stop(); ++i) {
        if (!progress(i, 100000))
            return -1;
        QThread::msleep(1);
    }
    return i;
}

} // namespace

class TestBackgroundTask : public QObject {
    Q_OBJECT
private slots:
    void resultComesBackOnUiThread();
    void cancelAppliesNothing();
    void eventLoopKeepsRunning();
    void closingTheWindowStopsTheWork();
};

void TestBackgroundTask::resultComesBackOnUiThread()
{
    QWidget window;
    window.show();
    QThread *worker = nullptr;
    QThread *applier = nullptr;
    int applied = 0;
    QPointer<BackgroundTask> task = BackgroundTask::start<int>(
        &window, QStringLiteral("计算中"),
        [&worker](const ProgressFn &progress) {
            worker = QThread::currentThread();
            progress(1, 2);
            return 42;
        },
        [&](int value) {
            applier = QThread::currentThread();
            applied = value;
        });
    QSignalSpy finished(task.data(), &BackgroundTask::finished);
    QTRY_COMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toBool(), true);
    QCOMPARE(applied, 42);
    QCOMPARE(applier, QThread::currentThread());
    QVERIFY(worker != nullptr);
    QCOMPARE_NE(worker, QThread::currentThread());
    QTRY_VERIFY(task.isNull()); // deletes itself
}

void TestBackgroundTask::cancelAppliesNothing()
{
    // A real generation, held at its first progress report until "取消" is pressed.
    QWidget window;
    window.show();
    BetEngine engine;
    std::array<bool, 33> reds{};
    std::array<bool, 16> blues{};
    for (int k = 0; k < 10; ++k)
        reds[std::size_t(k)] = true;
    blues[0] = true;
    engine.generate(reds, blues, GenerationRequest());
    const BetList before = engine.current();
    reds.fill(true);

    auto stoppedEarly = std::make_shared<std::atomic<bool>>(false);
    bool applied = false;
    QPointer<BackgroundTask> task = BackgroundTask::start<EngineResult>(
        &window, QStringLiteral("正在生成投注号码"),
        [reds, blues, stoppedEarly](const ProgressFn &progress) {
            const ProgressFn heldAtFirst = [&](qint64 done, qint64 total) {
                const bool goOn = spinUntil(progress, [] { return false; }) >= 0 && progress(done, total);
                *stoppedEarly = !goOn;
                return goOn;
            };
            return listsAfterGeneration(reds, blues, GenerationRequest(), heldAtFirst);
        },
        [&](EngineResult r) {
            engine.apply(r);
            applied = true;
        });
    QSignalSpy finished(task.data(), &BackgroundTask::finished);
    QProgressDialog *dialog = task->dialog();
    QTRY_VERIFY(dialog->isVisible());
    QCOMPARE(dialog->windowModality(), Qt::WindowModal);
    auto *cancel = dialog->findChild<QPushButton *>();
    QVERIFY(cancel);
    QCOMPARE(cancel->text(), QStringLiteral("取消"));
    QTest::mouseClick(cancel, Qt::LeftButton);
    QTRY_COMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toBool(), false);
    QVERIFY(*stoppedEarly);
    QVERIFY(!applied);
    QCOMPARE(engine.current().size(), before.size());
    QCOMPARE(engine.current().data(), engine.generated().data());
    QTRY_VERIFY(task.isNull());
}

void TestBackgroundTask::eventLoopKeepsRunning()
{
    // The work ends only after the UI thread's timer has ticked five times: a runner that
    // blocked the event loop would never get there.
    QWidget window;
    window.show();
    auto ticks = std::make_shared<std::atomic<int>>(0);
    QTimer clock;
    connect(&clock, &QTimer::timeout, this, [ticks] { ++*ticks; });
    clock.start(10);
    int reached = 0;
    QPointer<BackgroundTask> task = BackgroundTask::start<int>(
        &window, QStringLiteral("计算中"),
        [ticks](const ProgressFn &progress) { return spinUntil(progress, [ticks] { return *ticks >= 5; }); },
        [&](int r) { reached = r; });
    QSignalSpy finished(task.data(), &BackgroundTask::finished);
    QTRY_COMPARE(finished.count(), 1);
    QCOMPARE_GE(ticks->load(), 5);
    QCOMPARE_GT(reached, 0);
    QCOMPARE_LT(reached, 100000);
}

void TestBackgroundTask::closingTheWindowStopsTheWork()
{
    auto window = std::make_unique<QWidget>();
    window->show();
    auto result = std::make_shared<std::atomic<int>>(0);
    auto running = std::make_shared<std::atomic<bool>>(false);
    bool applied = false;
    BackgroundTask::start<int>(
        window.get(), QStringLiteral("计算中"),
        [result, running](const ProgressFn &progress) {
            *running = true;
            *result = spinUntil(progress, [] { return false; });
            return 0;
        },
        [&](int) { applied = true; });
    QTRY_VERIFY(*running);
    window.reset(); // waits for the worker
    QCOMPARE(int(*result), -1);
    QCoreApplication::processEvents(); // anything still queued for the task went with it
    QVERIFY(!applied);
}

QTEST_MAIN(TestBackgroundTask)
#include "tst_backgroundtask.moc"

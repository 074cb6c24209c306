#pragma once
// BackgroundTask: runs one long core computation off the UI thread behind a progress dialog.
// Generation, filtering, guarantee reduction, export, the big prize check and the download
// analysis all go through it.
//
//   const BetLists snapshot = m_engine.lists();                  // taken on the UI thread
//   BackgroundTask::start<EngineResult>(this, QStringLiteral("正在过滤..."),
//       [snapshot, method, settings](const ProgressFn &progress) { // on a pool thread
//           return listsAfterFilter(snapshot, method, settings, progress);
//       },
//       [this](EngineResult r) {                                  // back on the UI thread
//           m_engine.apply(r);
//           m_messages.show(this, r.outcome);
//           showFirstPage();
//       });
//
// compute receives the ProgressFn to hand to the core routine: its reports move the bar, and
// it answers false once "取消" was pressed, so the routine stops at its next check. compute
// must capture by value everything it reads and touch no widget. apply runs on the UI thread,
// and only when the work ran to its end without a cancel: a cancelled task calls nothing, so
// the window and its lists stay as they were.
//
// The dialog appears only when the work lasts longer than kShowAfterMs. It is window modal:
// the user cannot start a second operation on the window, while the event loop keeps running
// (clocks tick, windows repaint). The task emits finished() and deletes itself when done;
// destroying its parent cancels the work and waits for the worker to stop.
#include "core/bets/Progress.h"

#include <QFutureWatcher>
#include <QObject>
#include <QPointer>
#include <QProgressDialog>
#include <QPromise>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <utility>


class BackgroundTask : public QObject {
    Q_OBJECT
public:
    static constexpr int kShowAfterMs = 400;
    static constexpr int kSteps = 1000; // the bar's range

    // Result is what compute returns; compute(const ProgressFn &) -> Result; apply(Result).
    template <class Result, class Compute, class Apply>
    static BackgroundTask *start(QWidget *parent, const QString &label, Compute compute, Apply apply);

    ~BackgroundTask() override;

    QProgressDialog *dialog() const { return m_dialog; }
    // As the dialog's "取消": the work stops at its next check and apply is not called.
    void cancel();

signals:
    // applied: apply was called (the work was not cancelled).
    void finished(bool applied);

private:
    BackgroundTask(QWidget *parent, const QString &label);
    void watch(QFutureWatcherBase *watcher);
    void done(bool applied);

    QPointer<QProgressDialog> m_dialog;
    QFutureWatcherBase *m_watcher = nullptr;
    bool m_done = false; // the result was taken: the future is no longer valid to wait on
};

template <class Result, class Compute, class Apply>
BackgroundTask *BackgroundTask::start(QWidget *parent, const QString &label, Compute compute, Apply apply)
{
    auto *task = new BackgroundTask(parent, label);
    auto *watcher = new QFutureWatcher<Result>(task);
    connect(watcher, &QFutureWatcherBase::finished, task, [task, watcher, apply = std::move(apply)]() mutable {
        if (task->m_done)
            return;
        // A cancel pressed after the work ended still counts: nothing is applied.
        const bool applies = !watcher->isCanceled() && watcher->future().resultCount() > 0;
        // result(), not takeResult(): taking resets the future's state, and a worker that has
        // reported its end but not yet let go of its promise then reports a cancel and a
        // second end, which would end the next job in its place.
        if (applies)
            apply(watcher->future().result());
        task->done(applies);
    });
    task->watch(watcher);
    watcher->setFuture(QtConcurrent::run([compute = std::move(compute)](QPromise<Result> &promise) mutable {
        promise.setProgressRange(0, kSteps);
        const ProgressFn progress = [&promise](qint64 done, qint64 total) {
            if (total > 0)
                promise.setProgressValue(int(std::clamp<qint64>(done * kSteps / total, 0, kSteps)));
            return !promise.isCanceled();
        };
        Result result = compute(progress);
        if (!promise.isCanceled())
            promise.addResult(std::move(result));
    }));
    return task;
}

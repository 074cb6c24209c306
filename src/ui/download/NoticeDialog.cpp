#include "ui/download/NoticeDialog.h"

#include "core/download/NoticeUpdate.h"
#include "core/history/DrawDatabase.h"
#include "ui/widgets/BackgroundTask.h"
#include "ui/widgets/Messages.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMutexLocker>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {
const QString kReading = QStringLiteral("正在读取开奖公告，请稍等...");
const QString kImporting = QStringLiteral("正在导入开奖公告文件，请稍等...");
} // namespace

NoticeDialog::NoticeDialog(QSqlDatabase db, const QString &programDir, Messages &messages, QWidget *parent)
    : QDialog(parent), m_db(db), m_programDir(programDir), m_messages(messages)
{
    setObjectName(QStringLiteral("NoticeDialog"));
    setWindowTitle(QStringLiteral("从开奖公告更新"));
    setModal(true);

    m_logList = new QListWidget(this);
    m_logList->setObjectName(QStringLiteral("logList"));
    m_logList->setSelectionMode(QAbstractItemView::NoSelection);
    m_logList->setUniformItemSizes(true);

    m_startButton = new QPushButton(QStringLiteral("开始更新"), this);
    m_startButton->setObjectName(QStringLiteral("startButton"));
    m_quitButton = new QPushButton(QStringLiteral("退出"), this);
    m_quitButton->setObjectName(QStringLiteral("quitButton"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_startButton);
    buttons->addWidget(m_quitButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_logList, 1);
    layout->addLayout(buttons);
    resize(560, 300);

    // The worker's lines arrive in bundles: thousands of draws cost the window a few repaints.
    m_logTimer = new QTimer(this);
    m_logTimer->setInterval(100);
    connect(m_logTimer, &QTimer::timeout, this, &NoticeDialog::drainLog);

    connect(m_startButton, &QPushButton::clicked, this, &NoticeDialog::startUpdate);
    connect(m_quitButton, &QPushButton::clicked, this, &QDialog::reject);
    // Closing while a job runs stops it at its next check; what was stored stays.
    connect(this, &QDialog::finished, this, [this] {
        if (m_task) {
            delete m_task; // cancels and waits for the worker
            ended(false);
        }
    });
}

NoticeDialog::~NoticeDialog()
{
    // The worker reports to this dialog: it must be gone first.
    delete m_task;
}

BackgroundTask *NoticeDialog::task() const
{
    return m_task;
}

DownloadSink NoticeDialog::workerSink()
{
    DownloadSink sink;
    sink.log = [this](const QString &line) {
        QMutexLocker lock(&m_mutex);
        m_pendingLog << line;
    };
    // A refused entry or a draw the batch did not store: a line of the log, as the job goes on.
    sink.message = [this](const Outcome &message) {
        QMutexLocker lock(&m_mutex);
        m_pendingLog << message.message;
    };
    sink.stored = [this](const QString &qishu) {
        QMutexLocker lock(&m_mutex);
        m_storedDraws << qishu;
    };
    return sink;
}

void NoticeDialog::drainLog()
{
    QStringList lines;
    {
        QMutexLocker lock(&m_mutex);
        lines.swap(m_pendingLog);
    }
    if (lines.isEmpty())
        return;
    m_logList->addItems(lines);
    m_logList->scrollToBottom();
}

template <class Job>
void NoticeDialog::run(const QString &label, Job job)
{
    {
        QMutexLocker lock(&m_mutex);
        m_storedDraws.clear();
    }
    m_startButton->setEnabled(false);
    m_logTimer->start();
    const QString historyDir = QFileInfo(DrawDatabase::filePath(m_db)).absolutePath();
    m_task = BackgroundTask::start<NoticeResult>(
        this, label,
        [this, historyDir, job](const ProgressFn &progress) { return job(NoticeUpdate(workerSink()), historyDir, progress); },
        [this](const NoticeResult &result) { showResult(result); });
    connect(m_task, &BackgroundTask::finished, this, [this](bool applied) {
        if (!applied)
            ended(false);
    });
}

void NoticeDialog::startUpdate()
{
    if (m_task)
        return;
    const NoticeAddress notice = readNoticeAddress(m_programDir);
    if (!notice.outcome.ok()) {
        m_messages.show(this, notice.outcome);
        return;
    }
    const QUrl address = notice.address;
    run(kReading, [address](const NoticeUpdate &update, const QString &historyDir, const ProgressFn &progress) {
        return update.fetchAndStoreAt(historyDir, address, NoticeUpdate::kDefaultMaxPages, progress);
    });
}

void NoticeDialog::importFiles(const QStringList &paths)
{
    if (m_task || paths.isEmpty())
        return;
    run(kImporting, [paths](const NoticeUpdate &update, const QString &historyDir, const ProgressFn &progress) {
        return update.importFilesAt(historyDir, paths, progress);
    });
}

void NoticeDialog::showResult(const NoticeResult &result)
{
    drainLog();
    if (result.outcome.isCancelled()) {
        ended(false);
        return;
    }
    ended(true);
    // A refused page has its line in the log already; its box says it again.
    m_messages.show(this, result.outcome);
}

// Once per job: the log is complete, the history hears of every draw stored.
void NoticeDialog::ended(bool applied)
{
    m_task = nullptr;
    m_logTimer->stop();
    drainLog();
    QStringList stored;
    {
        QMutexLocker lock(&m_mutex);
        stored.swap(m_storedDraws);
    }
    if (!applied) {
        const QString text = NoticeUpdateTexts::cancelled(int(stored.size()));
        m_logList->addItem(text);
        m_logList->scrollToBottom();
        m_messages.information(this, text);
    }
    if (!stored.isEmpty())
        emit drawsStored(stored);
    m_startButton->setEnabled(true);
    emit updateEnded();
}

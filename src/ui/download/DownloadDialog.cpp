#include "ui/download/DownloadDialog.h"

#include "core/download/DrawDownload.h"
#include "core/download/DrawPage.h"
#include "core/history/DrawDatabase.h"
#include "ui/widgets/BackgroundTask.h"
#include "ui/widgets/Messages.h"
#include "ui/widgets/Colours.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMutexLocker>
#include <QPushButton>
#include <QRadioButton>
#include <QSemaphore>
#include <QShowEvent>
#include <QVBoxLayout>

#include <memory>

namespace T = DrawPageTexts;

// Carries what the storing's worker reports to the dialog's thread, in the order it happens.
// Log lines go in bundles, so the thousands of lines of a whole history cost the window a few
// dozen turns of its event loop rather than one each. A message of the batch waits until the
// window has shown it, as the batch waits for its box on the window's own thread; a cancel
// ends the wait. Lives on the worker; the dialog outlives it (stopStoring waits for the worker).
class DownloadDialog::Relay {
public:
    static constexpr int kBundle = 200;

    Relay(DownloadDialog *dialog, ProgressFn progress) : m_dialog(dialog), m_progress(std::move(progress)) {}

    DownloadSink sink()
    {
        DownloadSink s;
        s.log = [this](const QString &line) {
            m_lines << line;
            if (m_lines.size() >= kBundle)
                flush();
        };
        s.message = [this](const Outcome &message) { show(message); };
        s.storing = [this](int) {
            flush();
            QMutexLocker lock(&m_dialog->m_storedMutex);
            m_dialog->m_foundNew = true;
        };
        s.stored = [this](const QString &drawNumber) {
            QMutexLocker lock(&m_dialog->m_storedMutex);
            m_dialog->m_storedDraws << drawNumber;
        };
        return s;
    }
    // Before each draw: the lines so far are on their way before the storing moves on.
    ProgressFn progress()
    {
        return [this](qint64 done, qint64 total) {
            flush();
            return m_progress(done, total);
        };
    }
    void flush()
    {
        if (m_lines.isEmpty())
            return;
        DownloadDialog *dialog = m_dialog;
        QMetaObject::invokeMethod(
            dialog, [dialog, lines = std::move(m_lines)] { dialog->appendLog(lines); }, Qt::QueuedConnection);
        m_lines = QStringList();
    }

private:
    void show(const Outcome &message)
    {
        flush();
        DownloadDialog *dialog = m_dialog;
        auto shown = std::make_shared<QSemaphore>();
        QMetaObject::invokeMethod(
            dialog,
            [dialog, message, shown] {
                dialog->m_messages.show(dialog, message);
                shown->release();
            },
            Qt::QueuedConnection);
        // A progress report of nothing only asks whether to go on.
        while (!shown->tryAcquire(1, 20))
            if (!m_progress(0, 0))
                return;
    }

    DownloadDialog *m_dialog;
    ProgressFn m_progress;
    QStringList m_lines;
};

DownloadDialog::DownloadDialog(QSqlDatabase db, const QString &programDir, Messages &messages, QWidget *parent)
    : QDialog(parent), m_db(db), m_programDir(programDir), m_messages(messages), m_fetch(new PageFetch(this))
{
    setObjectName(QStringLiteral("DownloadDialog"));
    setWindowTitle(QStringLiteral("开奖数据自动更新"));
    setModal(true);

    auto *kind = new QGroupBox(QStringLiteral("更新种类"), this);
    kind->setObjectName(QStringLiteral("updateKindGroup"));
    auto *kindLayout = new QVBoxLayout(kind);
    m_latestChoice = new QRadioButton(QStringLiteral("最新开奖数据更新"), kind);
    m_latestChoice->setObjectName(QStringLiteral("latestChoice"));
    m_latestChoice->setChecked(true);
    m_historyChoice = new QRadioButton(QStringLiteral("历史数据更新"), kind);
    m_historyChoice->setObjectName(QStringLiteral("historyChoice"));
    auto note = [kind](const QString &text) {
        auto *label = new QLabel(text, kind);
        label->setStyleSheet(Colours::textStyle(Colours::red) + QStringLiteral(" margin-left: 20px;"));
        return label;
    };
    kindLayout->addWidget(m_latestChoice);
    kindLayout->addWidget(note(QStringLiteral("仅更新最新15天内开奖数据")));
    kindLayout->addSpacing(12);
    kindLayout->addWidget(m_historyChoice);
    kindLayout->addWidget(note(QStringLiteral("将更新所有历史期数，耗时将会很长")));
    kindLayout->addStretch(1);

    m_logList = new QListWidget(this);
    m_logList->setObjectName(QStringLiteral("logList"));
    m_logList->setSelectionMode(QAbstractItemView::NoSelection);
    m_logList->setUniformItemSizes(true);

    m_startButton = new QPushButton(QStringLiteral("开始下载"), this);
    m_startButton->setObjectName(QStringLiteral("startButton"));
    m_quitButton = new QPushButton(QStringLiteral("退出"), this);
    m_quitButton->setObjectName(QStringLiteral("quitButton"));

    auto *top = new QHBoxLayout;
    top->addWidget(kind);
    top->addWidget(m_logList, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_startButton);
    buttons->addWidget(m_quitButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    resize(560, 300);

    connect(m_startButton, &QPushButton::clicked, this, &DownloadDialog::startDownload);
    connect(m_quitButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_fetch, &PageFetch::finished, this, &DownloadDialog::pageArrived);
    // A page still on its way when the dialog closes is not analysed; draws being stored stop
    // at the next one, and those stored stay.
    connect(this, &QDialog::finished, this, [this] {
        m_fetch->abort();
        m_awaitingPage = false;
        stopStoring();
        m_startButton->setEnabled(true);
    });
}

DownloadDialog::~DownloadDialog()
{
    // The worker reports to this dialog: it must be gone before the dialog is.
    delete m_storing;
}

bool DownloadDialog::foundNew() const
{
    QMutexLocker lock(&m_storedMutex);
    return m_foundNew;
}

void DownloadDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    QMutexLocker lock(&m_storedMutex);
    m_foundNew = false;
    m_awaitingPage = false;
}

void DownloadDialog::log(const QString &line)
{
    appendLog({line});
}

void DownloadDialog::appendLog(const QStringList &lines)
{
    m_logList->addItems(lines);
    m_logList->scrollToBottom();
}

void DownloadDialog::startDownload()
{
    {
        QMutexLocker lock(&m_storedMutex);
        m_foundNew = false;
    }
    const DownloadAddresses addresses = readDownloadAddresses(m_programDir);
    if (!addresses.outcome.ok()) {
        m_messages.show(this, addresses.outcome);
        return;
    }
    QUrl address = addresses.latest;
    if (!m_latestChoice->isChecked()) {
        if (!m_messages.question(this, T::historyQuestion))
            return;
        address = addresses.history;
    }
    DownloadSink sink;
    sink.log = [this](const QString &line) { log(line); };
    DrawDownload(sink).fetching();
    m_startButton->setEnabled(false);
    m_awaitingPage = true;
    m_fetch->start(address);
}

void DownloadDialog::pageArrived(const FetchedPage &page)
{
    if (!m_awaitingPage)
        return;
    m_awaitingPage = false;
    if (!page.ok) {
        // The page never came: say so, rather than that it held nothing new.
        const QString text = T::fetchFailed(page.error);
        log(text);
        m_messages.information(this, text);
        m_startButton->setEnabled(true);
        emit downloadEnded();
        return;
    }
    storeInBackground(page);
}

// The page's text, its analysis and the storing run on a worker, on a connection of its own to
// the history file behind the window's; this thread only appends the log and shows messages.
void DownloadDialog::storeInBackground(const FetchedPage &page)
{
    {
        QMutexLocker lock(&m_storedMutex);
        m_storedDraws.clear();
    }
    const QString historyDir = QFileInfo(DrawDatabase::filePath(m_db)).absolutePath();
    m_storing = BackgroundTask::start<DownloadResult>(
        this, T::analysing,
        [this, historyDir, page](const ProgressFn &progress) {
            Relay relay(this, progress);
            const DownloadResult result = DrawDownload(relay.sink()).storePageAt(historyDir, page.text(), relay.progress());
            relay.flush();
            return result;
        },
        // The page held nothing new, or the history could not be read.
        [this](const DownloadResult &result) { m_messages.show(this, result.outcome); });
    connect(m_storing, &BackgroundTask::finished, this, [this] { storingEnded(true); });
}

// Once, at the end: the history hears of every draw stored, also when the storing was cancelled.
void DownloadDialog::storingEnded(bool downloadEnds)
{
    m_storing = nullptr;
    QStringList stored;
    {
        QMutexLocker lock(&m_storedMutex);
        stored.swap(m_storedDraws);
    }
    if (!stored.isEmpty())
        emit drawsStored(stored);
    m_startButton->setEnabled(true);
    if (downloadEnds)
        emit downloadEnded();
}

// The dialog closes while draws are being stored: they stop at the next one.
void DownloadDialog::stopStoring()
{
    if (!m_storing)
        return;
    delete m_storing; // cancels the work and waits for the worker
    storingEnded(false);
}

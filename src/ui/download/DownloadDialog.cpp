#include "ui/download/DownloadDialog.h"

#include "ui/history/DrawEntryDialog.h"
#include "ui/widgets/Messages.h"
#include "ui/widgets/Colours.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace T = DrawPageTexts;

DownloadDialog::DownloadDialog(QSqlDatabase db, DrawEntryDialog *entry, const QString &programDir, Messages &messages,
                         QWidget *parent)
    : QDialog(parent), m_db(db), m_entry(entry), m_programDir(programDir), m_messages(messages),
      m_fetch(new PageFetch(this))
{
    setObjectName(QStringLiteral("DownloadDialog"));
    setWindowTitle(QStringLiteral("开奖数据自动更新"));
    setModal(true);

    auto *kind = new QGroupBox(QStringLiteral("更新种类"), this);
    kind->setObjectName(QStringLiteral("GroupBox1"));
    auto *kindLayout = new QVBoxLayout(kind);
    latestChoice = new QRadioButton(QStringLiteral("最新开奖数据更新"), kind);
    latestChoice->setObjectName(QStringLiteral("latestChoice"));
    latestChoice->setChecked(true);
    historyChoice = new QRadioButton(QStringLiteral("历史数据更新"), kind);
    historyChoice->setObjectName(QStringLiteral("historyChoice"));
    auto note = [kind](const QString &text) {
        auto *label = new QLabel(text, kind);
        label->setStyleSheet(Colours::textStyle(Colours::red) + QStringLiteral(" margin-left: 20px;"));
        return label;
    };
    kindLayout->addWidget(latestChoice);
    kindLayout->addWidget(note(QStringLiteral("仅更新最新15天内开奖数据")));
    kindLayout->addSpacing(12);
    kindLayout->addWidget(historyChoice);
    kindLayout->addWidget(note(QStringLiteral("将更新所有历史期数，耗时将会很长")));
    kindLayout->addStretch(1);

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setSelectionMode(QAbstractItemView::NoSelection);
    ListBox1->setUniformItemSizes(true);

    startButton = new QPushButton(QStringLiteral("开始下载"), this);
    startButton->setObjectName(QStringLiteral("btnStart"));
    quitButton = new QPushButton(QStringLiteral("退出"), this);
    quitButton->setObjectName(QStringLiteral("btnQuit"));

    auto *top = new QHBoxLayout;
    top->addWidget(kind);
    top->addWidget(ListBox1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(startButton);
    buttons->addWidget(quitButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    resize(560, 300);

    connect(startButton, &QPushButton::clicked, this, &DownloadDialog::startDownload);
    connect(quitButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_fetch, &PageFetch::finished, this, &DownloadDialog::pageArrived);
    // A page still on its way when the dialog closes is not analysed.
    connect(this, &QDialog::finished, this, [this] {
        m_fetch->abort();
        IgnoreDownload = true;
        startButton->setEnabled(true);
    });
}

void DownloadDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    FoundNew = false;
    IgnoreDownload = true;
}

void DownloadDialog::log(const QString &line)
{
    ListBox1->addItem(line);
    ListBox1->scrollToBottom();
}

void DownloadDialog::startDownload()
{
    FoundNew = false;
    const DownloadAddresses addresses = readDownloadAddresses(m_programDir);
    if (!addresses.outcome.ok()) {
        m_messages.show(this, addresses.outcome);
        return;
    }
    QUrl address = addresses.latest;
    if (!latestChoice->isChecked()) {
        if (!m_messages.question(this, T::historyQuestion))
            return;
        address = addresses.history;
    }
    log(T::downloading);
    startButton->setEnabled(false);
    IgnoreDownload = false;
    m_fetch->start(address);
}

void DownloadDialog::pageArrived(const FetchedPage &page)
{
    if (IgnoreDownload)
        return;
    IgnoreDownload = true;
    if (page.ok) {
        log(T::analysing);
        analyse(page.text());
    } else {
        // The page never came: say so, rather than that it held nothing new.
        const QString text = T::fetchFailed(page.error);
        log(text);
        m_messages.information(this, text);
    }
    startButton->setEnabled(true);
    emit downloadEnded();
}

void DownloadDialog::analyse(const QString &pageText)
{
    m_entry->setBatchText(QString());
    const PageAnalysis analysis = analyseDrawPage(m_db, pageText);
    if (!analysis.outcome.ok()) {
        m_messages.show(this, analysis.outcome);
        return;
    }
    FoundNew = analysis.foundNew();
    m_entry->setBatchText(analysis.batchLines.join(QLatin1Char('\n')));
    ListBox1->addItems(analysis.logLines);
    ListBox1->scrollToBottom();
    if (!FoundNew) {
        m_messages.information(this, T::nothingNew);
        return;
    }
    m_entry->AnnounceInserts = false;
    m_entry->insertDrawBatch();
    m_entry->AnnounceInserts = true;
    log(T::updated);
}

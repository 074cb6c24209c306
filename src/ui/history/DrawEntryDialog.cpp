#include "ui/history/DrawEntryDialog.h"

#include "ui/widgets/Messages.h"
#include "ui/widgets/Colours.h"

#include <QDate>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QLineEdit *edit(QWidget *parent, const char *name, const char *allowed)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    // Refused characters are dropped as they are typed, and so is a paste holding any.
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(QString::fromLatin1(allowed)), e));
    return e;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

} // namespace

DrawEntryDialog::DrawEntryDialog(QSqlDatabase db, Messages &messages, QWidget *parent)
    : QDialog(parent), m_db(db), m_messages(messages)
{
    setObjectName(QStringLiteral("DrawEntryDialog"));
    setWindowTitle(QStringLiteral("开奖数据录入"));
    auto *layout = new QVBoxLayout(this);
    tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("tabs"));
    tabs->addTab(buildSingleTab(), QStringLiteral("单个开奖数据录入"));
    tabs->addTab(buildBatchTab(), QStringLiteral("批量开奖数据录入"));
    layout->addWidget(tabs);
    resize(560, 330);
}

QWidget *DrawEntryDialog::buildSingleTab()
{
    auto *page = new QWidget(this);
    auto *grid = new QGridLayout(page);
    Edit2 = edit(page, "Edit2", "[0-9]*");
    Edit1 = edit(page, "Edit1", "[0-9 ]*");
    Edit3 = edit(page, "Edit3", "[0-9]*");
    Edit4 = edit(page, "Edit4", "[0-9]*");
    for (QLineEdit *e : {Edit2, Edit3, Edit4})
        e->setMaximumWidth(120);

    // Each caption is its field's buddy, so a screen reader names the field by it.
    auto caption = [&](const QString &text, QWidget *field, int row) {
        auto *label = new QLabel(text, page);
        label->setBuddy(field);
        grid->addWidget(label, row, 0, Qt::AlignRight);
    };
    caption(QStringLiteral("请输入开奖期数："), Edit2, 0);
    grid->addWidget(Edit2, 0, 1, 1, 7, Qt::AlignLeft);
    caption(QStringLiteral("红色球："), Edit1, 1);
    grid->addWidget(Edit1, 1, 1, 1, 7);
    auto *hint = new QLabel(QStringLiteral("（各数字用空格隔开， 如：01 02 03 04 05 06 07）"), page);
    hint->setStyleSheet(Colours::textStyle(Colours::red));
    grid->addWidget(hint, 2, 1, 1, 7);
    caption(QStringLiteral("蓝色球："), Edit3, 3);
    grid->addWidget(Edit3, 3, 1, 1, 7, Qt::AlignLeft);
    caption(QStringLiteral("快乐星期天："), Edit4, 4);
    grid->addWidget(Edit4, 4, 1, 1, 7, Qt::AlignLeft);

    for (int i = 0; i < 6; ++i) {
        Edit11_16[i] = new QLineEdit(page);
        Edit11_16[i]->setObjectName(QStringLiteral("Edit%1").arg(11 + i));
        grid->addWidget(Edit11_16[i], 5, 1 + i);
    }
    caption(QStringLiteral("确认号码："), Edit11_16[0], 5);
    Edit17 = new QLineEdit(page);
    Edit17->setObjectName(QStringLiteral("Edit17"));
    Edit17->setStyleSheet(Colours::textStyle(Colours::blue));
    grid->addWidget(Edit17, 5, 7);
    for (QLineEdit *e : Edit11_16)
        e->setStyleSheet(Colours::textStyle(Colours::red));
    for (QLineEdit *e : {Edit11_16[0], Edit11_16[1], Edit11_16[2], Edit11_16[3], Edit11_16[4], Edit11_16[5], Edit17}) {
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        e->setMaximumWidth(40);
        e->setAlignment(Qt::AlignCenter);
    }

    auto *buttons = new QHBoxLayout;
    QPushButton *insert = button(page, "btnInsert", QStringLiteral("确定输入"));
    QPushButton *retype = button(page, "btnRetype", QStringLiteral("重新输入"));
    QPushButton *quit = button(page, "btnQuit", QStringLiteral("退出"));
    buttons->addStretch(1);
    buttons->addWidget(insert);
    buttons->addWidget(retype);
    buttons->addWidget(quit);
    grid->setRowStretch(6, 1);
    grid->addLayout(buttons, 7, 0, 1, 8);

    for (QLineEdit *e : {Edit1, Edit3, Edit4})
        e->installEventFilter(this);
    connect(insert, &QPushButton::clicked, this, [this] { insertDraw(); });
    connect(retype, &QPushButton::clicked, Edit1, &QLineEdit::clear);
    connect(quit, &QPushButton::clicked, this, &QDialog::reject);
    return page;
}

QWidget *DrawEntryDialog::buildBatchTab()
{
    auto *page = new QWidget(this);
    auto *row = new QHBoxLayout(page);
    Memo1 = new QPlainTextEdit(page);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setTabChangesFocus(true);
    Memo1->installEventFilter(this);
    row->addWidget(Memo1, 1);

    auto *side = new QVBoxLayout;
    const char *notes[] = {"注意事项：", "每行输入一组数据；", "每个数字之间用空格隔开；", "数据输入格式为：期数 开奖号码",
                           "如：2007001 01 02 03 04 05 06 07", "每组数据应为七位数", "快乐星期天开奖号码则取第八位",
                           "如果超出八位则取前八位"};
    for (const char *note : notes)
        side->addWidget(new QLabel(QString::fromUtf8(note), page));
    side->addStretch(1);
    auto *buttons = new QHBoxLayout;
    QPushButton *insert = button(page, "btnBatchInsert", QStringLiteral("确定输入"));
    QPushButton *quit = button(page, "btnBatchQuit", QStringLiteral("退出"));
    buttons->addWidget(insert);
    buttons->addWidget(quit);
    side->addLayout(buttons);
    row->addLayout(side);

    connect(insert, &QPushButton::clicked, this, [this] { insertDrawBatch(); });
    connect(quit, &QPushButton::clicked, this, &QDialog::reject);
    return page;
}

void DrawEntryDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    AnnounceInserts = true;
    Edit1->clear();
    Edit3->clear();
    Edit2->setText(proposeNextDrawNumber(m_db, QDate::currentDate().year()));
}

bool DrawEntryDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        // Leaving a field for another control of this window; not the window losing focus.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (watched == Edit1)
                Edit1Exit();
            else if (watched == Edit3 || watched == Edit4)
                BlueExit();
        }
    } else if (watched == Memo1 && event->type() == QEvent::KeyPress) {
        // Digits, the blank and Enter; keys that type nothing (editing, moving) pass.
        const QString text = static_cast<QKeyEvent *>(event)->text();
        if (!text.isEmpty() && text.at(0).isPrint()) {
            for (const QChar c : text)
                if (!(c.isDigit() && c.unicode() < 128) && c != QLatin1Char(' '))
                    return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void DrawEntryDialog::Edit1Exit()
{
    for (QLineEdit *e : Edit11_16)
        e->clear();
    const RedParse p = parseReds(Edit1->text());
    if (!p.outcome.ok()) {
        m_messages.information(this, p.outcome.message);
        return;
    }
    for (int i = 0; i < 6; ++i)
        Edit11_16[i]->setText(p.balls[i]);
}

void DrawEntryDialog::BlueExit()
{
    const BlueStep s = stepBlue(Edit3->text());
    if (!s.outcome.ok()) {
        m_messages.information(this, s.outcome.message);
        return;
    }
    Edit17->setText(s.ball);
}

InsertResult DrawEntryDialog::insertDraw()
{
    EntryFields f;
    f.qishu = Edit2->text();
    for (int i = 0; i < 6; ++i)
        f.reds[i] = Edit11_16[i]->text();
    f.blue = Edit17->text();
    f.extra = Edit4->text();
    const InsertResult r = ::insertDraw(m_db, f);
    switch (r.status) {
    case InsertResult::Refused:
        m_messages.information(this, r.message);
        break;
    case InsertResult::Failed:
        m_messages.error(this, r.message);
        break;
    case InsertResult::Inserted:
        if (AnnounceInserts)
            m_messages.information(this, r.message);
        Edit2->setText(r.nextQishu);
        if (m_batchStored)
            m_batchStored->append(f.qishu);
        else
            emit drawsStored({f.qishu});
        break;
    }
    return r;
}

void DrawEntryDialog::setBatchText(const QString &text)
{
    Memo1->setPlainText(text);
}

BatchReport DrawEntryDialog::insertDrawBatch()
{
    BatchHooks hooks;
    hooks.message = [this](const QString &text) { m_messages.information(this, text); };
    hooks.insert = [this](const EntryFields &f) {
        Edit2->setText(f.qishu);
        for (int i = 0; i < 6; ++i)
            Edit11_16[i]->setText(f.reds[i]);
        Edit17->setText(f.blue);
        Edit4->setText(f.extra);
        return insertDraw();
    };
    QStringList stored;
    m_batchStored = &stored;
    const BatchReport report = ::insertDrawBatch(m_db, Memo1->toPlainText().split(QLatin1Char('\n')), hooks);
    m_batchStored = nullptr;
    if (!stored.isEmpty())
        emit drawsStored(stored);
    return report;
}

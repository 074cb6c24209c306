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
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabs"));
    m_tabs->addTab(buildSingleTab(), QStringLiteral("单个开奖数据录入"));
    m_tabs->addTab(buildBatchTab(), QStringLiteral("批量开奖数据录入"));
    layout->addWidget(m_tabs);
    resize(560, 330);
}

QWidget *DrawEntryDialog::buildSingleTab()
{
    auto *page = new QWidget(this);
    auto *grid = new QGridLayout(page);
    m_drawNumberEdit = edit(page, "drawNumberEdit", "[0-9]*");
    m_redsEdit = edit(page, "redsEdit", "[0-9 ]*");
    m_blueEdit = edit(page, "blueEdit", "[0-9]*");
    m_extraEdit = edit(page, "extraEdit", "[0-9]*");
    for (QLineEdit *e : {m_drawNumberEdit, m_blueEdit, m_extraEdit})
        e->setMaximumWidth(120);

    // Each caption is its field's buddy, so a screen reader names the field by it.
    auto caption = [&](const QString &text, QWidget *field, int row) {
        auto *label = new QLabel(text, page);
        label->setBuddy(field);
        grid->addWidget(label, row, 0, Qt::AlignRight);
    };
    caption(QStringLiteral("请输入开奖期数："), m_drawNumberEdit, 0);
    grid->addWidget(m_drawNumberEdit, 0, 1, 1, 7, Qt::AlignLeft);
    caption(QStringLiteral("红色球："), m_redsEdit, 1);
    grid->addWidget(m_redsEdit, 1, 1, 1, 7);
    auto *hint = new QLabel(QStringLiteral("（各数字用空格隔开， 如：01 02 03 04 05 06 07）"), page);
    hint->setStyleSheet(Colours::textStyle(Colours::red));
    grid->addWidget(hint, 2, 1, 1, 7);
    caption(QStringLiteral("蓝色球："), m_blueEdit, 3);
    grid->addWidget(m_blueEdit, 3, 1, 1, 7, Qt::AlignLeft);
    caption(QStringLiteral("快乐星期天："), m_extraEdit, 4);
    grid->addWidget(m_extraEdit, 4, 1, 1, 7, Qt::AlignLeft);

    for (int i = 0; i < 6; ++i) {
        m_confirmedRedEdits[i] = new QLineEdit(page);
        m_confirmedRedEdits[i]->setObjectName(QStringLiteral("confirmedRedEdit%1").arg(1 + i));
        grid->addWidget(m_confirmedRedEdits[i], 5, 1 + i);
    }
    caption(QStringLiteral("确认号码："), m_confirmedRedEdits[0], 5);
    m_confirmedBlueEdit = new QLineEdit(page);
    m_confirmedBlueEdit->setObjectName(QStringLiteral("confirmedBlueEdit"));
    m_confirmedBlueEdit->setStyleSheet(Colours::textStyle(Colours::blue));
    grid->addWidget(m_confirmedBlueEdit, 5, 7);
    std::array<QLineEdit *, 7> confirmed{};
    for (int i = 0; i < 6; ++i) {
        m_confirmedRedEdits[i]->setStyleSheet(Colours::textStyle(Colours::red));
        confirmed[i] = m_confirmedRedEdits[i];
    }
    confirmed[6] = m_confirmedBlueEdit;
    for (QLineEdit *e : confirmed) {
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        e->setMaximumWidth(40);
        e->setAlignment(Qt::AlignCenter);
    }

    auto *buttons = new QHBoxLayout;
    QPushButton *insert = button(page, "insertButton", QStringLiteral("确定输入"));
    QPushButton *retype = button(page, "retypeButton", QStringLiteral("重新输入"));
    QPushButton *quit = button(page, "quitButton", QStringLiteral("退出"));
    buttons->addStretch(1);
    buttons->addWidget(insert);
    buttons->addWidget(retype);
    buttons->addWidget(quit);
    grid->setRowStretch(6, 1);
    grid->addLayout(buttons, 7, 0, 1, 8);

    for (QLineEdit *e : {m_redsEdit, m_blueEdit, m_extraEdit})
        e->installEventFilter(this);
    connect(insert, &QPushButton::clicked, this, [this] { insertDraw(); });
    connect(retype, &QPushButton::clicked, m_redsEdit, &QLineEdit::clear);
    connect(quit, &QPushButton::clicked, this, &QDialog::reject);
    return page;
}

QWidget *DrawEntryDialog::buildBatchTab()
{
    auto *page = new QWidget(this);
    auto *row = new QHBoxLayout(page);
    m_batchEdit = new QPlainTextEdit(page);
    m_batchEdit->setObjectName(QStringLiteral("batchEdit"));
    m_batchEdit->setTabChangesFocus(true);
    m_batchEdit->installEventFilter(this);
    row->addWidget(m_batchEdit, 1);

    auto *side = new QVBoxLayout;
    const char *notes[] = {"注意事项：", "每行输入一组数据；", "每个数字之间用空格隔开；", "数据输入格式为：期数 开奖号码",
                           "如：2007001 01 02 03 04 05 06 07", "每组数据应为七位数", "快乐星期天开奖号码则取第八位",
                           "如果超出八位则取前八位"};
    for (const char *note : notes)
        side->addWidget(new QLabel(QString::fromUtf8(note), page));
    side->addStretch(1);
    auto *buttons = new QHBoxLayout;
    QPushButton *insert = button(page, "batchInsertButton", QStringLiteral("确定输入"));
    QPushButton *quit = button(page, "batchQuitButton", QStringLiteral("退出"));
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
    m_redsEdit->clear();
    m_blueEdit->clear();
    const Result<QString> next = proposeNextDrawNumber(m_db, QDate::currentDate().year());
    m_messages.show(this, next.outcome);
    m_drawNumberEdit->setText(next.value);
}

bool DrawEntryDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        // Leaving a field for another control of this window; not the window losing focus.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (watched == m_redsEdit)
                confirmReds();
            else if (watched == m_blueEdit || watched == m_extraEdit)
                confirmBlue();
        }
    } else if (watched == m_batchEdit && event->type() == QEvent::KeyPress) {
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

void DrawEntryDialog::confirmReds()
{
    for (QLineEdit *e : m_confirmedRedEdits)
        e->clear();
    const RedParse p = parseReds(m_redsEdit->text());
    if (!p.outcome.ok()) {
        m_messages.information(this, p.outcome.message);
        return;
    }
    for (int i = 0; i < 6; ++i)
        m_confirmedRedEdits[i]->setText(p.balls[i]);
}

void DrawEntryDialog::confirmBlue()
{
    const BlueStep s = stepBlue(m_blueEdit->text());
    if (!s.outcome.ok()) {
        m_messages.information(this, s.outcome.message);
        return;
    }
    m_confirmedBlueEdit->setText(s.ball);
}

Result<QString> DrawEntryDialog::insertDraw()
{
    EntryFields f;
    f.qishu = m_drawNumberEdit->text();
    for (int i = 0; i < 6; ++i)
        f.reds[i] = m_confirmedRedEdits[i]->text();
    f.blue = m_confirmedBlueEdit->text();
    f.extra = m_extraEdit->text();
    const Result<QString> r = ::insertDraw(m_db, f);
    m_messages.show(this, r.outcome);
    if (r.ok()) {
        m_drawNumberEdit->setText(r.value);
        if (m_batchStored)
            m_batchStored->append(f.qishu);
        else
            emit drawsStored({f.qishu});
    }
    return r;
}

BatchReport DrawEntryDialog::insertDrawBatch()
{
    BatchHooks hooks;
    hooks.message = [this](const QString &text) { m_messages.information(this, text); };
    hooks.insert = [this](const EntryFields &f) {
        m_drawNumberEdit->setText(f.qishu);
        for (int i = 0; i < 6; ++i)
            m_confirmedRedEdits[i]->setText(f.reds[i]);
        m_confirmedBlueEdit->setText(f.blue);
        m_extraEdit->setText(f.extra);
        return insertDraw();
    };
    QStringList stored;
    m_batchStored = &stored;
    const BatchReport report = ::insertDrawBatch(m_db, m_batchEdit->toPlainText().split(QLatin1Char('\n')), hooks);
    m_batchStored = nullptr;
    m_messages.show(this, report.outcome);
    if (!stored.isEmpty())
        emit drawsStored(stored);
    return report;
}

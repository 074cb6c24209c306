#include "ui/prize/PrizeCheckDialog.h"

#include "core/bets/BetText.h"
#include "core/history/DrawStore.h"
#include "core/prize/PrizeCheck.h"
#include "ui/widgets/Messages.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const char *const kRedStyle = "color: rgb(255, 0, 0);";

QLabel *redLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setStyleSheet(QString::fromLatin1(kRedStyle));
    return label;
}

QComboBox *drawBox(const QString &name, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(true);
    box->setMinimumWidth(100);
    return box;
}

QPushButton *button(const QString &text, const QString &name, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

PrizeCheckDialog::PrizeCheckDialog(QSqlDatabase db, Messages &messages, QWidget *parent, std::size_t handOverLimit)
    : QDialog(parent), m_db(db), m_messages(messages), m_handOverLimit(handOverLimit)
{
    setObjectName(QStringLiteral("PrizeCheckDialog"));
    setWindowTitle(QStringLiteral("中奖查询"));
    setModal(true);
    tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("PageControl1"));
    tabs->addTab(buildSingleTab(), QStringLiteral("单注查询"));
    tabs->addTab(buildListTab(), QStringLiteral("批量查询"));
    tabs->setCurrentIndex(1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    resize(560, 360);
}

QWidget *PrizeCheckDialog::buildSingleTab()
{
    auto *page = new QWidget(this);
    auto *frame = new QGroupBox(QStringLiteral("请输入您购买的号码"), page);
    auto *grid = new QGridLayout(frame);

    singleDraw = drawBox(QStringLiteral("singleDraw"), frame);
    auto *drawLabel = new QLabel(QStringLiteral("期    数："), frame);
    drawLabel->setBuddy(singleDraw);
    grid->addWidget(drawLabel, 0, 0);
    grid->addWidget(singleDraw, 0, 1, 1, 3, Qt::AlignLeft);

    // Digits and spaces only; any other typed character is dropped.
    auto *filter = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9 ]*")), this);
    auto *numbers = new QHBoxLayout;
    for (int i = 0; i < 7; ++i) {
        auto *field = new QLineEdit(frame);
        field->setObjectName(i < 6 ? QStringLiteral("redField%1").arg(i + 1) : QStringLiteral("blueField"));
        field->setValidator(filter);
        field->setFixedWidth(36);
        if (i == 6)
            field->setStyleSheet(QStringLiteral("color: rgb(0, 0, 255);"));
        numbers->addWidget(field);
        (i < 6 ? redFields[i] : blueField) = field;
    }
    numbers->addStretch(1);
    auto *numberLabel = new QLabel(QStringLiteral("号    码："), frame);
    numberLabel->setBuddy(redFields[0]);
    grid->addWidget(numberLabel, 1, 0);
    grid->addLayout(numbers, 1, 1, 1, 3);

    singleResult = redLabel(QString(), frame);
    singleResult->setObjectName(QStringLiteral("singleResult"));
    auto *resultLabel = new QLabel(QStringLiteral("查询结果："), frame);
    resultLabel->setBuddy(singleResult);
    grid->addWidget(resultLabel, 2, 0);
    grid->addWidget(singleResult, 2, 1, 1, 3);
    grid->setRowStretch(3, 1);

    singleCheckButton = button(QStringLiteral("查询"), QStringLiteral("singleCheckButton"), page);
    QPushButton *close = button(QStringLiteral("退出"), QStringLiteral("singleCloseButton"), page);
    connect(singleCheckButton, &QPushButton::clicked, this, &PrizeCheckDialog::checkSingle);
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(frame, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(singleCheckButton);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    return page;
}

QWidget *PrizeCheckDialog::buildListTab()
{
    auto *page = new QWidget(this);
    auto *frame = new QGroupBox(QStringLiteral("请输入您购买的号码"), page);
    auto *grid = new QGridLayout(frame);

    listDraw = drawBox(QStringLiteral("listDraw"), frame);
    auto *drawLabel = new QLabel(QStringLiteral("期    数："), frame);
    drawLabel->setBuddy(listDraw);
    grid->addWidget(drawLabel, 0, 0);
    grid->addWidget(listDraw, 0, 1, Qt::AlignLeft);

    betListBox = new QPlainTextEdit(frame);
    betListBox->setObjectName(QStringLiteral("betListBox"));
    betListBox->setPlainText(QStringLiteral("1 2 12 3 5 4   13"));
    betListBox->setLineWrapMode(QPlainTextEdit::NoWrap);
    betListBox->installEventFilter(this);
    auto *numberLabel = new QLabel(QStringLiteral("号    码："), frame);
    numberLabel->setBuddy(betListBox);
    grid->addWidget(numberLabel, 1, 0, Qt::AlignTop);
    grid->addWidget(betListBox, 1, 1);
    auto *hints = new QVBoxLayout;
    hints->addWidget(redLabel(QStringLiteral("每行录入一组数据"), frame));
    hints->addWidget(redLabel(QStringLiteral("数据之间用空格隔开"), frame));
    hints->addStretch(1);
    grid->addLayout(hints, 1, 2);

    listResult = redLabel(QString(), frame);
    listResult->setObjectName(QStringLiteral("listResult"));
    auto *resultLabel = new QLabel(QStringLiteral("查询结果："), frame);
    resultLabel->setBuddy(listResult);
    grid->addWidget(resultLabel, 2, 0);
    grid->addWidget(listResult, 2, 1, 1, 2);
    grid->setRowStretch(1, 1);

    listCheckButton = button(QStringLiteral("查询"), QStringLiteral("listCheckButton"), page);
    QPushButton *close = button(QStringLiteral("退出"), QStringLiteral("listCloseButton"), page);
    connect(listCheckButton, &QPushButton::clicked, this, &PrizeCheckDialog::checkList);
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(frame, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(listCheckButton);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    return page;
}

void PrizeCheckDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        prepare();
}

void PrizeCheckDialog::prepare()
{
    // Draws entered since the last opening are offered; the list box keeps its text.
    const Result<QStringList> read = DrawStore::drawNumbers(m_db);
    m_messages.show(this, read.outcome);
    const QStringList &numbers = read.value;
    for (QComboBox *box : {singleDraw, listDraw}) {
        box->clear();
        box->addItems(numbers);
        box->setCurrentIndex(int(numbers.size()) - 1);
    }
    for (QLineEdit *field : redFields)
        field->clear();
    blueField->clear();
    singleResult->clear();
    listResult->clear();
}

void PrizeCheckDialog::setBetLines(const QStringList &lines)
{
    releaseHeldBets();
    betListBox->setPlainText(lines.join(QLatin1Char('\n')));
}

void PrizeCheckDialog::setBets(std::shared_ptr<const BetList> bets)
{
    if (!bets || bets->size() <= m_handOverLimit) {
        QStringList lines;
        if (bets) {
            lines.reserve(int(bets->size()));
            for (const Bet &b : *bets)
                lines << outputLine(b);
        }
        setBetLines(lines);
        return;
    }
    m_heldBets = std::move(bets);
    betListBox->setPlainText(
        QStringLiteral("已转入当前投注列表的 %1 注号码，查询时逐注核对。\n在此输入号码将替换这些号码。")
            .arg(m_heldBets->size()));
    betListBox->setReadOnly(true);
}

void PrizeCheckDialog::releaseHeldBets()
{
    if (!m_heldBets)
        return;
    m_heldBets.reset();
    betListBox->clear();
    betListBox->setReadOnly(false);
}

bool PrizeCheckDialog::eventFilter(QObject *watched, QEvent *event)
{
    // Typing into the box while it holds handed-over bets starts a new list in their place.
    if (watched == betListBox && m_heldBets && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        const bool typing = !key->text().isEmpty() && key->text().at(0).isPrint();
        if (typing || key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete || key->key() == Qt::Key_Return
            || key->key() == Qt::Key_Enter || key->matches(QKeySequence::Paste))
            releaseHeldBets();
    }
    return QDialog::eventFilter(watched, event);
}

void PrizeCheckDialog::checkSingle()
{
    QStringList reds;
    for (QLineEdit *field : redFields)
        reds << field->text();
    const PrizeCheck::SingleCheck c = PrizeCheck::checkSingle(m_db, singleDraw->currentText(), reds, blueField->text());
    if (c.sortedReds)
        for (int i = 0; i < 6; ++i)
            redFields[i]->setText(c.sortedReds->at(i));
    if (!c.outcome.ok()) {
        m_messages.show(this, c.outcome);
        return;
    }
    singleResult->setText(c.result);
}

void PrizeCheckDialog::checkList()
{
    listResult->clear();
    const PrizeCheck::ListCheck c = m_heldBets
                                        ? PrizeCheck::checkBets(m_db, listDraw->currentText(), *m_heldBets)
                                        : PrizeCheck::checkList(m_db, listDraw->currentText(), betListBox->toPlainText());
    if (!c.outcome.ok()) {
        m_messages.show(this, c.outcome);
        return;
    }
    const QStringList won = c.prizeMessages();
    for (const QString &text : won)
        m_messages.information(this, text);
    if (won.isEmpty())
        listResult->setText(PrizeCheck::noPrizeText());
}

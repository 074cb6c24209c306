#include "ui/prize/PrizeCheckDialog.h"

#include "core/bets/BetText.h"
#include "core/history/DrawStore.h"
#include "core/prize/PrizeCheck.h"
#include "ui/widgets/Colours.h"
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

QLabel *redLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setStyleSheet(Colours::textStyle(Colours::red));
    return label;
}

QPushButton *button(const QString &text, const QString &name, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

PrizeCheckDialog::PrizeCheckDialog(QSqlDatabase db, const PrizeRules::FortunePeriods &periods, Messages &messages,
                                   QWidget *parent, std::size_t handOverLimit)
    : QDialog(parent), m_db(db), m_fortunePeriods(periods), m_messages(messages), m_handOverLimit(handOverLimit)
{
    setObjectName(QStringLiteral("PrizeCheckDialog"));
    setWindowTitle(QStringLiteral("中奖查询"));
    setModal(true);
    tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("checkTabs"));
    tabs->addTab(buildSingleTab(), QStringLiteral("单注查询"));
    tabs->addTab(buildListTab(), QStringLiteral("批量查询"));
    tabs->setCurrentIndex(1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    resize(560, 360);
}

struct PrizeCheckDialog::CheckTab {
    QWidget *page;
    QGroupBox *frame;
    QGridLayout *grid;
    QLabel *numberLabel;
    QComboBox *draw;
    QLabel *result;
    QPushButton *check;
};

PrizeCheckDialog::CheckTab PrizeCheckDialog::buildCheckTab(const QString &name, void (PrizeCheckDialog::*check)())
{
    // Both tabs: "期    数：" over the numbers, then "查询结果：", and "查询" and "退出" below.
    CheckTab tab;
    tab.page = new QWidget(this);
    tab.frame = new QGroupBox(QStringLiteral("请输入您购买的号码"), tab.page);
    tab.grid = new QGridLayout(tab.frame);

    tab.draw = new QComboBox(tab.frame);
    tab.draw->setObjectName(name + QStringLiteral("Draw"));
    tab.draw->setEditable(true);
    tab.draw->setMinimumWidth(100);
    auto *drawLabel = new QLabel(QStringLiteral("期    数："), tab.frame);
    drawLabel->setBuddy(tab.draw);
    tab.grid->addWidget(drawLabel, 0, 0);
    tab.grid->addWidget(tab.draw, 0, 1, Qt::AlignLeft);

    tab.numberLabel = new QLabel(QStringLiteral("号    码："), tab.frame);
    tab.grid->addWidget(tab.numberLabel, 1, 0, Qt::AlignTop);

    tab.result = redLabel(QString(), tab.frame);
    tab.result->setObjectName(name + QStringLiteral("Result"));
    auto *resultLabel = new QLabel(QStringLiteral("查询结果："), tab.frame);
    resultLabel->setBuddy(tab.result);
    tab.grid->addWidget(resultLabel, 2, 0);
    tab.grid->addWidget(tab.result, 2, 1);

    tab.check = button(QStringLiteral("查询"), name + QStringLiteral("CheckButton"), tab.page);
    QPushButton *close = button(QStringLiteral("退出"), name + QStringLiteral("CloseButton"), tab.page);
    connect(tab.check, &QPushButton::clicked, this, check);
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    auto *layout = new QVBoxLayout(tab.page);
    layout->addWidget(tab.frame, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(tab.check);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    return tab;
}

QWidget *PrizeCheckDialog::buildSingleTab()
{
    const CheckTab tab = buildCheckTab(QStringLiteral("single"), &PrizeCheckDialog::checkSingle);
    singleDraw = tab.draw;
    singleResult = tab.result;
    singleCheckButton = tab.check;

    // Digits and spaces only; any other typed character is dropped.
    auto *filter = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9 ]*")), this);
    auto *numbers = new QHBoxLayout;
    for (int i = 0; i < 7; ++i) {
        auto *field = new QLineEdit(tab.frame);
        field->setObjectName(i < 6 ? QStringLiteral("redField%1").arg(i + 1) : QStringLiteral("blueField"));
        field->setValidator(filter);
        field->setFixedWidth(36);
        if (i == 6)
            field->setStyleSheet(Colours::textStyle(Colours::blue));
        numbers->addWidget(field);
        (i < 6 ? redFields[i] : blueField) = field;
    }
    numbers->addStretch(1);
    tab.numberLabel->setBuddy(redFields[0]);
    tab.grid->addLayout(numbers, 1, 1);
    tab.grid->setRowStretch(3, 1);
    return tab.page;
}

QWidget *PrizeCheckDialog::buildListTab()
{
    const CheckTab tab = buildCheckTab(QStringLiteral("list"), &PrizeCheckDialog::checkList);
    listDraw = tab.draw;
    listResult = tab.result;
    listCheckButton = tab.check;

    betListBox = new QPlainTextEdit(tab.frame);
    betListBox->setObjectName(QStringLiteral("betListBox"));
    betListBox->setPlainText(QStringLiteral("1 2 12 3 5 4   13"));
    betListBox->setLineWrapMode(QPlainTextEdit::NoWrap);
    betListBox->installEventFilter(this);
    tab.numberLabel->setBuddy(betListBox);
    auto *numbers = new QHBoxLayout;
    numbers->addWidget(betListBox, 1);
    auto *hints = new QVBoxLayout;
    hints->addWidget(redLabel(QStringLiteral("每行录入一组数据"), tab.frame));
    hints->addWidget(redLabel(QStringLiteral("数据之间用空格隔开"), tab.frame));
    hints->addStretch(1);
    numbers->addLayout(hints);
    tab.grid->addLayout(numbers, 1, 1);
    tab.grid->setRowStretch(1, 1);
    return tab.page;
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
    const PrizeCheck::SingleCheck c =
        PrizeCheck::checkSingle(m_db, singleDraw->currentText(), reds, blueField->text(), m_fortunePeriods);
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
    const PrizeCheck::ListCheck c =
        m_heldBets ? PrizeCheck::checkBets(m_db, listDraw->currentText(), *m_heldBets, m_fortunePeriods)
                   : PrizeCheck::checkList(m_db, listDraw->currentText(), betListBox->toPlainText(), m_fortunePeriods);
    if (!c.outcome.ok()) {
        m_messages.show(this, c.outcome);
        return;
    }
    const QStringList won = c.prizeMessages();
    for (const QString &text : won)
        m_messages.information(this, text);
    // After the grades, the bets whose grade the history cannot tell.
    const QString unknown = c.fortuneUnknownMessage();
    if (!unknown.isEmpty())
        m_messages.information(this, unknown);
    if (won.isEmpty() && unknown.isEmpty())
        listResult->setText(PrizeCheck::noPrizeText());
}

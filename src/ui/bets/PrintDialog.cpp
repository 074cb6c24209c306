#include "ui/bets/PrintDialog.h"

#include "core/bets/Export.h"
#include "ui/bets/BetPrinter.h"
#include "ui/widgets/Messages.h"
#include "ui/widgets/Colours.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QVBoxLayout>

PrintDialog::PrintDialog(Messages &messages, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_messages(messages), m_askName(askTextFileName)
{
    setObjectName(QStringLiteral("PrintDialog"));
    setWindowTitle(QStringLiteral("打印投注"));
    setFixedSize(360, 460);
    auto *layout = new QVBoxLayout(this);
    linesEdit = new QPlainTextEdit(this);
    linesEdit->setObjectName(QStringLiteral("linesEdit"));
    linesEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    linesEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
    QPalette pal = linesEdit->palette();
    pal.setColor(QPalette::Base, Colours::printPage);
    linesEdit->setPalette(pal);
    layout->addWidget(linesEdit, 1);

    auto button = [this](const char *name, const QString &text) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    printButton = button("printButton", QStringLiteral("打印"));
    saveButton = button("saveButton", QStringLiteral("保存至文本"));
    closeButton = button("closeButton", QStringLiteral("退出"));
    auto *row = new QHBoxLayout;
    row->addWidget(printButton);
    row->addWidget(saveButton);
    row->addStretch(1);
    row->addWidget(closeButton);
    layout->addLayout(row);

    connect(printButton, &QPushButton::clicked, this, &PrintDialog::printLines);
    connect(saveButton, &QPushButton::clicked, this, &PrintDialog::saveLines);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
}

void PrintDialog::showEvent(QShowEvent *event)
{
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}

void PrintDialog::setLines(const QString &text)
{
    linesEdit->setPlainText(text);
}

QStringList PrintDialog::lines() const
{
    QStringList result = linesEdit->toPlainText().split(QLatin1Char('\n'));
    if (!result.isEmpty() && result.last().isEmpty())
        result.removeLast();
    return result;
}

void PrintDialog::printLines()
{
    m_messages.show(this, BetPrinter::print(lines(), kPrintJobTitle));
}

void PrintDialog::saveLines()
{
    const QString chosen = m_askName(this);
    if (chosen.isEmpty())
        return;
    const QString path = withTxtSuffix(chosen);
    QByteArray bytes;
    for (const QString &line : lines())
        bytes += line.toUtf8() + "\r\n";
    // Written beside the target and renamed at the end, so a failed write leaves an existing
    // file whole.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        m_messages.error(this, cannotWriteText(path, file.errorString()));
        return;
    }
    m_messages.information(this, kSavedMessage + path);
}

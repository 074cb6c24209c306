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
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    QPalette pal = Memo1->palette();
    pal.setColor(QPalette::Base, Colours::printPage);
    Memo1->setPalette(pal);
    layout->addWidget(Memo1, 1);

    auto button = [this](const char *name, const QString &text) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    SpeedButton2 = button("SpeedButton2", QStringLiteral("打印"));
    BitBtn1 = button("BitBtn1", QStringLiteral("保存至文本"));
    SpeedButton1 = button("SpeedButton1", QStringLiteral("退出"));
    auto *row = new QHBoxLayout;
    row->addWidget(SpeedButton2);
    row->addWidget(BitBtn1);
    row->addStretch(1);
    row->addWidget(SpeedButton1);
    layout->addLayout(row);

    connect(SpeedButton2, &QPushButton::clicked, this, &PrintDialog::SpeedButton2Click);
    connect(BitBtn1, &QPushButton::clicked, this, &PrintDialog::BitBtn1Click);
    connect(SpeedButton1, &QPushButton::clicked, this, &QDialog::reject);
}

void PrintDialog::showEvent(QShowEvent *event)
{
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}

void PrintDialog::setLines(const QString &text)
{
    Memo1->setPlainText(text);
}

QStringList PrintDialog::lines() const
{
    QStringList result = Memo1->toPlainText().split(QLatin1Char('\n'));
    if (!result.isEmpty() && result.last().isEmpty())
        result.removeLast();
    return result;
}

void PrintDialog::SpeedButton2Click()
{
    m_messages.show(this, BetPrinter::print(lines(), kPrintJobTitle));
}

void PrintDialog::BitBtn1Click()
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

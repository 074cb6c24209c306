#include "ui/widgets/Messages.h"

#include <QCoreApplication>
#include <QMessageBox>

void Messages::information(QWidget *parent, const QString &text)
{
    QMessageBox::information(parent, QCoreApplication::applicationName(), text, QMessageBox::Ok);
}

bool Messages::question(QWidget *parent, const QString &text)
{
    return QMessageBox::question(parent, QStringLiteral("提示"), text, QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Ok)
        == QMessageBox::Ok;
}

bool Messages::confirm(QWidget *parent, const QString &text)
{
    return QMessageBox::question(parent, QStringLiteral("Confirm"), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes)
        == QMessageBox::Yes;
}

void Messages::error(QWidget *parent, const QString &text)
{
    QMessageBox::critical(parent, QCoreApplication::applicationName(), text, QMessageBox::Ok);
}

bool Messages::show(QWidget *parent, const Outcome &outcome)
{
    switch (outcome.status) {
    case Outcome::Status::Ok:
    case Outcome::Status::Refused:
        if (!outcome.message.isEmpty())
            information(parent, outcome.message);
        break;
    case Outcome::Status::Failed:
        error(parent, outcome.message);
        break;
    case Outcome::Status::Cancelled:
        break;
    }
    return outcome.ok();
}

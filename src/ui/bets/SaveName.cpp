#include "ui/bets/SaveName.h"

#include <QFileDialog>

QString askTextFileName(QWidget *parent)
{
    // Qt's own dialog: the name comes back exactly as typed, with no suffix added, so the
    // ".txt" rule gives bets.txt.txt for "bets.txt" as the user expects from this program.
    return QFileDialog::getSaveFileName(parent, QString(), QString(), QStringLiteral("文本文件 (*.txt)"), nullptr,
                                        QFileDialog::DontUseNativeDialog);
}

#pragma once
// The "取消" of a progress dialog, as the user presses it; nullptr when it has none.
#include <QProgressDialog>
#include <QPushButton>

inline QPushButton *cancelButtonOf(QProgressDialog *progress)
{
    for (QPushButton *b : progress->findChildren<QPushButton *>())
        if (b->text() == QStringLiteral("取消"))
            return b;
    return nullptr;
}

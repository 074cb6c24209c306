#pragma once
// Asking for the name of a text file to save: the save dialog with the one filter "文本文件".
// Windows hold one of these so tests can answer it without a dialog.
#include <QString>
#include <functional>

class QWidget;

using SaveNameFn = std::function<QString(QWidget *parent)>;

// The file dialog; an empty text when the user cancels.
QString askTextFileName(QWidget *parent);
// The name the file is written under: ".txt" is appended always, even to "bets.txt".
inline QString withTxtSuffix(const QString &chosen)
{
    return chosen + QStringLiteral(".txt");
}
inline const QString kSavedMessage = QStringLiteral("数据导出成功，已保存至");

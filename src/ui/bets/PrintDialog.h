#pragma once
// "打印投注": the export lines in an editable text box, printed or saved as the box then stands.
// One instance lives for the whole run; its text stays until it is refilled.
#include "ui/bets/SaveName.h"

#include <QDialog>

class QPlainTextEdit;
class QPushButton;
class Messages;

class PrintDialog : public QDialog {
    Q_OBJECT
public:
    PrintDialog(Messages &messages, QWidget *parent = nullptr);

    QPlainTextEdit *linesEdit = nullptr; // the export lines, editable
    QPushButton *printButton = nullptr;  // 打印
    QPushButton *saveButton = nullptr;   // 保存至文本
    QPushButton *closeButton = nullptr;  // 退出

    void setLines(const QString &text); // the lines, each ended by '\n'
    // The text box's lines; a final line break does not start another line.
    QStringList lines() const;
    void setSaveNameAsker(SaveNameFn asker) { m_askName = std::move(asker); }

    void printLines(); // on the default printer, as one job
    void saveLines();  // to the text file the user names

protected:
    void showEvent(QShowEvent *event) override;

private:
    Messages &m_messages;
    SaveNameFn m_askName;
};

inline const QString kPrintJobTitle = QStringLiteral("投注号码");

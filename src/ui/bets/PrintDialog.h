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

    QPlainTextEdit *Memo1 = nullptr;
    QPushButton *SpeedButton2 = nullptr; // 打印
    QPushButton *BitBtn1 = nullptr;      // 保存至文本
    QPushButton *SpeedButton1 = nullptr; // 退出

    void setLines(const QString &text); // the lines, each ended by '\n'
    // The text box's lines; a final line break does not start another line.
    QStringList lines() const;
    void setSaveNameAsker(SaveNameFn asker) { m_askName = std::move(asker); }

    void SpeedButton2Click();
    void BitBtn1Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    Messages &m_messages;
    SaveNameFn m_askName;
};

inline const QString kPrintJobTitle = QStringLiteral("投注号码");

#pragma once
// "选项设置": the three display settings, written one key at a time.
#include <QDialog>

class QButtonGroup;
class QSpinBox;
class Messages;

class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    OptionsDialog(const QString &programDir, Messages &messages, QWidget *parent = nullptr);

    void save(); // "设置"

private:
    QButtonGroup *m_drawCountGroup = nullptr; // "20" .. "100", ids 0..4
    QSpinBox *m_redWidth = nullptr;
    QSpinBox *m_blueWidth = nullptr;
    QString m_programDir;
    Messages &m_messages;
};

#pragma once
// The banker picker "号码选择": 33 toggles in six rows, "重选" and "确定". One instance lives
// for the whole run, so its toggles and its banker text survive from one opening to the next.
#include <QDialog>

class QPushButton;
class BallToggleGrid;
class Messages;

class BankerPicker : public QDialog {
    Q_OBJECT
public:
    BankerPicker(Messages &messages, QWidget *parent = nullptr);

    // Each picked ball as two digits and a blank, in panel order 06..33, 01..05. It keeps a
    // refused pick of more than five: closing by the title bar hands that on.
    QString bankerText() const { return m_bankerText; }
    BallToggleGrid *toggles() const { return m_toggles; }

    void acceptPick(); // 确定
    void clearPick();  // 重选

private:
    Messages &m_messages;
    BallToggleGrid *m_toggles;
    QString m_bankerText;
};

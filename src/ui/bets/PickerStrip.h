#pragma once
// The strip "开始选号" under the tabs: 33 red and 16 blue ball toggles, "全选" / "反选" /
// "清空" per colour and the red counter. The counter follows its own rule: one up or down
// per activation of a toggle (however it comes), set by the buttons, never recounted from
// the toggles.
#include <QWidget>
#include <array>

class QLabel;
class QPushButton;
class BallToggleGrid;

class PickerStrip : public QWidget {
    Q_OBJECT
public:
    explicit PickerStrip(QWidget *parent = nullptr);

    BallToggleGrid *reds() const { return m_reds; }
    BallToggleGrid *blues() const { return m_blues; }
    QLabel *redCountLabel = nullptr; // the red counter

    std::array<bool, 33> redSelection() const;
    std::array<bool, 16> blueSelection() const;

    void selectAllReds();  // red 全选
    void invertReds();     // red 反选
    void clearReds();      // red 清空
    void selectAllBlues(); // blue 全选
    void invertBlues();    // blue 反选
    void clearBlues();     // blue 清空

private:
    void redToggled(int ball, bool selected);
    void setCounter(int value);
    int counter() const;

    BallToggleGrid *m_reds;
    BallToggleGrid *m_blues;
};

#pragma once
// The group "选择投注方法": the three methods, the banker box with "重选", the matrix type box,
// and inside it the group "保号投注" (GuaranteeGroup) shown only for "全排组合".
#include "core/bets/Candidates.h"

#include <QGroupBox>

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class GuaranteeGroup;
class BankerPicker;

class MethodGroup : public QGroupBox {
    Q_OBJECT
public:
    MethodGroup(BankerPicker *picker, QWidget *parent = nullptr);

    QRadioButton *SeSkinRadioButton1 = nullptr; // 全排组合
    QRadioButton *SeSkinRadioButton2 = nullptr; // 拖胆组合
    QRadioButton *SeSkinRadioButton3 = nullptr; // 旋转矩阵
    QLineEdit *SeSkinEdit1 = nullptr;           // the banker text
    QPushButton *SeSkinButton19 = nullptr;      // 重选
    QComboBox *SeSkinComboBox3 = nullptr;       // matrix type
    GuaranteeGroup *guarantee() const { return m_guarantee; }

    BetMethod method() const;
    QString bankerText() const;
    // Position of the matrix type box's text among its captions, or -1 for typed text.
    int wheelTypeIndex() const;

    void SeSkinRadioButton1Click();
    void SeSkinRadioButton2Click();
    void SeSkinRadioButton3Click();
    void SeSkinButton19Click();

private:
    void showPicker();

    BankerPicker *m_picker;
    GuaranteeGroup *m_guarantee;
};

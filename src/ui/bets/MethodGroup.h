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

    QRadioButton *allCombinationsRadio = nullptr; // 全排组合
    QRadioButton *bankerDragRadio = nullptr;      // 拖胆组合
    QRadioButton *wheelRadio = nullptr;           // 旋转矩阵
    QLineEdit *bankerEdit = nullptr;              // the banker text
    QPushButton *pickBankersButton = nullptr;     // 重选
    QComboBox *wheelTypeBox = nullptr;            // matrix type
    GuaranteeGroup *guarantee() const { return m_guarantee; }

    BetMethod method() const;
    QString bankerText() const;
    // Position of the matrix type box's text among its captions, or -1 for typed text.
    int wheelTypeIndex() const;

    void chooseAllCombinations();
    void chooseBankerDrag();
    void chooseWheel();
    // Opens the banker picker; however it was closed, the box shows the text it holds then.
    void pickBankers();

private:
    BankerPicker *m_picker;
    GuaranteeGroup *m_guarantee;
};

#pragma once
// The group "保号投注": its own check box, the explanation and the four
// choices 保5号 .. 保2号, usable only while ticked. Its N applies to "全排组合" only.
#include <QGroupBox>

class QRadioButton;

class GuaranteeGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit GuaranteeGroup(QWidget *parent = nullptr);

    QRadioButton *guarantee5Radio = nullptr; // 保5号组合
    QRadioButton *guarantee4Radio = nullptr; // 保4号组合
    QRadioButton *guarantee3Radio = nullptr; // 保3号组合
    QRadioButton *guarantee2Radio = nullptr; // 保2号组合

    // The chosen N when the check box is ticked, otherwise 0.
    int guaranteeN() const;
};

#pragma once
// "红球奇偶大小分析": the stored big/small and odd/even attributes of a range, with every
// "小" and "奇" and every extreme ratio in red.
#include "ui/stats/StatsDialog.h"

class BigSmallDialog : public StatsDialog {
    Q_OBJECT
public:
    BigSmallDialog(QSqlDatabase db, Messages &messages, int drawCount, QWidget *parent = nullptr);
};

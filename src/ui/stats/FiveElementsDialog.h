#pragma once
// "五行分析": each draw of a range with the element of its seven balls. A run rebuilds the
// work table wuxing and shows it. One instance lives for the whole run of the program;
// "退    出" only hides it.
#include "ui/stats/StatsDialog.h"

class FiveElementsDialog : public StatsDialog {
    Q_OBJECT
public:
    FiveElementsDialog(QSqlDatabase db, Messages &messages, int drawCount, QWidget *parent = nullptr);

protected:
    void runRange(const QString &from, const QString &to) override;
    void prepare() override;

private:
    void clearGrid();
};

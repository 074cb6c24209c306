#pragma once
// "开奖数据录入": one draw typed into fields, or many draws as lines of text.
// The rules are the core's (core/history/DrawEntry); this window moves texts in and out.
#include "core/history/DrawEntry.h"

#include <QDialog>
#include <QStringList>
#include <QSqlDatabase>
#include <array>

class QLineEdit;
class QPlainTextEdit;
class QTabWidget;
class Messages;

class DrawEntryDialog : public QDialog {
    Q_OBJECT
public:
    DrawEntryDialog(QSqlDatabase db, Messages &messages, QWidget *parent = nullptr);

    void confirmReds();  // leaving the red field: the six confirmed reds
    void confirmBlue();  // leaving the blue or the extra field: the confirmed blue
    Result<QString> insertDraw();    // "确定输入" on the single tab
    BatchReport insertDrawBatch();   // "确定输入" on the batch tab

signals:
    // Draws were stored, in this order; the history appends them to its "to" list and shows
    // the range. A batch reports its draws once at its end, so a batch of thousands of draws
    // re-reads the grid once, not once per draw.
    void drawsStored(const QStringList &qishus);

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *m_drawNumberEdit = nullptr;
    QLineEdit *m_redsEdit = nullptr;      // six reds as typed, blank between
    QLineEdit *m_blueEdit = nullptr;
    QLineEdit *m_extraEdit = nullptr;     // the "快乐星期天" number
    std::array<QLineEdit *, 6> m_confirmedRedEdits{};  // the reds as they will be stored
    QLineEdit *m_confirmedBlueEdit = nullptr;
    QPlainTextEdit *m_batchEdit = nullptr;  // one draw a line
    QTabWidget *m_tabs = nullptr;

    QWidget *buildSingleTab();
    QWidget *buildBatchTab();

    QSqlDatabase m_db;
    Messages &m_messages;
    QStringList *m_batchStored = nullptr; // while a batch runs: the draws it stored so far
};

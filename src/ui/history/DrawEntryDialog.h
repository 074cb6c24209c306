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

    // Each stored draw is confirmed with a message while this is set; the
    // download clears it around its batch.
    bool AnnounceInserts = true;

    void Edit1Exit();
    void BlueExit();  // leaving Edit3 or Edit4
    Result<QString> insertDraw();
    BatchReport insertDrawBatch();
    // The download hands its lines to the batch box before it runs insertDrawBatch.
    void setBatchText(const QString &text);

signals:
    // Draws were stored, in this order; the history appends them to its "to" list and shows
    // the range. A batch reports its draws once at its end, so a batch of thousands of draws
    // (a whole-history download) re-reads the grid once, not once per draw.
    void drawsStored(const QStringList &qishus);

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *Edit1 = nullptr;   // reds
    QLineEdit *Edit2 = nullptr;   // draw number
    QLineEdit *Edit3 = nullptr;   // blue
    QLineEdit *Edit4 = nullptr;   // extra number
    std::array<QLineEdit *, 6> Edit11_16{};  // confirmed reds
    QLineEdit *Edit17 = nullptr;  // confirmed blue
    QPlainTextEdit *Memo1 = nullptr;
    QTabWidget *tabs = nullptr;

    QWidget *buildSingleTab();
    QWidget *buildBatchTab();

    QSqlDatabase m_db;
    Messages &m_messages;
    QStringList *m_batchStored = nullptr; // while a batch runs: the draws it stored so far
};

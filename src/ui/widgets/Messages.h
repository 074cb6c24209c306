#pragma once
// The only place that shows message boxes. Windows hold a Messages& and call it;
// tests pass a recorder that answers questions from a script.
#include "core/Outcome.h"

#include <QString>

class QWidget;

class Messages {
public:
    virtual ~Messages() = default;

    // Information box with one OK button, titled with the application title.
    virtual void information(QWidget *parent, const QString &text);
    // "提示" question with OK and Cancel; true only for OK.
    virtual bool question(QWidget *parent, const QString &text);
    // "Confirm" question with Yes and No; true only for Yes.
    virtual bool confirm(QWidget *parent, const QString &text);
    // Error box carrying an error's own text (a database error, a write failure).
    virtual void error(QWidget *parent, const QString &text);

    // Any outcome in one place: a refusal or an ok with a notice as information, a failure as
    // an error box, a cancel or a silent ok as nothing. Returns outcome.ok().
    bool show(QWidget *parent, const Outcome &outcome);
};

// Questions that more than one window asks.
namespace MessageTexts {
// Before the selected draws (the history tab) or bets (the betting tab) are deleted.
inline const QString deleteSelected = QStringLiteral("准备删除所选记录数据，是否继续！");
} // namespace MessageTexts

#pragma once
// A Messages that shows nothing: it records every text and answers questions from
// a script (default: the affirmative answer).
#include "ui/widgets/Messages.h"

#include <QQueue>
#include <QStringList>

class RecordingMessages : public Messages {
public:
    QStringList shown;          // every text, in order, prefixed by its kind: "info:", "question:", "confirm:", "error:"
    QQueue<bool> answers;       // answers for question() and confirm(), taken in order

    void information(QWidget *, const QString &text) override { shown << QStringLiteral("info:") + text; }
    bool question(QWidget *, const QString &text) override
    {
        shown << QStringLiteral("question:") + text;
        return answers.isEmpty() ? true : answers.dequeue();
    }
    bool confirm(QWidget *, const QString &text) override
    {
        shown << QStringLiteral("confirm:") + text;
        return answers.isEmpty() ? true : answers.dequeue();
    }
    void error(QWidget *, const QString &text) override { shown << QStringLiteral("error:") + text; }

    QString last() const { return shown.isEmpty() ? QString() : shown.last(); }
};

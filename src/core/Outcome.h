#pragma once
// What a core routine hands back to its caller: whether it worked and, if not
// (or when there is something to tell), the text a window or the CLI shows.
#include <QString>

struct Outcome {
    bool ok = true;
    QString message;

    static Outcome success(const QString &text = QString()) { return {true, text}; }
    static Outcome failure(const QString &text) { return {false, text}; }
};

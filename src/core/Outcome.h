#pragma once
// How a core operation ended, the one answer every routine that can be refused, fail or be
// cancelled hands back. Windows show it through Messages::show (a cancel shows nothing);
// the CLI prints its message. Core never shows anything itself.
//   Ok        done; message, when set, is a notice to pass on
//   Refused   the input was not accepted; message is the text to show the user
//   Failed    the input was fine but the work failed (a database or file error); message says why
//   Cancelled the user stopped it; whatever it was working on is as it was
#include <QString>

struct Outcome {
    enum class Status { Ok, Refused, Failed, Cancelled };

    Status status = Status::Ok;
    QString message;

    bool ok() const { return status == Status::Ok; }
    bool isCancelled() const { return status == Status::Cancelled; }

    static Outcome success(const QString &text = QString()) { return {Status::Ok, text}; }
    static Outcome refused(const QString &text) { return {Status::Refused, text}; }
    static Outcome failed(const QString &text) { return {Status::Failed, text}; }
    static Outcome cancelled() { return {Status::Cancelled, QString()}; }
};

// A value read or computed together with how that went: value is meaningful only when
// outcome is ok, so a failed read is never mistaken for an empty one.
template <class T>
struct Result {
    T value{};
    Outcome outcome;

    bool ok() const { return outcome.ok(); }
};

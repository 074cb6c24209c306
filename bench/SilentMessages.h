#pragma once
// Messages for the window benchmarks: nothing is shown and every question is answered yes,
// so a run never stops at a box.
#include "ui/widgets/Messages.h"

class SilentMessages : public Messages {
public:
    void information(QWidget *, const QString &) override {}
    bool question(QWidget *, const QString &) override { return true; }
    bool confirm(QWidget *, const QString &) override { return true; }
    void error(QWidget *, const QString &) override {}
};

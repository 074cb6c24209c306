#include "ui/main/ExternalPrograms.h"

#include <QProcess>
#include <QStringList>

namespace {
bool startFirst(const QStringList &programs)
{
    for (const QString &program : programs)
        if (QProcess::startDetached(program, {}))
            return true;
    return false;
}
} // namespace

bool startCalculator()
{
    return startFirst({QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"), QStringLiteral("mate-calc"),
                       QStringLiteral("galculator"), QStringLiteral("qalculate-gtk"), QStringLiteral("xcalc")});
}

bool startTextEditor()
{
    return startFirst({QStringLiteral("gnome-text-editor"), QStringLiteral("gedit"), QStringLiteral("kate"),
                       QStringLiteral("kwrite"), QStringLiteral("mousepad"), QStringLiteral("xed"),
                       QStringLiteral("pluma"), QStringLiteral("leafpad"), QStringLiteral("xedit")});
}

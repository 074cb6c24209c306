// The display settings file user/DefaultSet.ini, which users edit by hand: the three values
// the program reads at start, then a write of one key and the read that must find it.
#include "FuzzSupport.h"

#include "core/settings/DisplaySettings.h"
#include "core/settings/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString dir = scratchDir().path();
    const QString path = writeScratchFile(QStringLiteral("user/DefaultSet.ini"), reinterpret_cast<const char *>(data), size);
    FUZZ_CHECK(path == settingsFilePath(dir));
    (void)readDisplaySettings(dir);

    using namespace SettingsKeys;
    const IniFile ini(path);
    const QString before = ini.readString(redSection, widthKey, QStringLiteral("none"));
    const Outcome o = ini.writeString(startSection, drawCountKey, QStringLiteral("77"));
    FUZZ_CHECK(o.ok());
    FUZZ_CHECK(ini.readString(startSection, drawCountKey, QString()) == QStringLiteral("77"));
    FUZZ_CHECK(readDisplaySettings(dir).drawCount == 77);
    // Writing one key leaves the others as they read before.
    FUZZ_CHECK(ini.readString(redSection, widthKey, QStringLiteral("none")) == before);
    return 0;
}

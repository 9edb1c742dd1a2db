#include "profiles/ProfilePaths.h"

#include "base/AppPaths.h"

#include <QStringList>

namespace {

bool isWindowsDeviceName(const QString& rom) {
    // Windows opens the device whatever extension follows and whatever blanks end the name.
    QString base = rom.section(u'.', 0, 0);
    while (base.endsWith(u' '))
        base.chop(1);
    static const QStringList devices = {
        "CON",  "PRN",  "AUX",  "NUL",  "CONIN$", "CONOUT$", "COM1", "COM2", "COM3", "COM4",
        "COM5", "COM6", "COM7", "COM8", "COM9",   "LPT1",    "LPT2", "LPT3", "LPT4", "LPT5",
        "LPT6", "LPT7", "LPT8", "LPT9"};
    return devices.contains(base, Qt::CaseInsensitive);
}

} // namespace

FileNameRules HostFileNameRules() {
#if defined(Q_OS_WIN)
    return FileNameRules::Windows;
#elif defined(Q_OS_MACOS)
    return FileNameRules::MacOS;
#else
    return FileNameRules::Posix;
#endif
}

bool IsSafeRomName(const QString& rom, FileNameRules rules) {
    if (rom == u"." || rom == u".." || rom.contains(QChar(0)) || rom.contains(u'/'))
        return false;
    const Qt::CaseSensitivity nameCase =
        rules == FileNameRules::Posix ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (rom.compare(u"default", nameCase) == 0)
        return false;
    if (rules == FileNameRules::Windows &&
        (rom.contains(u'\\') || rom.contains(u':') || isWindowsDeviceName(rom)))
        return false;
    return true;
}

namespace ProfilePaths {

QString defaultProfile(const QString& appDir) {
    return AppPaths::profilesFolder(appDir) + QStringLiteral("default.ini");
}

std::optional<QString> gameProfile(const QString& appDir, const QString& rom, FileNameRules rules) {
    if (!IsSafeRomName(rom, rules))
        return std::nullopt;
    return AppPaths::profilesFolder(appDir) + rom + QStringLiteral(".ini");
}

} // namespace ProfilePaths

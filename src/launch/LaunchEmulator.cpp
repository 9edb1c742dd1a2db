#include "launch/LaunchEmulator.h"

#include "base/Settings.h"
#include "launch/RunAndWait.h"

#include <QDir>

namespace {
constexpr double kHidden = 0;
} // namespace

QString RomArgument(const FrontEndSettings& settings, const QString& romName) {
    QString argument = IsOn(settings.SendRomPath) ? settings.RomPath + romName + settings.RomExt
                                                  : romName;
    // A quote in a ROM name or path would close the group and turn the rest of the name into
    // arguments of their own; three quotes are how the command line holds one literal quote.
    argument.replace(u'"', QStringLiteral("\"\"\""));
    if (IsOn(settings.RomPathinQuotes))
        argument = u'"' + argument + u'"';
    return argument;
}

QString LaunchArgumentText(const FrontEndSettings& settings, const QString& romName,
                           const QString& options) {
    const QString rom = u' ' + RomArgument(settings, romName);
    return options.isEmpty() ? rom : rom + u' ' + options;
}

void LaunchEmulator(Dialogs& dialogs, const QString& appDir, const FrontEndSettings& settings,
                    const QString& romName, const QString& options) {
    // The folder stays current afterwards, so a relative RomPath keeps meaning the same files
    // to the missing-ROM filter and to the emulator.
    QDir::setCurrent(appDir);
    RunAndWait(dialogs, appDir, settings.ExeName, LaunchArgumentText(settings, romName, options),
               kHidden);
}

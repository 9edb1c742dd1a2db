#include "launch/LaunchEmulator.h"

#include "base/Dialogs.h"
#include "base/Settings.h"
#include "launch/CommandLine.h"
#include "launch/RomFileMap.h"

#include <QDir>

namespace {
constexpr double kHidden = 0;
} // namespace

QString RomArgument(const FrontEndSettings& settings, const QString& romName) {
    if (!settings.RomFileMap.isEmpty()) {
        // A game of the ROM folder: its own file, found where the listing found it. A game the
        // map does not know is given the path it would have, for the emulator to report.
        QString path = RomFileMap::findInFile(settings.RomFileMap, romName)
                           .value_or(QDir(settings.RomPath).absoluteFilePath(romName));
        return u'"' + path.replace(u'"', QStringLiteral("\"\"\"")) + u'"';
    }
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
    const QString rom = RomArgument(settings, romName);
    if (settings.LaunchArguments.isEmpty())
        return options.isEmpty() ? u' ' + rom : u' ' + rom + u' ' + options;
    static const QString romMark = QStringLiteral("{rom}");
    static const QString optionsMark = QStringLiteral("{options}");
    const QString& pattern = settings.LaunchArguments;
    QString text = QStringLiteral(" ");
    for (qsizetype i = 0; i < pattern.size();) {
        if (QStringView(pattern).sliced(i).startsWith(romMark)) {
            text += rom;
            i += romMark.size();
        } else if (QStringView(pattern).sliced(i).startsWith(optionsMark)) {
            text += options;
            i += optionsMark.size();
        } else {
            text += pattern[i++];
        }
    }
    return text;
}

QString EmulatorFailureMessage(const QString& program, const RunResult& result) {
    if (!result.started)
        return QStringLiteral("The emulator %1 could not be started: %2")
            .arg(program, result.startError);
    QString text = result.crashed
                       ? QStringLiteral("The emulator %1 crashed.").arg(program)
                       : QStringLiteral("The emulator %1 ended with status %2.")
                             .arg(program)
                             .arg(result.exitCode);
    if (!result.errorTail.isEmpty())
        text += QStringLiteral("\n\nIts last words:\n") + result.errorTail.join(u'\n');
    return text;
}

QStringList LaunchArguments(const FrontEndSettings& settings, const QString& romName,
                            const QString& options) {
    return SplitCommandLine(LaunchArgumentText(settings, romName, options));
}

RunResult LaunchEmulator(Dialogs& dialogs, const QString& appDir, const FrontEndSettings& settings,
                         const QString& romName, const QString& options) {
    // The folder stays current afterwards, so a relative RomPath keeps meaning the same files
    // to the missing-ROM filter and to the emulator.
    QDir::setCurrent(appDir);
    RunOptions run;
    run.showState = ShowStateForWindowStyle(kHidden);
    run.errorTailLines = 20;
    // The program is one name, blanks and all ("My Emulator"); only its arguments are split.
    const RunResult result = RunAndWait(dialogs, appDir, settings.ExeName,
                                        LaunchArguments(settings, romName, options), run);
    // A zero status says nothing; a failed wait has shown its own message already.
    if (!result.started || (result.ended && (result.crashed || result.exitCode != 0)))
        dialogs.warning(EmulatorFailureMessage(settings.ExeName, result));
    return result;
}

#include "cli/RunWithoutWindow.h"

#include "cli/CommandLine.h"
#include "cli/StderrDialogs.h"
#include "cli/SystemCommands.h"
#include "setup/DataFolder.h"
#include "setup/FirstRun.h"
#include "setup/Presets.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

namespace {

QString dataFolderHelp(const DataFolderChoice& choice) {
    return QStringLiteral(
               "\nData folder: %1\n"
               "It holds dovrel/ (the settings, the game list, the profiles); the emulator and\n"
               "relative paths are taken from there. Without --data it is the program's own\n"
               "folder when that holds dovrel/ (a portable folder), else $XDG_DATA_HOME/tarvelin\n"
               "(~/.local/share/tarvelin). A folder without dovrel/dovrel.ini is set up first:\n"
               "in a window, or by --preset. A folder may list several systems, each a data\n"
               "folder of its own, in dovrel/systems.ini; --systems shows them.\n")
        .arg(choice.explanation());
}

} // namespace

int RunWithoutWindow(const CommandLine& command, const QString& exeDir) {
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (!command.error.isEmpty()) {
        err << "tarvelin: " << command.error << " (tarvelin --help lists the options)\n";
        return 2;
    }
    if (command.action == CommandLine::Action::Version) {
        out << QCoreApplication::applicationName() << u' ' << QCoreApplication::applicationVersion()
            << u'\n';
        return 0;
    }
    const DataFolderChoice folder = ChooseDataFolderHere(command.data, exeDir);
    if (command.action == CommandLine::Action::Help) {
        out << CommandLine::helpText() << dataFolderHelp(folder);
        return 0;
    }

    const std::vector<Preset> presets =
        FindPresets(PresetPlacesFor(exeDir, qEnvironmentVariable("PATH")));
    const FirstRunResult setup = FirstRunWithoutWindow(folder.folder, command.presets, presets);
    if (!setup.message.isEmpty())
        err << "tarvelin: " << setup.message << u'\n';
    err.flush();
    switch (setup.next) {
    case FirstRunResult::Next::End:
        return setup.exitStatus;
    case FirstRunResult::Next::AskInWindow:
        err << "tarvelin: " << QDir::toNativeSeparators(folder.folder)
            << " holds no dovrel/dovrel.ini; set it up with --preset NAME (" << PresetNames(presets)
            << ") or start tarvelin without --list, --print-command or --launch\n";
        return 1;
    case FirstRunResult::Next::Ready:
        break;
    }

    StderrDialogs dialogs;
    SystemCommands systems(folder.folder, command.refresh, dialogs, out, err);
    switch (command.action) {
    case CommandLine::Action::Systems:
        return systems.systems();
    case CommandLine::Action::List:
        return systems.list(command.system);
    case CommandLine::Action::PrintCommand:
        return systems.printCommand(command.system, command.rom);
    case CommandLine::Action::Launch:
        return systems.launch(command.system, command.rom);
    case CommandLine::Action::Window:
    case CommandLine::Action::Help:
    case CommandLine::Action::Version:
        break;
    }
    return 0;
}

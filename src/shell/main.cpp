#include "cli/CommandLine.h"
#include "cli/RunWithoutWindow.h"
#include "setup/ui/WindowStartFolder.h"
#include "shell/SystemShelf.h"
#include "ui/QtDialogs.h"

#include <QApplication>
#include <QWidget>

#include <optional>

int main(int argc, char* argv[]) {
    QCoreApplication::setApplicationName(QStringLiteral("tarvelin"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TARVELIN_VERSION));
    const CommandLine command = CommandLine::parse(CommandLine::argumentsOf(argc, argv));
    // The command-line actions need no display: no widget application is made for them.
    if (!command.opensWindow()) {
        QCoreApplication app(argc, argv);
        return RunWithoutWindow(command, QCoreApplication::applicationDirPath());
    }

    QApplication app(argc, argv);
    QtDialogs dialogs;
    int exitStatus = 0;
    const std::optional<QString> dataDir = WindowStartFolder(
        command.data, command.presets, QCoreApplication::applicationDirPath(), dialogs, exitStatus);
    if (!dataDir)
        return exitStatus;

    // One window a system; a folder without a list of systems is one, the standard window.
    SystemShelf systems(*dataDir, dialogs);
    QObject::connect(&systems, &SystemShelf::dialogParentChanged,
                     [&dialogs](QWidget* window) { dialogs.setParent(window); });
    if (!systems.start(command.system))
        return 1;
    return app.exec();
}

#include "cli/CommandLine.h"
#include "cli/RunWithoutWindow.h"
#include "session/GameSession.h"
#include "setup/ui/WindowStartFolder.h"
#include "shell/frmMain.h"
#include "ui/QtDialogs.h"

#include <QApplication>

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

    GameSession session(*dataDir);
    frmMain window(session, dialogs);
    dialogs.setParent(&window);
    if (!window.Form_Load())
        return 1;
    window.enableControllers();
    window.show();
    return app.exec();
}

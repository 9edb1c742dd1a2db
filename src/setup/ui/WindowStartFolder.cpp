#include "setup/ui/WindowStartFolder.h"

#include "setup/DataFolder.h"
#include "setup/FirstRun.h"
#include "setup/Presets.h"
#include "setup/ui/frmSetup.h"

#include <QTextStream>

std::optional<QString> WindowStartFolder(const QString& named, const QStringList& presetNames,
                                         const QString& exeDir, Dialogs& dialogs, int& exitStatus) {
    const DataFolderChoice folder = ChooseDataFolderHere(named, exeDir);
    std::vector<Preset> presets =
        FindPresets(PresetPlacesFor(exeDir, qEnvironmentVariable("PATH")));
    const FirstRunResult setup = FirstRunWithoutWindow(folder.folder, presetNames, presets);
    if (!setup.message.isEmpty())
        QTextStream(stderr) << "tarvelin: " << setup.message << u'\n';
    switch (setup.next) {
    case FirstRunResult::Next::End:
        exitStatus = setup.exitStatus;
        return std::nullopt;
    case FirstRunResult::Next::AskInWindow: {
        frmSetup window(folder, std::move(presets), dialogs);
        if (window.exec() != QDialog::Accepted) {
            exitStatus = 1;
            return std::nullopt;
        }
        break;
    }
    case FirstRunResult::Next::Ready:
        break;
    }
    return folder.folder;
}

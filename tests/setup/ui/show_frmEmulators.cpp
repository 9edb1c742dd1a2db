// Opens the Emulators dialog over the data folder named on the command line, so that it can be
// looked at on a display. The presets are found as the program beside TARVELIN_EXE_DIR (say
// build/app; else this program's folder) would find them.
#include "setup/Presets.h"
#include "setup/ui/frmEmulators.h"
#include "ui/QtDialogs.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        QTextStream(stderr) << "usage: show_frmEmulators DATA-FOLDER\n";
        return 2;
    }
    const QString exeDir = qEnvironmentVariable("TARVELIN_EXE_DIR", app.applicationDirPath());
    QtDialogs dialogs;
    frmEmulators window(
        arguments[1], FindPresets(PresetPlacesFor(exeDir, qEnvironmentVariable("PATH"))), dialogs);
    dialogs.setParent(&window);
    return window.exec() == QDialog::Accepted ? 0 : 1;
}

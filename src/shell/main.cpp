#include "shell/AppState.h"
#include "shell/frmMain.h"
#include "ui/QtDialogs.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    AppState state;
    state.appDir = QCoreApplication::applicationDirPath();
    QtDialogs dialogs;
    frmMain window(state, dialogs);
    dialogs.setParent(&window);
    if (!window.Form_Load())
        return 1;
    window.show();
    return app.exec();
}

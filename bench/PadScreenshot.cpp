// The main window on a data folder, moved by SDL's virtual controller: Down tapped N times,
// then Y (the favourite). With an output file it saves the window's picture and ends; without,
// it stays open for a screenshot from outside (/work/shared/tools/shot).
//   pad_screenshot DATA_DIR TAPS [OUT.png]
#include "BenchSupport.h"

#include "controllers/ControllerReader.h"
#include "gamelist/ui/GameListBox.h"
#include "session/GameSession.h"
#include "shell/PadControl.h"
#include "shell/frmMain.h"

#include <QApplication>
#include <QDir>
#include <QTest>

#include <cstdio>

#include "common/VirtualPad.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: pad_screenshot DATA_DIR TAPS [OUT.png]\n");
        return 2;
    }
    Bench::NoDialogs dialogs;
    GameSession session(QDir(QString::fromLocal8Bit(argv[1])).absolutePath());
    frmMain w(session, dialogs);
    if (!w.Form_Load())
        return 1;
    w.enableControllers();
    w.show();
    // The controller talks to the active window; a bare X server has no window manager to
    // make it so.
    w.activateWindow();
    if (!w.padControl() || !QTest::qWaitForWindowActive(&w))
        return 1;
    VirtualPad pad(w.padControl()->navigator().reader());
    if (!pad.waitUntilOpen())
        return 1;
    const int taps = QString::fromLocal8Bit(argv[2]).toInt();
    for (int i = 0; i < taps; ++i) {
        const int row = w.lstGames->currentRow();
        if (!pad.tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN) ||
            !QTest::qWaitFor([&] { return w.lstGames->currentRow() != row; }))
            return 1;
    }
    pad.tap(SDL_CONTROLLER_BUTTON_Y);
    QTest::qWait(300);
    std::printf("pad_screenshot: row %d, %s\n", w.lstGames->currentRow(),
                qPrintable(w.GameList().romName(w.lstGames->currentRow())));
    if (argc > 3)
        return w.grab().save(QString::fromLocal8Bit(argv[3])) ? 0 : 1;
    return app.exec();
}

#include "BenchWindow.h"

#include "BenchSupport.h"

#include "session/GameSession.h"
#include "shell/frmMain.h"

#include <QCoreApplication>

namespace Bench {

double startUpInProcessMs(const QString& appDir, Dialogs& dialogs, int rounds, double pauseMs) {
    std::vector<double> times;
    for (int round = 0; round <= rounds; ++round) {
        GameSession state(appDir);
        const double ms = elapsedMs([&] {
            frmMain w(state, dialogs);
            if (!w.Form_Load())
                qFatal("Form_Load failed");
            w.show();
            QCoreApplication::processEvents();
        });
        if (round > 0)
            times.push_back(ms - pauseMs);
    }
    return median(times);
}

CachedWindow::CachedWindow(const QString& appDir) : state(appDir) {
    window.ReadDovrelCFG();
    window.LoadGameList(false);
    window.InitCfg(); // writes the default profile from the definition defaults when missing
}

} // namespace Bench

#pragma once

// What the benchmarks of the whole main window share.

#include "BenchSupport.h"
#include "session/GameSession.h"
#include "shell/frmMain.h"

#include <QString>

class Dialogs;

namespace Bench {

// The sequence of main() in this process: the window built, Form_Load, shown and painted once,
// less the fixed pause after starting the emulator. The median of `rounds`, after one round
// that writes the default profile and is not counted.
double startUpInProcessMs(const QString& appDir, Dialogs& dialogs, int rounds, double pauseMs);

// A main window of an application folder whose cache is in place, as start-up leaves it (the
// settings, every game listed, the options panel built), not yet shown.
struct CachedWindow {
    explicit CachedWindow(const QString& appDir);
    GameSession state;
    NoDialogs dialogs;
    frmMain window{state, dialogs};
};

} // namespace Bench

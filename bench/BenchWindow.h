#pragma once

// What the benchmarks of the whole main window share.

#include <QString>

class Dialogs;

namespace Bench {

// The sequence of main() in this process: the window built, Form_Load, shown and painted once,
// less the fixed pause after starting the emulator. The median of `rounds`, after one round
// that writes the default profile and is not counted.
double startUpInProcessMs(const QString& appDir, Dialogs& dialogs, int rounds, double pauseMs);

} // namespace Bench

#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class Dialogs;
class QProcess;

// The show state that a window style code (0 to 5, anything else meaning 4) asks the started
// program's first window to take, numbered as the Windows start call numbers them. The code
// is floored first, so 2.5 means 2. X11 and Wayland have no show states; there it is unused.
int ShowStateForWindowStyle(double windowStyle);

struct RunOptions {
    // The child's environment; Tarvelin's own when not set. Its PATH is also where a program
    // name without a directory is looked for after the working folder.
    std::optional<QProcessEnvironment> environment;
    // The file that receives the child's standard output; Tarvelin's own output when empty.
    QString standardOutputFile;
    int showState = 1;
    // When above 0, the child's error output comes through a pipe, read as it is written:
    // passed on to Tarvelin's own, and its last lines kept for the result.
    int errorTailLines = 0;
};

// How a run ended. `ended` is false when the program did not start (`startError` says why)
// or its wait failed.
struct RunResult {
    bool started = false;
    bool ended = false;
    bool crashed = false;
    int exitCode = 0;
    QString startError;
    QStringList errorTail;
};

// Starts a program and returns when it has ended, processing the window events meanwhile.
// The folder becomes Tarvelin's current directory and stays so afterwards; a folder that
// cannot be made current is skipped and the program starts from the current directory. No
// shell sees the arguments. A program that cannot be started gives no message: the call
// returns after the fixed 200 ms pause. A failed wait shows "Wait failed or abandoned".
RunResult RunAndWait(Dialogs& dialogs, const QString& folder, const QString& program,
                     const QStringList& arguments, const RunOptions& options = {});

// The same for a program and its argument text, with a window style code. The program is one
// name even with blanks in it; the argument text is split with double-quote grouping.
void RunAndWait(Dialogs& dialogs, const QString& folder, const QString& program,
                const QString& arguments, double windowStyle);

// Lets a started program run on by itself, as a program whose wait failed does: it is never
// killed, neither now nor when Tarvelin ends, and never left as a zombie if it ends first.
void LetRunOn(std::unique_ptr<QProcess> process);

namespace RunAndWaitTiming {
// The fixed pause between the start and the first wait, whether or not the start succeeded.
inline constexpr int pauseMs = 200;
inline constexpr int pollMs = 1;
} // namespace RunAndWaitTiming

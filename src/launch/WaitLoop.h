#pragma once

#include <functional>

class Dialogs;

// What one short wait on a started process gave.
enum class WaitResult {
    Ended,    // the process has ended
    TimedOut, // still running after the poll interval
    Failed,   // the wait itself failed
    Other,    // any other answer of the platform's wait
};

// Waits until the process ends: after each time-out the pending window events are processed,
// so the caller's window stays responsive; a failed wait shows "Wait failed or abandoned" and
// gives up; any other answer waits again at once.
void WaitUntilEnded(Dialogs& dialogs, const std::function<WaitResult()>& waitOnce,
                    const std::function<void()>& processEvents);

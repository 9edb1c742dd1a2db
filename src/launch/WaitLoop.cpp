#include "launch/WaitLoop.h"

#include "base/Dialogs.h"

void WaitUntilEnded(Dialogs& dialogs, const std::function<WaitResult()>& waitOnce,
                    const std::function<void()>& processEvents) {
    for (;;) {
        switch (waitOnce()) {
        case WaitResult::Ended:
            return;
        case WaitResult::TimedOut:
            processEvents();
            break;
        case WaitResult::Failed:
            dialogs.message(QStringLiteral("Wait failed or abandoned"));
            return;
        case WaitResult::Other:
            break;
        }
    }
}

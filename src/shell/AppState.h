#pragma once

#include "base/Settings.h"

#include <QString>

// The process-wide state that start-up fills and the windows share. It is passed to the
// windows rather than kept in globals, so that each test runs in its own application folder.
struct AppState {
    QString appDir; // no trailing separator
    FrontEndSettings settings;
    QString HelpText;
    bool LaunchBusy = false;
};

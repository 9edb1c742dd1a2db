#pragma once

#include "setup/Presets.h"

#include <QString>

#include <vector>

// What the first-run setup comes to before any window: the folder is ready, the setup window
// must ask, or the program ends with a message on stderr and an exit status.
struct FirstRunResult {
    enum class Next { Ready, AskInWindow, End };
    Next next = Next::Ready;
    int exitStatus = 0;
    QString message; // for stderr: why the program ends, or a note when it goes on
};

// With a preset name (--preset NAME), installs that preset when the folder needs setting up:
// an unknown name ends with status 2, a preset that is not installed or whose emulator is not
// found ends with status 1, and a folder that is set up already is left as it is, with a note.
// Without a name, a folder that needs setting up is for the setup window.
FirstRunResult FirstRunWithoutWindow(const QString& dataDir, const QString& presetName,
                                     const std::vector<Preset>& presets);

// Why a preset cannot be chosen, or empty when it can: not installed, or no emulator found.
QString PresetUnusableReason(const Preset& preset);

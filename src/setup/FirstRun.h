#pragma once

#include "setup/Presets.h"

#include <QString>
#include <QStringList>

#include <vector>

// What the first-run setup comes to before any window: the folder is ready, the setup window
// must ask, or the program ends with a message on stderr and an exit status.
struct FirstRunResult {
    enum class Next { Ready, AskInWindow, End };
    Next next = Next::Ready;
    int exitStatus = 0;
    QString message; // for stderr: why the program ends, or a note when it goes on
};

// With preset names (each --preset NAME), installs them through InstallPresets when the folder
// needs setting up: one into the folder itself, several each into a folder of its own, listed
// as systems. Every name is checked before anything is written: an unknown one ends with
// status 2, one that is not installed or whose emulator is not found with status 1. A folder
// that is set up already is left as it is, with a note. Without a name, a folder that needs
// setting up is for the setup window.
FirstRunResult FirstRunWithoutWindow(const QString& dataDir, const QStringList& presetNames,
                                     const std::vector<Preset>& presets);

// Why a preset cannot be chosen, or empty when it can: not installed, or no emulator found.
QString PresetUnusableReason(const Preset& preset);

#pragma once

#include "setup/Presets.h"

#include <QString>

#include <vector>

// The name a preset's system gets: its title without the part in brackets ("MAME",
// "Demo emulator", "RetroArch with Nestopia").
QString SystemNameFor(const Preset& preset);

// Sets a folder that needs setting up up with the presets. One goes into the folder itself,
// exactly as it always has; several go each into a folder of its own below it (mame/,
// scummvm/ ...), and the folder lists them as its systems, the first current. False with the
// reason in `error` when one cannot be installed; the presets set up before it stay, listed.
bool InstallPresets(const std::vector<Preset>& presets, const QString& dataDir, QString* error);

// Adds the preset to a folder that is set up: into a new folder below it, listed last. A
// folder that was one system until now becomes the list's first system, named by its window
// caption. Returns the new system's name, or empty with the reason in `error`.
QString AddPresetSystem(const Preset& preset, const QString& dataDir, QString* error);

// Adds a folder that is set up already (it holds dovrel/dovrel.ini) where it is, without
// copying anything; the same as AddPresetSystem otherwise.
QString AddFolderSystem(const QString& folder, const QString& dataDir, QString* error);

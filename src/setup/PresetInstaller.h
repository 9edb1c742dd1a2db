#pragma once

#include <QString>

struct Preset;

// Copies a preset into a data folder that holds no dovrel/dovrel.ini yet: the demo's whole
// folder (dovrel/, roms/, its input file), or another preset's files into dovrel/; an empty
// dovrel/cfgs/ for the profiles. A file already in the folder (ROMs the user put there) is
// kept. dovrel.ini comes last, with ExeName set to the program found, so a folder counts as
// set up only once everything is in place. Returns false with the reason in `error` when a
// file cannot be written; a dovrel.ini is then never left behind.
bool InstallPreset(const Preset& preset, const QString& dataDir, QString* error);

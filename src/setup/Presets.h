#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// A ready-made settings folder for one emulator, as shipped with Tarvelin, and whether that
// emulator's program is on this machine.
struct Preset {
    QString name;    // what --preset takes: "demo", "mame", "scummvm", "dosbox" ...
    QString title;   // what the setup window shows
    QString source;  // the shipped folder; empty when this installation lacks it
    QString program; // ExeName as the preset names it
    QString found;   // the program's absolute path; empty when it was not found

    bool available() const { return !source.isEmpty(); }
    bool emulatorFound() const { return !found.isEmpty(); }
};

// Where presets and programs are looked for.
struct PresetPlaces {
    QStringList shareFolders;   // each may hold demo/ and presets/<name>/
    QStringList programFolders; // searched in order before the search path
    QStringList searchPath;     // the folders of PATH
};

// The places of a program whose executable is in `exeDir`: the installed layout
// (bin/ beside share/tarvelin/ and lib/tarvelin/, where the demo emulator goes) and the build
// tree (build/app beside build/share/tarvelin/), the executable's own folder first for programs.
PresetPlaces PresetPlacesFor(const QString& exeDir, const QString& pathValue);

// The presets Tarvelin knows, in the order the setup window offers them: the demo emulator,
// MAME, ScummVM, then the console emulators that list the ROM folder (DOSBox, FCEUX, RetroArch
// with Nestopia and with Gambatte, mGBA, Stella, Hatari). A preset's folder is the first share
// folder that holds its dovrel.ini; its program is looked for in the program folders, then on
// the search path.
std::vector<Preset> FindPresets(const PresetPlaces& places);

std::optional<Preset> PresetNamed(const std::vector<Preset>& presets, const QString& name);

// "demo, mame, scummvm", for messages.
QString PresetNames(const std::vector<Preset>& presets);

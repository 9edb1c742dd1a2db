#include "setup/Presets.h"

#include "base/Ini.h"
#include "launch/ProgramLookup.h"

#include <QDir>
#include <QFileInfo>

namespace {

struct Known {
    const char* name;
    const char* title;
    const char* folder; // below a share folder
};

// The demo keeps the layout of a whole application folder (dovrel/, roms/, its input file);
// the other presets are the files of a dovrel/ folder alone.
constexpr Known kKnown[] = {
    {"demo", "Demo emulator (bundled, no ROMs needed)", "demo"},
    {"mame", "MAME", "presets/mame"},
    {"scummvm", "ScummVM", "presets/scummvm"},
    {"dosbox", "DOSBox (DOS programs and game folders)", "presets/dosbox"},
    {"fceux", "FCEUX (NES)", "presets/fceux"},
    {"nestopia", "RetroArch with Nestopia (NES)", "presets/nestopia"},
    {"gambatte", "RetroArch with Gambatte (Game Boy)", "presets/gambatte"},
    {"mgba", "mGBA (Game Boy Advance)", "presets/mgba"},
    {"stella", "Stella (Atari 2600)", "presets/stella"},
    {"hatari", "Hatari (Atari ST)", "presets/hatari"},
};

QString presetSettings(const QString& folder) {
    const QString inDovrel = folder + QStringLiteral("/dovrel/dovrel.ini");
    return QFileInfo(inDovrel).isFile() ? inDovrel : folder + QStringLiteral("/dovrel.ini");
}

QString locateProgram(const QString& program, const PresetPlaces& places) {
    if (program.isEmpty() || places.programFolders.isEmpty())
        return {};
    // The first program folder is searched as the working folder, the others before PATH.
    const QString found = FindProgram(program, places.programFolders.first(),
                                      places.programFolders.mid(1) + places.searchPath);
    return QFileInfo(found).isAbsolute() && QFileInfo(found).isFile() ? QDir::cleanPath(found)
                                                                      : QString();
}

} // namespace

PresetPlaces PresetPlacesFor(const QString& exeDir, const QString& pathValue) {
    const QString parent = QDir::cleanPath(exeDir + QStringLiteral("/.."));
    return {{parent + QStringLiteral("/share/tarvelin")},
            {exeDir, parent + QStringLiteral("/lib/tarvelin")},
            SearchPathFolders(pathValue)};
}

std::vector<Preset> FindPresets(const PresetPlaces& places) {
    std::vector<Preset> presets;
    for (const Known& known : kKnown) {
        Preset preset{
            QString::fromLatin1(known.name), QString::fromLatin1(known.title), {}, {}, {}};
        for (const QString& share : places.shareFolders) {
            const QString folder = share + u'/' + QString::fromLatin1(known.folder);
            if (QFileInfo(presetSettings(folder)).isFile()) {
                preset.source = folder;
                break;
            }
        }
        if (preset.available()) {
            preset.program = ReadIni(presetSettings(preset.source), "Parse", "ExeName");
            preset.found = locateProgram(preset.program, places);
        }
        presets.push_back(preset);
    }
    return presets;
}

std::optional<Preset> PresetNamed(const std::vector<Preset>& presets, const QString& name) {
    for (const Preset& preset : presets)
        if (preset.name == name)
            return preset;
    return std::nullopt;
}

QString PresetNames(const std::vector<Preset>& presets) {
    QStringList names;
    for (const Preset& preset : presets)
        names << preset.name;
    return names.join(QStringLiteral(", "));
}

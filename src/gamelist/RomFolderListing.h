#pragma once

#include "launch/RomFileMap.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>

struct FrontEndSettings;

// How the game list is made from the ROM folder, for emulators that print no list.
struct RomFolderRules {
    QString folder;         // the ROM folder as a path Tarvelin can open (RomPath resolved)
    QStringList extensions; // as ParseRomExtensions gives them
    bool subFolders = false;  // files in the folders below count too
    bool gameFolders = false; // each folder directly in the ROM folder is one game

    bool isOn() const { return !extensions.isEmpty() || gameFolders; }
};

// The rules of the settings: RomPath, or the application folder's roms/ when it is empty,
// a relative one taken from the application folder. Off (isOn() false) without the keys.
RomFolderRules RomFolderRulesFor(const QString& appDir, const FrontEndSettings& settings);

struct RomFolderList {
    QList<RomFile> games; // in list order: by ROM name, letter case ignored, then as it stands
    // One line per name left out or listed once, at most kMaxWarnings and then one that counts
    // the rest: the terminal is told, and a folder of 100,000 odd names does not flood it.
    QStringList warnings;
    bool folderRead = false; // the ROM folder itself could be read

    static constexpr int kMaxWarnings = 20;
};

// Lists the games of the ROM folder. Hidden entries are skipped; links are followed, a folder
// reached twice (a link loop) is read once, and no deeper than 32 levels. A sub-folder that
// cannot be read, and a name the list cannot hold, are left out with a warning; a name two
// files share is listed once, for the first file by path, with a warning; a name that cannot
// name a profile is listed with a warning. Setting `stop` ends the listing early (its result
// then counts for nothing).
RomFolderList ListRomFolder(const RomFolderRules& rules, const std::atomic<bool>* stop = nullptr);

#pragma once

#include <QString>

// The front-end settings read once at start-up from dovrel/dovrel.ini.
struct FrontEndSettings {
    QString WindowCaption;
    QString ExeName;
    QString GameListCommand;
    qint16 GameListStartLine = 0;
    qint16 GameListRomLen = 0;
    qint16 HelpEndLine = 0;
    QString RomPath;
    qint16 SendRomPath = 0;
    qint16 RomPathinQuotes = 0;
    QString RomExt;
    qint16 ShowConfig = 0;
    qint16 ShowMissingRoms = 0;
    // Optional keys, read after the twelve; absent (or anything but 1 for the switches) they
    // leave the standard behaviour. [Parse]: the ROM name ends at its first blank; one pair of
    // double quotes around a description is removed. [Settings]: where the ROM argument and
    // the options go on the emulator's command line; the list is shown from the cache and the
    // emulator asked for a new one in the background; the folders and zip archives that hold
    // the games' pictures, separated by ";" (empty: no pictures).
    bool RomNameEndsAtBlank = false;
    bool UnquoteDescriptions = false;
    QString LaunchArguments;
    bool QuickStart = false;
    QString PictureSources;
    // [Settings] Controllers: 0 leaves game controllers alone; otherwise (absent too) any
    // controller plugged in moves through the list.
    bool Controllers = true;
    // [Parse], for emulators that print no list: the game list is the files of RomPath whose
    // extension is one of RomFolderExtensions (";"-separated, letter case ignored), with the
    // files of its sub-folders too when RomFolderSubFolders is 1, and each folder directly in
    // RomPath as one game when RomFolderGameFolders is 1. Either of the first and the last
    // turns the listing on; GameListCommand is not run then.
    QString RomFolderExtensions;
    bool RomFolderSubFolders = false;
    bool RomFolderGameFolders = false;
    // Not a key: where the ROM folder's listing keeps each game's file, so that Launch can
    // pass its full path; set by ReadFrontEndSettings while the listing is on, else empty.
    QString RomFileMap;
    // [Parse] DetailFields: the names of the fields that follow a game line's first tab, in
    // their order, separated by ";" (empty: a tab is part of the description, as always).
    QString DetailFields;
};

// Whether the game list comes from the ROM folder rather than from the emulator's output.
inline bool ListsRomFolder(const FrontEndSettings& s) {
    return !s.RomFolderExtensions.trimmed().isEmpty() || s.RomFolderGameFolders;
}

// Reads the twelve settings in their fixed order, then the optional keys (silently). A 16-bit key that is empty, not a whole
// number or out of range counts as 0 and is reported on stderr. The RomPath and RomExt
// defaults are not applied here: start-up applies them after the stored toggles.
FrontEndSettings ReadFrontEndSettings(const QString& appDir);

// The in-memory defaults for an empty RomPath and RomExt (never written back).
void ApplySettingsDefaults(FrontEndSettings& settings, const QString& appDir);

// Reads one 16-bit settings key with the rule above.
qint16 ReadInt16Setting(const QString& file, const QString& section, const QString& key);

// Flags are on only when they equal 1.
inline bool IsOn(qint16 flag) { return flag == 1; }

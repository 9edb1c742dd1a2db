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
};

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

#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

// What one entry of the ROM folder is to the game list, from its name as the file system
// gives it (bytes) and whether it is a folder.
struct RomEntryName {
    enum class Kind {
        NotAGame, // hidden (".", "..", ".git"), or a file without a listed extension
        Game,
        Unusable, // it would be a game, but the list cannot hold or pass its name
    };
    Kind kind = Kind::NotAGame;
    QString rom;         // a game's ROM name, which is its title too
    QString reason;      // why an unusable entry is left out
    bool profileSafe = true; // false: the name cannot name a game profile ("default")
};

// The extensions of a RomFolderExtensions value: split at ";", blanks trimmed, empty parts
// dropped, a leading "." added where missing, letter case folded, each once, the longest
// first so that ".tar.gz" is tried before ".gz".
QStringList ParseRomExtensions(const QString& value);

// The ROM name of an entry: a file's name without the extension it matched (letter case
// ignored; the name must hold more than the extension), a folder's whole name when folders are
// games. A name that is not valid UTF-8 could not be passed back to the file system as it
// was, and one with "|" or a line break would break the cache's lines: both are unusable.
RomEntryName NameRomEntry(QByteArrayView entry, bool isFolder, const QStringList& extensions);

#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// One game of a list made from the ROM folder: its ROM name and the full path of its file (or
// of its folder, for a game that is a folder).
struct RomFile {
    QString rom;
    QString path;

    friend bool operator==(const RomFile&, const RomFile&) = default;
};

// The file beside the game list cache that tells Launch which file each game of a ROM-folder
// list is: one line per game, ROM name, "|", full path, each line ended by CR LF, UTF-8. The
// names never hold "|" or a line end (the listing leaves such files out); a path may hold "|".
// It is written with the cache from the same listing, so the two always name the same games.
namespace RomFileMap {

QByteArray bytes(const QList<RomFile>& files);

// The path of `rom` in the map's bytes, or nullopt when the map does not name it. A line
// without "|" names nothing.
std::optional<QString> find(const QByteArray& mapBytes, const QString& rom);

// The same, read from the map file; a missing or unreadable file names nothing.
std::optional<QString> findInFile(const QString& mapFile, const QString& rom);

} // namespace RomFileMap

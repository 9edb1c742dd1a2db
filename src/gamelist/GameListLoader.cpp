#include "gamelist/GameListLoader.h"

#include "base/Ini.h"
#include "base/Settings.h"
#include "gamelist/GameListCache.h"
#include "gamelist/RomFileIndex.h"
#include "gamelist/TextLines.h"

#include <QFileInfo>

namespace {

// The settings beside the cache say whether the list was made from the ROM folder, where
// RomPath & ROM name & RomExt names nothing: every game of such a list is a file that was there.
bool listedFromRomFolder(const QString& cacheFile) {
    const IniSnapshot settings(QFileInfo(cacheFile).path() + QStringLiteral("/dovrel.ini"));
    FrontEndSettings s;
    s.RomFolderExtensions = settings.read(QStringLiteral("Parse"), QStringLiteral("RomFolderExtensions"));
    s.RomFolderGameFolders =
        settings.read(QStringLiteral("Parse"), QStringLiteral("RomFolderGameFolders")) == u"1";
    return ListsRomFolder(s);
}

} // namespace

QList<GameEntry> LoadGameEntries(const QString& cacheFile, bool onlyAvailable,
                                 const QString& RomPath, const QString& RomExt) {
    const QByteArray bytes = ReadFileBytes(cacheFile);
    if (!onlyAvailable || listedFromRomFolder(cacheFile))
        return ParseGameListCache(bytes);
    // The ROM folder is read before the games, so that a game whose file is missing is dropped
    // before it costs a description. Each line end stands for about one game.
    const RomFileIndex roms(RomPath, RomExt, CountLineEnds(bytes));
    return ParseGameListCache(bytes, [&roms](const QString& rom) { return roms.exists(rom); });
}

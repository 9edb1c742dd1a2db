#include "gamelist/GameListLoader.h"

#include "base/Ini.h"
#include "gamelist/GameListCache.h"
#include "gamelist/RomFileIndex.h"
#include "gamelist/TextLines.h"

QList<GameEntry> LoadGameEntries(const QString& cacheFile, bool onlyAvailable,
                                 const QString& RomPath, const QString& RomExt) {
    const QByteArray bytes = ReadFileBytes(cacheFile);
    if (!onlyAvailable)
        return ParseGameListCache(bytes);
    // The ROM folder is read before the games, so that a game whose file is missing is dropped
    // before it costs a description. Each line end stands for about one game.
    const RomFileIndex roms(RomPath, RomExt, CountLineEnds(bytes));
    return ParseGameListCache(bytes, [&roms](const QString& rom) { return roms.exists(rom); });
}

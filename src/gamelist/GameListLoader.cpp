#include "GameListLoader.h"

#include "GameListCache.h"
#include "RomFileIndex.h"

QList<GameEntry> LoadGameEntries(const QString& cacheFile, bool onlyAvailable,
                                 const QString& RomPath, const QString& RomExt) {
    QList<GameEntry> games = ReadGameListCache(cacheFile);
    if (!onlyAvailable)
        return games;
    const RomFileIndex roms(RomPath, RomExt, games.size());
    games.removeIf([&roms](const GameEntry& game) { return !roms.exists(game.rom); });
    return games;
}

QStringList Descriptions(const QList<GameEntry>& games) {
    QStringList descriptions;
    descriptions.reserve(games.size());
    for (const GameEntry& game : games)
        descriptions.append(game.description);
    return descriptions;
}

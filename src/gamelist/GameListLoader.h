#pragma once

#include "gamelist/GameEntry.h"

#include <QList>
#include <QString>

// The games of the cache that the list shows: every game, or with onlyAvailable only those
// whose ROM file RomPath & ROM name & RomExt exists. A missing cache lists nothing. A list made
// from the ROM folder (so dovrel.ini beside the cache says) has nothing to hide: every game.
QList<GameEntry> LoadGameEntries(const QString& cacheFile, bool onlyAvailable,
                                 const QString& RomPath, const QString& RomExt);

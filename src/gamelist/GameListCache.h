#pragma once

#include "GameEntry.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The game list cache, dovrel/glist.lst: one line per game, ROM name, "|", description, each
// line ended by CR LF, no header. Written as UTF-8.
QByteArray GameListCacheBytes(const QList<GameEntry>& games);

// The games of a cache. A missing or unreadable file gives no games; an empty line is skipped;
// a line without "|" is both the ROM name and the description; fields after the second are
// dropped, so a description with "|" is cut there.
QList<GameEntry> ReadGameListCache(const QString& file);
QList<GameEntry> ParseGameListCache(const QByteArray& bytes);

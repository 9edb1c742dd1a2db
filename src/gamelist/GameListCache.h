#pragma once

#include "gamelist/GameEntry.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

#include <functional>

// The game list cache, dovrel/glist.lst: one line per game, ROM name, "|", description, each
// line ended by CR LF, no header. Written as UTF-8.
QByteArray GameListCacheBytes(const QList<GameEntry>& games);

// The same bytes built one game at a time, from views, with no string per game.
class GameListCacheWriter {
public:
    // The characters the games will take, if known, so that the text grows once.
    explicit GameListCacheWriter(qsizetype expectedCharacters = 0);
    void add(QStringView rom, QStringView description);
    QByteArray bytes() const;

private:
    QString m_text;
};

// The same bytes from fields that are UTF-8 already (views into an output that is valid
// UTF-8), copied as they stand.
class GameListCacheUtf8Writer {
public:
    explicit GameListCacheUtf8Writer(qsizetype expectedBytes = 0);
    void add(QByteArrayView rom, QByteArrayView description);
    QByteArray bytes() const;

private:
    QByteArray m_bytes;
};

// The games of a cache. A missing or unreadable file gives no games; an empty line is skipped;
// a line without "|" is both the ROM name and the description; fields after the second are
// dropped, so a description with "|" is cut there.
QList<GameEntry> ReadGameListCache(const QString& file);
QList<GameEntry> ParseGameListCache(const QByteArray& bytes);
// The same, keeping only the games whose ROM name `keep` accepts; the others cost no
// description.
QList<GameEntry> ParseGameListCache(const QByteArray& bytes,
                                    const std::function<bool(const QString& rom)>& keep);

#pragma once

#include "gamelist/GameDetails.h"
#include "gamelist/GameEntry.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// The details cache, dovrel/gdetails.lst, written beside glist.lst from the same list output:
// a first line "#Tarvelin details" followed by each field name, then one line per game of the
// cache, in its order, with the ROM name and each field's value; fields separated by a tab,
// lines ended by CR LF, UTF-8. The ROM names tie each line to its game, so that details left
// from another list (or a cache replaced without them) are told apart from this list's.
class GameDetailsCacheWriter {
public:
    explicit GameDetailsCacheWriter(const QStringList& fields, qsizetype expectedBytes = 0);
    // A game with the text after its line's first tab: the values separated by tabs, as many as
    // there are fields (missing ones empty, extra ones dropped, blanks around each removed).
    // The ROM name is written as the cache gives it back, up to a "|".
    void add(QStringView rom, QStringView details);
    // The same from fields that are UTF-8 already.
    void add(QByteArrayView rom, QByteArrayView details);
    QByteArray bytes() const { return m_bytes; }

private:
    qsizetype m_fieldCount;
    QByteArray m_bytes;
};

// The details of `games` (the games of the cache in its order, all of them when `allGames`,
// else the ones the missing-ROM filter kept), row r for games[r]. Nothing, with `problem`
// saying why, when the bytes are no details of this list for these fields: empty, another
// first line, a line with another number of fields, a game without a line of its own in the
// cache's order, or with `allGames` lines for games the cache does not hold.
std::optional<GameDetails> ReadGameDetailsCache(const QByteArray& bytes, const QStringList& fields,
                                                const QList<GameEntry>& games, bool allGames,
                                                QString* problem = nullptr);

// The file read for the loaded games; no details (an empty table) when it cannot be used, with
// the warning that names the file and the problem, until the next list writes it anew.
GameDetails LoadGameDetails(const QString& file, const QStringList& fields,
                            const QList<GameEntry>& games, bool allGames, QString* warning);

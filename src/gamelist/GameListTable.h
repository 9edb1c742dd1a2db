#pragma once

#include "gamelist/GameEntry.h"

#include <QList>
#include <QString>

// GameList: the ROM name (column 0) and description (column 1) of each list entry, row r
// belonging to entry r of lstGames. A fill that lists no game leaves the rows of the earlier
// fill in place; nothing reads a row without a list entry.
class GameListTable {
public:
    void fill(QList<GameEntry> games);

    qsizetype rowCount() const { return m_rows.size(); }
    // Column 0 and column 1 of a row; empty for a row that does not exist.
    QString romName(qsizetype row) const;
    QString description(qsizetype row) const;

private:
    QList<GameEntry> m_rows;
};

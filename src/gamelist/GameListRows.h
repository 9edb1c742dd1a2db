#pragma once

#include "gamelist/GameEntry.h"

#include <QList>
#include <QString>

#include <memory>
#include <vector>

// GameList: the ROM name and description of each list entry, row r belonging to entry r of
// lstGames. It shares the loaded games and the shown order with the list's model instead of
// copying a string per game. A fill that lists no game leaves the rows of the earlier fill in
// place; nothing reads a row without a list entry.
class GameListRows {
public:
    GameListRows() = default;
    GameListRows(QList<GameEntry> games, std::shared_ptr<const std::vector<qsizetype>> order);

    qsizetype rowCount() const { return m_order ? qsizetype(m_order->size()) : 0; }
    // The game of a row; null for a row that does not exist.
    const GameEntry* entry(qsizetype row) const;
    // The row's index into the loaded games; -1 for a row that does not exist.
    qsizetype gameIndex(qsizetype row) const;
    // Column 0 and column 1 of a row; empty for a row that does not exist.
    QString romName(qsizetype row) const;
    QString description(qsizetype row) const;
    // The first row that shows the game of this ROM name; -1 when none does.
    qsizetype rowOf(const QString& rom) const;

private:
    QList<GameEntry> m_games;
    std::shared_ptr<const std::vector<qsizetype>> m_order;
};

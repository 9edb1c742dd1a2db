#include "gamelist/GameListRows.h"

GameListRows::GameListRows(QList<GameEntry> games,
                           std::shared_ptr<const std::vector<qsizetype>> order)
    : m_games(std::move(games)), m_order(std::move(order)) {}

const GameEntry* GameListRows::entry(qsizetype row) const {
    if (row < 0 || row >= rowCount())
        return nullptr;
    const qsizetype game = (*m_order)[size_t(row)];
    return game >= 0 && game < m_games.size() ? &m_games[game] : nullptr;
}

qsizetype GameListRows::gameIndex(qsizetype row) const {
    return entry(row) ? (*m_order)[size_t(row)] : -1;
}

QString GameListRows::romName(qsizetype row) const {
    const GameEntry* game = entry(row);
    return game ? game->rom : QString();
}

QString GameListRows::description(qsizetype row) const {
    const GameEntry* game = entry(row);
    return game ? game->description : QString();
}

qsizetype GameListRows::rowOf(const QString& rom) const {
    for (qsizetype row = 0; row < rowCount(); ++row)
        if (entry(row)->rom == rom)
            return row;
    return -1;
}

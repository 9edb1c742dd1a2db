#include "gamelist/GameListTable.h"

void GameListTable::fill(QList<GameEntry> games) {
    if (!games.isEmpty())
        m_rows = std::move(games);
}

QString GameListTable::romName(qsizetype row) const {
    return row >= 0 && row < m_rows.size() ? m_rows[row].rom : QString();
}

QString GameListTable::description(qsizetype row) const {
    return row >= 0 && row < m_rows.size() ? m_rows[row].description : QString();
}

#include "gamelist/GameListModel.h"

#include "gamelist/GameLibrary.h"

GameListModel::GameListModel(const GameLibrary& library, QObject* parent)
    : QAbstractListModel(parent), m_library(library) {}

void GameListModel::setGames(QList<GameEntry> games) {
    m_view.setGames(std::move(games));
}

void GameListModel::show(const ViewChoices& choices) {
    beginResetModel();
    m_shown = GameListRows(m_view.games(), std::make_shared<const std::vector<qsizetype>>(
                                               m_view.visible(choices, m_library)));
    if (m_shown.rowCount() > 0)
        m_table = m_shown;
    endResetModel();
}

void GameListModel::rowChanged(int row) {
    if (row >= 0 && row < m_shown.rowCount())
        emit dataChanged(index(row), index(row));
}

int GameListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_shown.rowCount());
}

QVariant GameListModel::data(const QModelIndex& index, int role) const {
    const GameEntry* game = m_shown.entry(index.row());
    if (!game || index.parent().isValid())
        return {};
    const auto favourite = [&] {
        return m_library.favouriteCount() > 0 && m_library.isFavourite(game->rom);
    };
    switch (role) {
    case Qt::DisplayRole:
        // The mark goes before the title, where eliding a long title cannot hide it.
        return favourite() ? QStringLiteral("\u2605 ") + game->description : game->description;
    case Qt::ToolTipRole: {
        const std::optional<PlayRecord> record = m_library.record(game->rom);
        return record ? GameLibrary::describe(*record) : QString();
    }
    case RomNameRole:
        return game->rom;
    case FavouriteRole:
        return favourite();
    default:
        return {};
    }
}

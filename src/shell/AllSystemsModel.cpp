#include "shell/AllSystemsModel.h"

#include "gamelist/GameLibrary.h"

void AllSystemsModel::show(const ViewChoices& choices) {
    beginResetModel();
    m_rows = m_games.visible(choices);
    endResetModel();
}

void AllSystemsModel::rowChanged(int row) {
    emit dataChanged(index(row, 0), index(row, 1));
}

int AllSystemsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int AllSystemsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant AllSystemsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || size_t(index.row()) >= m_rows.size())
        return {};
    const AllSystemsGames::Row& row = m_rows[size_t(index.row())];
    const AllSystemsGames::System& system = m_games.systems()[size_t(row.system)];
    const GameEntry& game = m_games.game(row);
    switch (role) {
    case Qt::DisplayRole:
        if (index.column() == 1)
            return system.name;
        if (system.library && system.library->isFavourite(game.rom))
            return QStringLiteral("\u2605 ") + game.description;
        return game.description;
    case Qt::ToolTipRole: {
        const std::optional<PlayRecord> played =
            system.library ? system.library->record(game.rom) : std::nullopt;
        const QString head = QStringLiteral("%1 (%2)").arg(game.rom, system.name);
        return played ? head + u'\n' + GameLibrary::describe(*played) : head;
    }
    default:
        return {};
    }
}

QVariant AllSystemsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == 0 ? QStringLiteral("Title") : QStringLiteral("System");
}

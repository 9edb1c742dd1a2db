#include "gamelist/GameListModel.h"

#include "gamelist/GameLibrary.h"

using Field = GameDetails::Field;

namespace {

// The columns' place in the table, before the fields that mean nothing to the list.
constexpr Field kTableFields[] = {Field::Year, Field::Manufacturer, Field::Status, Field::Players,
                                  Field::Category};

QStringList columnsOf(const GameDetails& details) {
    QStringList columns{kTitleColumn};
    if (details.isEmpty())
        return columns;
    for (Field field : kTableFields) {
        if (field == Field::Status)
            columns.append(kRomColumn);
        if (details.column(field) >= 0)
            columns.append(details.fields()[details.column(field)]);
    }
    for (int c = 0; c < details.fields().size(); ++c)
        if (c != details.column(Field::Parent) && !columns.contains(details.fields()[c]))
            columns.append(details.fields()[c]);
    return columns;
}

QString markedTitle(RowMark mark, const QString& title) {
    switch (mark) {
    case RowMark::ClonesHidden:
        return QStringLiteral("\u25B8 ") + title;
    case RowMark::ClonesShown:
        return QStringLiteral("\u25BE ") + title;
    case RowMark::Clone:
        return QStringLiteral("\u2003\u2003") + title;
    case RowMark::Plain:
        break;
    }
    return title;
}

} // namespace

GameListModel::GameListModel(const GameLibrary& library, QObject* parent)
    : QAbstractListModel(parent), m_library(library), m_columns{kTitleColumn} {}

void GameListModel::setGames(QList<GameEntry> games, GameDetails details) {
    m_view.setGames(std::move(games), std::move(details));
    const QStringList columns = columnsOf(m_view.details());
    if (columns != m_columns) {
        // Nothing is shown between setGames and show(), so the reset costs no drawing.
        beginResetModel();
        m_columns = columns;
        endResetModel();
    }
}

void GameListModel::show(const ViewChoices& choices) {
    beginResetModel();
    VisibleRows rows = m_view.visibleRows(choices, m_library);
    m_marks = std::move(rows.marks);
    m_shown = GameListRows(m_view.games(),
                           std::make_shared<const std::vector<qsizetype>>(std::move(rows.order)));
    if (m_shown.rowCount() > 0)
        m_table = m_shown;
    endResetModel();
}

void GameListModel::rowChanged(int row) {
    if (row >= 0 && row < m_shown.rowCount())
        emit dataChanged(index(row, 0), index(row, int(m_columns.size()) - 1));
}

RowMark GameListModel::mark(int row) const {
    return row >= 0 && size_t(row) < m_marks.size() ? m_marks[size_t(row)] : RowMark::Plain;
}

int GameListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_shown.rowCount());
}

int GameListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_columns.size());
}

QString GameListModel::detailsLine(const GameDetails& details, qsizetype game) {
    QStringList parts;
    for (int c = 0; c < details.fields().size(); ++c) {
        const QString value = details.value(game, c);
        if (value.isEmpty())
            continue;
        if (c == details.column(Field::Parent))
            parts.append(QStringLiteral("clone of ") + value);
        else if (c == details.column(Field::Players))
            parts.append(value + (value == u"1" ? QStringLiteral(" player")
                                                : QStringLiteral(" players")));
        else if (c == details.column(Field::Status))
            parts.append(QStringLiteral("status: ") + value);
        else
            parts.append(value);
    }
    return parts.join(QStringLiteral(" \u00B7 "));
}

QString GameListModel::cell(qsizetype game, int column) const {
    const QString& name = m_columns[column];
    if (name == kRomColumn)
        return m_view.games()[game].rom;
    return m_view.details().value(game, int(m_view.details().fields().indexOf(name)));
}

QVariant GameListModel::data(const QModelIndex& index, int role) const {
    const GameEntry* game = m_shown.entry(index.row());
    if (!game || index.parent().isValid() || index.column() >= m_columns.size())
        return {};
    const qsizetype gameIndex = m_shown.gameIndex(index.row());
    if (index.column() > 0)
        return role == Qt::DisplayRole || role == Qt::ToolTipRole
                   ? QVariant(cell(gameIndex, index.column()))
                   : QVariant();
    const auto favourite = [&] {
        return m_library.favouriteCount() > 0 && m_library.isFavourite(game->rom);
    };
    switch (role) {
    case Qt::DisplayRole: {
        const QString title = markedTitle(mark(index.row()), game->description);
        // The mark goes before the title, where eliding a long title cannot hide it.
        return favourite() ? QStringLiteral("\u2605 ") + title : title;
    }
    case Qt::ToolTipRole: {
        const std::optional<PlayRecord> record = m_library.record(game->rom);
        const QString played = record ? GameLibrary::describe(*record) : QString();
        const QString details =
            m_view.details().isEmpty() ? QString() : detailsLine(m_view.details(), gameIndex);
        if (details.isEmpty() || played.isEmpty())
            return details + played;
        return details + u'\n' + played;
    }
    case RomNameRole:
        return game->rom;
    case FavouriteRole:
        return favourite();
    default:
        return {};
    }
}

QVariant GameListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < m_columns.size())
        return m_columns[section];
    return QAbstractListModel::headerData(section, orientation, role);
}

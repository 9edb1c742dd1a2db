#pragma once

#include "gamelist/GameListRows.h"
#include "gamelist/GameListView.h"

#include <QAbstractListModel>

class GameLibrary;

// The model behind lstGames: the games as loaded and the rows the user's view choices show,
// each row an index into the loaded games, so that a fill of 50,000 games costs an integer per
// game rather than a string. A star before the title marks a favourite; the tooltip tells how
// much the game has been played. Both are asked only for the rows drawn.
// With details it also has the columns of the details table (the standard list shows column
// 0, the title), a tooltip that gives the details in one line, and marks for clones.
class GameListModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role { RomNameRole = Qt::UserRole + 1, FavouriteRole };

    explicit GameListModel(const GameLibrary& library, QObject* parent = nullptr);

    // The games as loaded (the emulator's order, after the missing-ROM filter), and their
    // details when the list has them; nothing shows until show().
    void setGames(QList<GameEntry> games, GameDetails details = {});
    const QList<GameEntry>& games() const { return m_view.games(); }
    const GameDetails& details() const { return m_view.details(); }
    // Replaces every row by the games the choices select. Like any reset, it drops the view's
    // current row without a signal.
    void show(const ViewChoices& choices);
    // GameList: the rows of the last fill that listed a game.
    const GameListRows& rows() const { return m_table; }
    // The row is drawn again (its star or tooltip changed).
    void rowChanged(int row);
    // Where the row stands among clones (Plain without Hide Clones).
    RowMark mark(int row) const;

    // The details table's columns: the title, then those of Year, Manufacturer, ROM name,
    // Status, Players and Category that the list has, then its other fields. Only the title
    // without details.
    const QStringList& columns() const { return m_columns; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The details of a game in one line: "1980 · Namco · 2 players · clone of puckman".
    static QString detailsLine(const GameDetails& details, qsizetype game);

private:
    QString cell(qsizetype game, int column) const;

    const GameLibrary& m_library;
    GameListView m_view;
    GameListRows m_shown;
    std::vector<RowMark> m_marks;
    GameListRows m_table;
    QStringList m_columns;
};

#pragma once

#include "gamelist/GameListRows.h"
#include "gamelist/GameListView.h"

#include <QAbstractListModel>

class GameLibrary;

// The model behind lstGames: the games as loaded and the rows the user's view choices show,
// each row an index into the loaded games, so that a fill of 50,000 games costs an integer per
// game rather than a string. A star before the title marks a favourite; the tooltip tells how
// much the game has been played. Both are asked only for the rows drawn.
class GameListModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role { RomNameRole = Qt::UserRole + 1, FavouriteRole };

    explicit GameListModel(const GameLibrary& library, QObject* parent = nullptr);

    // The games as loaded (the emulator's order, after the missing-ROM filter); nothing shows
    // until show().
    void setGames(QList<GameEntry> games);
    const QList<GameEntry>& games() const { return m_view.games(); }
    // Replaces every row by the games the choices select. Like any reset, it drops the view's
    // current row without a signal.
    void show(const ViewChoices& choices);
    // GameList: the rows of the last fill that listed a game.
    const GameListRows& rows() const { return m_table; }
    // The row is drawn again (its star or tooltip changed).
    void rowChanged(int row);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    const GameLibrary& m_library;
    GameListView m_view;
    GameListRows m_shown;
    GameListRows m_table;
};

#pragma once

#include "gamelist/GameEntry.h"
#include "gamelist/GameListView.h"

#include <QList>
#include <QString>

#include <vector>

class GameLibrary;

// The games of several systems as one list: every system's games in the systems' order, each
// in its list's order, found by the same words as one list (a system's name counts as a word
// of each of its games, so "mame pac" keeps to MAME) and the best matches first (see
// GameFinder::rank), favourites of every system, and the games played last first across
// systems.
class AllSystemsGames {
public:
    struct System {
        QString name;
        QList<GameEntry> games;
        const GameLibrary* library = nullptr;
    };
    struct Row {
        int system = 0;
        qsizetype game = 0; // into that system's games
        friend bool operator==(const Row&, const Row&) = default;
    };

    void setSystems(std::vector<System> systems);
    const std::vector<System>& systems() const { return m_systems; }
    qsizetype gameCount() const { return qsizetype(m_rows.size()); }
    const GameEntry& game(const Row& row) const {
        return m_systems[size_t(row.system)].games[row.game];
    }

    // The rows the choices select: the query, favourites only, recently played (by the start
    // of the last launch, whatever its system) and sort by title; the other choices are for
    // one system's list.
    std::vector<Row> visible(const ViewChoices& choices);

private:
    void deriveHaystacks();
    void deriveTitleOrder();

    std::vector<System> m_systems;
    std::vector<Row> m_rows; // every game, in the order of the systems
    std::vector<QString> m_haystacks;
    std::vector<qsizetype> m_titleOrder; // into m_rows
};

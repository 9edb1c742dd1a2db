#pragma once

#include "gamelist/GameDetails.h"
#include "gamelist/GameEntry.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

#include <vector>

class GameLibrary;

// How the user asked to see the list. All off and no query: the list as loaded.
struct ViewChoices {
    bool favouritesOnly = false;
    bool recentlyPlayed = false; // only games played, the last started first
    bool sortByTitle = false;    // by title, numbers in natural order; else the emulator's order
    QString query;               // words that must all occur in the title or the ROM name
    // For a list with details:
    bool hideClones = false;     // a parent and its clones listed as one row
    bool workingOnly = false;    // games whose status is preliminary are left out
    bool detailsTable = false;   // the table of details instead of the standard list
    // The table's column sorted by: empty for none, else kTitleColumn, kRomColumn or a field.
    QString sortField = {};
    bool sortDescending = false;
    // Matches come by how well they match (see GameFinder::rank); else in the list's order.
    bool rankMatches = false;
    // Parents whose hidden clones are shown under them (not stored).
    QSet<QString> expanded = {};
};

inline const QString kTitleColumn = QStringLiteral("Title");
inline const QString kRomColumn = QStringLiteral("ROM name");

// How a row stands among clones, with Hide Clones: a parent whose clones are hidden (or shown
// under it), or a clone shown under its parent.
enum class RowMark : quint8 { Plain, ClonesHidden, ClonesShown, Clone };

struct VisibleRows {
    std::vector<qsizetype> order; // indexes into games()
    std::vector<RowMark> marks;   // one per row with Hide Clones on; else empty
};

// The games the list shows, worked out from the games as loaded (the emulator's order, after
// the missing-ROM filter), their details and the user's choices. What finding and sorting
// need is derived once per loaded list, when first needed, so that each keystroke costs one
// pass. With a query and rankMatches the matches come by rank (see GameFinder::rank), each
// rank in the order the other choices give.
class GameListView {
public:
    void setGames(QList<GameEntry> games, GameDetails details = {});
    const QList<GameEntry>& games() const { return m_games; }
    const GameDetails& details() const { return m_details; }

    // The games shown, as indexes into games() in the order the list shows them.
    std::vector<qsizetype> visible(const ViewChoices& choices, const GameLibrary& library);
    VisibleRows visibleRows(const ViewChoices& choices, const GameLibrary& library);

    // The index of the game whose clone this one is; -1 for a game that is none, or whose
    // parent is not loaded.
    qsizetype parentOf(qsizetype game);

private:
    void deriveHaystacks();
    void deriveTitleOrder();
    void deriveParents();
    const std::vector<qsizetype>& columnOrder(const QString& field, bool descending);
    QString sortText(qsizetype game, const QString& field) const;
    void groupClones(const ViewChoices& choices, VisibleRows& rows);

    QList<GameEntry> m_games;
    GameDetails m_details;
    std::vector<QString> m_haystacks;
    std::vector<qsizetype> m_titleOrder;
    std::vector<qsizetype> m_parents;
    QHash<QString, std::vector<qsizetype>> m_columnOrders; // by field, "-" before for descending
};

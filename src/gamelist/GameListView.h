#pragma once

#include "gamelist/GameEntry.h"

#include <QList>
#include <QString>

#include <vector>

class GameLibrary;

// How the user asked to see the list. All off and no query: the list as loaded.
struct ViewChoices {
    bool favouritesOnly = false;
    bool recentlyPlayed = false; // only games played, the last started first
    bool sortByTitle = false;    // by title, numbers in natural order; else the emulator's order
    QString query;               // words that must all occur in the title or the ROM name
};

// The games the list shows, worked out from the games as loaded (the emulator's order, after
// the missing-ROM filter) and the user's choices. What finding and sorting need is derived
// once per loaded list, when first needed, so that each keystroke costs one pass.
class GameListView {
public:
    void setGames(QList<GameEntry> games);
    const QList<GameEntry>& games() const { return m_games; }

    // The games shown, as indexes into games() in the order the list shows them.
    std::vector<qsizetype> visible(const ViewChoices& choices, const GameLibrary& library);

private:
    void deriveHaystacks();
    void deriveTitleOrder();

    QList<GameEntry> m_games;
    std::vector<QString> m_haystacks;
    std::vector<qsizetype> m_titleOrder;
};

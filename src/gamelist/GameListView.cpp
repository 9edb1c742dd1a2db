#include "gamelist/GameListView.h"

#include "gamelist/GameFinder.h"
#include "gamelist/GameLibrary.h"

#include <algorithm>
#include <numeric>

void GameListView::setGames(QList<GameEntry> games) {
    m_games = std::move(games);
    m_haystacks.clear();
    m_titleOrder.clear();
}

void GameListView::deriveHaystacks() {
    if (!m_haystacks.empty() || m_games.isEmpty())
        return;
    m_haystacks.reserve(size_t(m_games.size()));
    for (const GameEntry& game : m_games)
        m_haystacks.push_back(GameFinder::haystack(game.description, game.rom));
}

void GameListView::deriveTitleOrder() {
    if (!m_titleOrder.empty() || m_games.isEmpty())
        return;
    deriveHaystacks();
    m_titleOrder.resize(size_t(m_games.size()));
    std::iota(m_titleOrder.begin(), m_titleOrder.end(), qsizetype(0));
    // The haystack begins with the folded title; equal titles keep the emulator's order.
    std::stable_sort(m_titleOrder.begin(), m_titleOrder.end(), [this](qsizetype a, qsizetype b) {
        return GameFinder::compareTitles(m_haystacks[size_t(a)], m_haystacks[size_t(b)]) < 0;
    });
}

std::vector<qsizetype> GameListView::visible(const ViewChoices& choices,
                                             const GameLibrary& library) {
    const QStringList words = GameFinder::words(choices.query);
    std::vector<qsizetype> order;
    if (choices.recentlyPlayed) {
        for (qsizetype i = 0; i < m_games.size(); ++i)
            if (library.record(m_games[i].rom))
                order.push_back(i);
        std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
            return library.record(m_games[a].rom)->lastStart >
                   library.record(m_games[b].rom)->lastStart;
        });
    } else if (choices.sortByTitle) {
        deriveTitleOrder();
        order = m_titleOrder;
    } else {
        order.resize(size_t(m_games.size()));
        std::iota(order.begin(), order.end(), qsizetype(0));
    }
    if (!choices.favouritesOnly && words.isEmpty())
        return order;
    if (!words.isEmpty())
        deriveHaystacks();
    std::erase_if(order, [&](qsizetype i) {
        return (choices.favouritesOnly && !library.isFavourite(m_games[i].rom)) ||
               (!words.isEmpty() && !GameFinder::matches(m_haystacks[size_t(i)], words));
    });
    return order;
}

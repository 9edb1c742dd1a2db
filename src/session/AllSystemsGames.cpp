#include "session/AllSystemsGames.h"

#include "gamelist/GameFinder.h"
#include "gamelist/GameLibrary.h"

#include <algorithm>
#include <numeric>

void AllSystemsGames::setSystems(std::vector<System> systems) {
    m_systems = std::move(systems);
    m_rows.clear();
    m_haystacks.clear();
    m_titleOrder.clear();
    for (size_t s = 0; s < m_systems.size(); ++s)
        for (qsizetype g = 0; g < m_systems[s].games.size(); ++g)
            m_rows.push_back({int(s), g});
}

void AllSystemsGames::deriveHaystacks() {
    if (!m_haystacks.empty() || m_rows.empty())
        return;
    m_haystacks.reserve(m_rows.size());
    std::vector<QString> names;
    for (const System& system : m_systems)
        names.push_back(u'\n' + GameFinder::fold(system.name)); // after the ROM name's line
    for (const Row& row : m_rows) {
        const GameEntry& entry = game(row);
        m_haystacks.push_back(GameFinder::haystack(entry.description, entry.rom) +
                              names[size_t(row.system)]);
    }
}

void AllSystemsGames::deriveTitleOrder() {
    if (!m_titleOrder.empty() || m_rows.empty())
        return;
    std::vector<QString> keys;
    keys.reserve(m_rows.size());
    for (const Row& row : m_rows)
        keys.push_back(GameFinder::naturalKey(GameFinder::fold(game(row).description)));
    m_titleOrder.resize(m_rows.size());
    std::iota(m_titleOrder.begin(), m_titleOrder.end(), qsizetype(0));
    std::stable_sort(m_titleOrder.begin(), m_titleOrder.end(),
                     [&](qsizetype a, qsizetype b) { return keys[size_t(a)] < keys[size_t(b)]; });
}

std::vector<AllSystemsGames::Row> AllSystemsGames::visible(const ViewChoices& choices) {
    const QStringList words = GameFinder::words(choices.query);
    const auto library = [this](const Row& row) -> const GameLibrary* {
        return m_systems[size_t(row.system)].library;
    };
    const auto played = [&](const Row& row) {
        const GameLibrary* l = library(row);
        return l ? l->record(game(row).rom) : std::nullopt;
    };
    std::vector<qsizetype> order;
    if (choices.sortByTitle && !choices.recentlyPlayed) {
        deriveTitleOrder();
        order = m_titleOrder;
    } else {
        order.resize(m_rows.size());
        std::iota(order.begin(), order.end(), qsizetype(0));
    }
    if (!words.isEmpty())
        deriveHaystacks();
    std::erase_if(order, [&](qsizetype i) {
        const Row& row = m_rows[size_t(i)];
        if (choices.favouritesOnly &&
            !(library(row) && library(row)->isFavourite(game(row).rom)))
            return true;
        if (choices.recentlyPlayed && !played(row))
            return true;
        return !words.isEmpty() && !GameFinder::matches(m_haystacks[size_t(i)], words);
    });
    if (choices.recentlyPlayed)
        std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
            return played(m_rows[size_t(a)])->lastStart > played(m_rows[size_t(b)])->lastStart;
        });
    // The best matches first, whatever their system: Pac-Man before the games whose title
    // only holds the words.
    if (!words.isEmpty())
        GameFinder::orderByRank(order, m_haystacks, words);
    std::vector<Row> rows;
    rows.reserve(order.size());
    for (qsizetype i : order)
        rows.push_back(m_rows[size_t(i)]);
    return rows;
}

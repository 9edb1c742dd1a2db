#include "gamelist/GameListView.h"

#include "gamelist/GameFinder.h"
#include "gamelist/GameLibrary.h"

#include <algorithm>
#include <climits>
#include <numeric>

using Field = GameDetails::Field;

void GameListView::setGames(QList<GameEntry> games, GameDetails details) {
    m_games = std::move(games);
    // Details that do not belong to these games would be shown beside the wrong ones.
    m_details = details.rowCount() == m_games.size() ? std::move(details) : GameDetails();
    m_haystacks.clear();
    m_titleOrder.clear();
    m_parents.clear();
    m_columnOrders.clear();
}

void GameListView::deriveHaystacks() {
    if (!m_haystacks.empty() || m_games.isEmpty())
        return;
    m_haystacks.reserve(size_t(m_games.size()));
    const bool withDetails =
        m_details.column(Field::Manufacturer) >= 0 || m_details.column(Field::Year) >= 0;
    for (qsizetype i = 0; i < m_games.size(); ++i) {
        const GameEntry& game = m_games[i];
        m_haystacks.push_back(withDetails ? GameFinder::haystack(
                                                game.description, game.rom,
                                                m_details.value(i, Field::Manufacturer),
                                                m_details.value(i, Field::Year))
                                          : GameFinder::haystack(game.description, game.rom));
    }
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

void GameListView::deriveParents() {
    if (!m_parents.empty() || m_games.isEmpty())
        return;
    QHash<QString, qsizetype> index;
    index.reserve(m_games.size());
    for (qsizetype i = m_games.size() - 1; i >= 0; --i)
        index.insert(m_games[i].rom, i); // the first game of a name wins
    const auto direct = [&](qsizetype game) {
        const QString parent = m_details.value(game, Field::Parent);
        return parent.isEmpty() ? qsizetype(-1) : index.value(parent, -1);
    };
    m_parents.resize(size_t(m_games.size()));
    for (qsizetype i = 0; i < m_games.size(); ++i) {
        // A clone of a clone goes under the first game up the line that is nobody's clone; a
        // loop of parents (a damaged list) makes no game a clone.
        qsizetype parent = direct(i);
        for (int step = 0; parent >= 0 && step < 16; ++step) {
            const qsizetype above = direct(parent);
            if (above < 0)
                break;
            parent = above;
        }
        m_parents[size_t(i)] = parent == i || (parent >= 0 && direct(parent) >= 0) ? -1 : parent;
    }
}

qsizetype GameListView::parentOf(qsizetype game) {
    deriveParents();
    return game >= 0 && size_t(game) < m_parents.size() ? m_parents[size_t(game)] : -1;
}

QString GameListView::sortText(qsizetype game, const QString& field) const {
    if (field == kTitleColumn)
        return GameFinder::fold(m_games[game].description);
    if (field == kRomColumn)
        return GameFinder::fold(m_games[game].rom);
    const int column = int(m_details.fields().indexOf(field));
    QString text = GameFinder::fold(m_details.value(game, column));
    // A year known in part ("198?", "19??") goes after the years it may be, not before them
    // as the number 198 would.
    if (column == m_details.column(Field::Year) && text.contains(u'?'))
        text = text.replace(u'?', u'9') + u'\x01';
    return text;
}

const std::vector<qsizetype>& GameListView::columnOrder(const QString& field, bool descending) {
    const QString key = (descending ? u'-' : u'+') + field;
    auto found = m_columnOrders.find(key);
    if (found != m_columnOrders.end())
        return *found;
    // Each distinct text is sorted once; the games then go by the place of their text. Empty
    // texts go last either way, where they stay out of the way of the values. Titles and ROM
    // names hardly repeat: finding the repeats would cost more than it saves.
    const bool fewRepeats = field == kTitleColumn || field == kRomColumn;
    QHash<QString, int> distinct;
    std::vector<QString> texts;
    texts.reserve(fewRepeats ? size_t(m_games.size()) : 0);
    std::vector<int> textOf(size_t(m_games.size()));
    for (qsizetype i = 0; i < m_games.size(); ++i) {
        const QString text = sortText(i, field);
        if (fewRepeats) {
            textOf[size_t(i)] = int(texts.size());
            texts.push_back(text);
            continue;
        }
        auto at = distinct.constFind(text);
        if (at == distinct.constEnd()) {
            at = distinct.insert(text, int(texts.size()));
            texts.push_back(text);
        }
        textOf[size_t(i)] = *at;
    }
    std::vector<QString> keys;
    keys.reserve(texts.size());
    for (const QString& text : texts)
        keys.push_back(GameFinder::naturalKey(text));
    std::vector<int> byText(texts.size());
    std::iota(byText.begin(), byText.end(), 0);
    std::sort(byText.begin(), byText.end(),
              [&keys](int a, int b) { return keys[size_t(a)] < keys[size_t(b)]; });
    std::vector<int> place(texts.size());
    for (size_t p = 0; p < byText.size(); ++p)
        place[size_t(byText[p])] = texts[size_t(byText[p])].isEmpty()
                                       ? INT_MAX
                                       : (descending ? -int(p) : int(p));
    std::vector<qsizetype> order(size_t(m_games.size()));
    std::iota(order.begin(), order.end(), qsizetype(0));
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        return place[size_t(textOf[size_t(a)])] < place[size_t(textOf[size_t(b)])];
    });
    return *m_columnOrders.insert(key, std::move(order));
}

std::vector<qsizetype> GameListView::visible(const ViewChoices& choices,
                                             const GameLibrary& library) {
    return visibleRows(choices, library).order;
}

VisibleRows GameListView::visibleRows(const ViewChoices& choices, const GameLibrary& library) {
    const QStringList words = GameFinder::words(choices.query);
    const bool byColumn = choices.detailsTable && !choices.sortField.isEmpty() &&
                          (choices.sortField == kTitleColumn || choices.sortField == kRomColumn ||
                           m_details.fields().contains(choices.sortField));
    VisibleRows rows;
    std::vector<qsizetype>& order = rows.order;
    if (byColumn) {
        order = columnOrder(choices.sortField, choices.sortDescending);
    } else if (choices.recentlyPlayed) {
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
    const bool playedOnly = byColumn && choices.recentlyPlayed; // not yet applied by the order
    const bool workingOnly = choices.workingOnly && m_details.column(Field::Status) >= 0;
    if (choices.favouritesOnly || playedOnly || workingOnly || !words.isEmpty()) {
        if (!words.isEmpty())
            deriveHaystacks();
        std::erase_if(order, [&](qsizetype i) {
            return (choices.favouritesOnly && !library.isFavourite(m_games[i].rom)) ||
                   (playedOnly && !library.record(m_games[i].rom)) ||
                   (workingOnly && m_details.isPreliminary(i)) ||
                   (!words.isEmpty() && !GameFinder::matches(m_haystacks[size_t(i)], words));
        });
    }
    if (!words.isEmpty() && choices.rankMatches)
        GameFinder::orderByRank(order, m_haystacks, words); // each rank in the order above
    if (choices.hideClones && m_details.column(Field::Parent) >= 0)
        groupClones(choices, rows);
    return rows;
}

void GameListView::groupClones(const ViewChoices& choices, VisibleRows& rows) {
    deriveParents();
    // A parent and its clones are one group, shown as one row: the parent's, or while another
    // choice leaves the parent out (the query, the missing-ROM filter), the first clone's.
    const auto groupOf = [this](qsizetype i) {
        const qsizetype parent = m_parents[size_t(i)];
        return parent >= 0 ? parent : i;
    };
    std::vector<qsizetype> head(size_t(m_games.size()), -1);
    for (qsizetype i : rows.order)
        if (groupOf(i) == i)
            head[size_t(i)] = i;
    for (qsizetype i : rows.order)
        if (head[size_t(groupOf(i))] < 0)
            head[size_t(groupOf(i))] = i;
    std::vector<char> hasClones(size_t(m_games.size()), 0);
    QHash<qsizetype, std::vector<qsizetype>> shownClones;
    for (qsizetype i : rows.order) {
        const qsizetype top = head[size_t(groupOf(i))];
        if (top == i)
            continue;
        hasClones[size_t(top)] = 1;
        if (choices.expanded.contains(m_games[top].rom))
            shownClones[top].push_back(i);
    }
    std::vector<qsizetype> order;
    order.reserve(rows.order.size());
    std::vector<RowMark>& marks = rows.marks;
    marks.reserve(rows.order.size());
    for (qsizetype i : rows.order) {
        if (head[size_t(groupOf(i))] != i)
            continue;
        order.push_back(i);
        if (!hasClones[size_t(i)]) {
            marks.push_back(RowMark::Plain);
            continue;
        }
        const auto clones = shownClones.constFind(i);
        if (clones == shownClones.constEnd()) {
            marks.push_back(RowMark::ClonesHidden);
            continue;
        }
        marks.push_back(RowMark::ClonesShown);
        for (qsizetype clone : *clones) {
            order.push_back(clone);
            marks.push_back(RowMark::Clone);
        }
    }
    rows.order = std::move(order);
}

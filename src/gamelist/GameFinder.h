#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// Finding games by typed words. Texts are compared folded: letter case ignored and accents
// removed (compatibility decomposition without its combining marks), so "cafe" finds
// "Café Rush" and "ﬁre" finds "Fire". A game matches when each word of the query occurs
// somewhere in its description or its ROM name, in any order.
namespace GameFinder {

// The folded form of a text. Plain ASCII, most titles, takes a fast path.
QString fold(const QString& text);

// The folded words of a query, split at blanks; none for a blank query.
QStringList words(const QString& query);

// The text a game is matched against: its description and ROM name, folded; with details
// also its manufacturer and year, so that "namco 1981" finds Namco's games of that year.
QString haystack(const QString& description, const QString& rom);
QString haystack(const QString& description, const QString& rom, const QString& manufacturer,
                 const QString& year);

// Whether every word occurs in the haystack (true for no words).
bool matches(const QString& haystack, const QStringList& words);

// How well a matching game matches, best first: 0 its ROM name is one of the words, or all of
// them written together ("pac man" and pacman); 1 its title begins with the query's words in
// order, punctuation aside ("pac man" begins "Pac-Man (Midway)"); 2 the same with the last
// word half typed ("Pac-Mania"); 3 each word begins a word of the title; 4 any other match.
int rank(const QString& haystack, const QStringList& words);
constexpr int kRanks = 5;
// Puts the games of `order` (indexes into `haystacks`) best match first, each rank in the order
// they had.
void orderByRank(std::vector<qsizetype>& order, const std::vector<QString>& haystacks,
                 const QStringList& words);

// Orders folded titles (or haystacks) by their text, with runs of digits compared as numbers ("Game
// 2" before "Game 10"). Negative, 0 or positive as for strcmp.
int compareTitles(const QString& a, const QString& b);

// A text whose plain order is compareTitles' order of the originals (each run of digits
// written as its length and its digits without leading zeros), for sorting many texts with
// the fast comparison of strings.
QString naturalKey(const QString& folded);

} // namespace GameFinder

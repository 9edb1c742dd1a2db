#include "gamelist/GameFinder.h"

#include <algorithm>
#include <numeric>

namespace GameFinder {

QString fold(const QString& text) {
    const bool ascii =
        std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
    if (ascii)
        return text.toLower();
    const QString decomposed = text.normalized(QString::NormalizationForm_KD);
    QString folded;
    folded.reserve(decomposed.size());
    for (const QChar c : decomposed)
        if (c.category() != QChar::Mark_NonSpacing)
            folded.append(c);
    return folded.toCaseFolded();
}

QStringList words(const QString& query) {
    return fold(query).split(u' ', Qt::SkipEmptyParts);
}

QString haystack(const QString& description, const QString& rom) {
    // A line break can be in neither text, so no word can span the two.
    return fold(description) + u'\n' + fold(rom);
}

QString haystack(const QString& description, const QString& rom, const QString& manufacturer,
                 const QString& year) {
    return haystack(description, rom) + u'\n' + fold(manufacturer) + u'\n' + fold(year);
}

bool matches(const QString& haystack, const QStringList& words) {
    return std::all_of(words.begin(), words.end(),
                       [&haystack](const QString& w) { return haystack.contains(w); });
}

namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool isWordCharacter(QChar c) {
    return c.isLetterOrNumber();
}

// The runs of letters and digits of a text, one at a time.
class WordRuns {
public:
    explicit WordRuns(QStringView text) : m_text(text) {}
    bool next(QStringView& run) {
        while (m_pos < m_text.size() && !isWordCharacter(m_text[m_pos]))
            ++m_pos;
        if (m_pos >= m_text.size())
            return false;
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && isWordCharacter(m_text[m_pos]))
            ++m_pos;
        run = m_text.sliced(start, m_pos - start);
        return true;
    }

private:
    QStringView m_text;
    qsizetype m_pos = 0;
};

// 0 when the title does not begin with the query's runs of letters and digits, 1 when it
// begins with them as whole words, 2 when the last one is only the start of a word.
int titleBeginsWith(QStringView title, const QStringList& words) {
    WordRuns titleRuns(title);
    QStringView titleRun;
    QStringView previousRun; // the query's run before this one, matched against titleRun
    bool any = false;
    for (const QString& word : words) {
        WordRuns queryRuns(word);
        for (QStringView run; queryRuns.next(run);) {
            // Only the query's last run may be half a word.
            if (any && titleRun != previousRun)
                return 0;
            if (!titleRuns.next(titleRun) || !titleRun.startsWith(run))
                return 0;
            previousRun = run;
            any = true;
        }
    }
    if (!any)
        return 0;
    return titleRun == previousRun ? 1 : 2;
}

bool beginsAWord(QStringView title, const QString& word) {
    for (qsizetype at = title.indexOf(word); at >= 0; at = title.indexOf(word, at + 1))
        if (at == 0 || !isWordCharacter(title[at - 1]))
            return true;
    return false;
}

} // namespace

int rank(const QString& haystack, const QStringList& words) {
    const QStringView all(haystack);
    const qsizetype titleEnd = all.indexOf(u'\n');
    const QStringView title = titleEnd < 0 ? all : all.first(titleEnd);
    QStringView rom;
    if (titleEnd >= 0) {
        const qsizetype romEnd = all.indexOf(u'\n', titleEnd + 1);
        rom = all.sliced(titleEnd + 1, (romEnd < 0 ? all.size() : romEnd) - titleEnd - 1);
    }
    if (std::any_of(words.begin(), words.end(), [rom](const QString& w) { return w == rom; }))
        return 0;
    if (words.size() > 1 && rom.size() == std::accumulate(words.begin(), words.end(), qsizetype(0),
                                                          [](qsizetype n, const QString& w) {
                                                              return n + w.size();
                                                          })) {
        qsizetype at = 0;
        bool joined = true;
        for (const QString& w : words) {
            joined = joined && rom.sliced(at, w.size()) == w;
            at += w.size();
        }
        if (joined)
            return 0;
    }
    if (const int begins = titleBeginsWith(title, words))
        return begins;
    if (std::all_of(words.begin(), words.end(),
                    [title](const QString& w) { return beginsAWord(title, w); }))
        return 3;
    return 4;
}

void orderByRank(std::vector<qsizetype>& order, const std::vector<QString>& haystacks,
                 const QStringList& words) {
    // A stable split into the ranks.
    std::vector<qsizetype> ranked[kRanks];
    for (qsizetype i : order)
        ranked[rank(haystacks[size_t(i)], words)].push_back(i);
    order.clear();
    for (const std::vector<qsizetype>& games : ranked)
        order.insert(order.end(), games.begin(), games.end());
}

int compareTitles(const QString& a, const QString& b) {
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            // Compare the two numbers: leading zeros aside, the longer run is the larger.
            qsizetype ei = i, ej = j;
            while (ei < a.size() && isDigit(a[ei]))
                ++ei;
            while (ej < b.size() && isDigit(b[ej]))
                ++ej;
            qsizetype si = i, sj = j;
            while (si < ei - 1 && a[si] == u'0')
                ++si;
            while (sj < ej - 1 && b[sj] == u'0')
                ++sj;
            if (ei - si != ej - sj)
                return ei - si < ej - sj ? -1 : 1;
            for (; si < ei; ++si, ++sj)
                if (a[si] != b[sj])
                    return a[si] < b[sj] ? -1 : 1;
            i = ei;
            j = ej;
            continue;
        }
        if (a[i] != b[j])
            return a[i] < b[j] ? -1 : 1;
        ++i;
        ++j;
    }
    return i < a.size() ? 1 : (j < b.size() ? -1 : 0);
}

QString naturalKey(const QString& folded) {
    QString key;
    key.reserve(folded.size() + 4);
    for (qsizetype i = 0; i < folded.size();) {
        if (!isDigit(folded[i])) {
            key += folded[i++];
            continue;
        }
        qsizetype end = i;
        while (end < folded.size() && isDigit(folded[end]))
            ++end;
        qsizetype start = i;
        while (start < end - 1 && folded[start] == u'0')
            ++start;
        // '0' sorts against other characters as any digit does; the length then decides
        // between two numbers before their digits.
        key += u'0';
        key += QChar(char16_t(qMin<qsizetype>(end - start, 0xFFFF)));
        key += QStringView(folded).sliced(start, end - start);
        i = end;
    }
    return key;
}

} // namespace GameFinder

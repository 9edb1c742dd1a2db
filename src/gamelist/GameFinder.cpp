#include "gamelist/GameFinder.h"

#include <algorithm>

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

bool matches(const QString& haystack, const QStringList& words) {
    return std::all_of(words.begin(), words.end(),
                       [&haystack](const QString& w) { return haystack.contains(w); });
}

namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

} // namespace

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

} // namespace GameFinder

#include "gamelist/TextLines.h"

#include <algorithm>
#include <cstring>

namespace {

qsizetype codeUnitsOf(QStringView text, qsizetype characters) {
    qsizetype pos = 0;
    for (qsizetype k = 0; k < characters && pos < text.size(); ++k) {
        const bool pair = text[pos].isHighSurrogate() && pos + 1 < text.size() &&
                          text[pos + 1].isLowSurrogate();
        pos += pair ? 2 : 1;
    }
    return pos;
}

// A code point starts at every byte that does not continue a sequence (10xxxxxx).
qsizetype bytesOf(QByteArrayView utf8, qsizetype characters) {
    qsizetype pos = 0;
    for (qsizetype k = 0; k < characters && pos < utf8.size(); ++k) {
        ++pos;
        while (pos < utf8.size() && (static_cast<unsigned char>(utf8[pos]) & 0xC0) == 0x80)
            ++pos;
    }
    return pos;
}

} // namespace

QStringView TrimBlanks(QStringView text) {
    qsizetype b = 0, e = text.size();
    while (b < e && text[b] == u' ')
        ++b;
    while (e > b && text[e - 1] == u' ')
        --e;
    return text.sliced(b, e - b);
}

QStringView LeftChars(QStringView text, qsizetype n) { return text.first(codeUnitsOf(text, n)); }

QStringView AfterChars(QStringView text, qsizetype n) { return text.sliced(codeUnitsOf(text, n)); }

QByteArrayView TrimBlanks(QByteArrayView utf8) {
    qsizetype b = 0, e = utf8.size();
    while (b < e && utf8[b] == ' ')
        ++b;
    while (e > b && utf8[e - 1] == ' ')
        --e;
    return utf8.sliced(b, e - b);
}

QByteArrayView LeftChars(QByteArrayView utf8, qsizetype n) {
    return utf8.first(bytesOf(utf8, n));
}

QByteArrayView AfterChars(QByteArrayView utf8, qsizetype n) {
    return utf8.sliced(bytesOf(utf8, n));
}

bool IsAscii(QByteArrayView bytes) {
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

qsizetype CountLineEnds(QByteArrayView bytes) {
    // memchr leaps from one line end to the next; each search starts where the last one of
    // its kind stopped, so the bytes are passed once for CR and once for LF.
    if (bytes.isEmpty())
        return 0; // an empty view may have no data at all, which memchr must not be given
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    const auto next = [end](char c, const char* from) {
        const void* found = std::memchr(from, c, size_t(end - from));
        return found ? static_cast<const char*>(found) : end;
    };
    const char* lf = next('\n', p);
    const char* cr = next('\r', p);
    qsizetype ends = 0;
    while (p < end) {
        if (lf < p)
            lf = next('\n', p);
        if (cr < p)
            cr = next('\r', p);
        const char* lineEnd = std::min(lf, cr);
        if (lineEnd == end)
            break;
        ++ends;
        // A CR directly followed by LF ends one line.
        p = lineEnd == cr && lineEnd + 1 < end && lineEnd[1] == '\n' ? lineEnd + 2 : lineEnd + 1;
    }
    return ends;
}

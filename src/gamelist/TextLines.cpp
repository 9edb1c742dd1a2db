#include "TextLines.h"


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

} // namespace

bool TextLineReader::next(QStringView& line) {
    const qsizetype n = m_text.size();
    if (m_pos >= n)
        return false;
    qsizetype end = m_pos;
    while (end < n && m_text[end] != u'\n' && m_text[end] != u'\r')
        ++end;
    line = m_text.sliced(m_pos, end - m_pos);
    m_pos = end + 1;
    if (end < n && m_text[end] == u'\r' && m_pos < n && m_text[m_pos] == u'\n')
        ++m_pos;
    return true;
}

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

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include "base/TextCodec.h"

namespace TextLinesDetail {
inline char16_t unit(QChar c) { return c.unicode(); }
inline char16_t unit(char c) { return static_cast<unsigned char>(c); }
} // namespace TextLinesDetail

// The lines of a text, one at a time, as views into the text (lists of 50,000 games are cut
// without a string per line). Lines end at CR LF, LF or a lone CR. A line end at the very end
// of the text does not start another line, so "a\r\nb\r\n" and "a\r\nb" both hold two lines
// and the empty text holds none. The same rules hold for decoded text and for raw bytes.
template <class View> class BasicLineReader {
public:
    explicit BasicLineReader(View text) : m_text(text) {}
    // False at the end of the text; otherwise sets line to the next line.
    bool next(View& line) {
        using TextLinesDetail::unit;
        const qsizetype n = m_text.size();
        if (m_pos >= n)
            return false;
        qsizetype end = m_pos;
        while (end < n && unit(m_text[end]) != u'\n' && unit(m_text[end]) != u'\r')
            ++end;
        line = m_text.sliced(m_pos, end - m_pos);
        m_pos = end + 1;
        if (end < n && unit(m_text[end]) == u'\r' && m_pos < n && unit(m_text[m_pos]) == u'\n')
            ++m_pos;
        return true;
    }

private:
    View m_text;
    qsizetype m_pos = 0;
};

using TextLineReader = BasicLineReader<QStringView>;
using ByteLineReader = BasicLineReader<QByteArrayView>;

// The text without the blanks (spaces only; tabs stay) at either end.
QStringView TrimBlanks(QStringView text);

// The first n characters of a text (the whole text when it is shorter), and the rest.
// Characters are code points: a pair of surrogates is never split.
QStringView LeftChars(QStringView text, qsizetype n);
QStringView AfterChars(QStringView text, qsizetype n);

// The same on valid UTF-8 bytes, characters counted as code points, so that an output can be
// cut without decoding it. The results are the bytes of what the text functions give.
QByteArrayView TrimBlanks(QByteArrayView utf8);
QByteArrayView LeftChars(QByteArrayView utf8, qsizetype n);
QByteArrayView AfterChars(QByteArrayView utf8, qsizetype n);

// True when every byte is below 0x80.
bool IsAscii(QByteArrayView bytes);

// How many line ends (CR LF, LF or a lone CR) the bytes hold.
qsizetype CountLineEnds(QByteArrayView bytes);

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include "TextCodec.h"


// The lines of a text, one at a time, as views into the text (lists of 50,000 games are cut
// without a string per line). Lines end at CR LF, LF or a lone CR. A line end at the very end
// of the text does not start another line, so "a\r\nb\r\n" and "a\r\nb" both hold two lines
// and the empty text holds none.
class TextLineReader {
public:
    explicit TextLineReader(QStringView text) : m_text(text) {}
    // False at the end of the text; otherwise sets line to the next line.
    bool next(QStringView& line);

private:
    QStringView m_text;
    qsizetype m_pos = 0;
};

// The text without the blanks (spaces only; tabs stay) at either end.
QStringView TrimBlanks(QStringView text);

// The first n characters of a text (the whole text when it is shorter), and the rest.
// Characters are code points: a pair of surrogates is never split.
QStringView LeftChars(QStringView text, qsizetype n);
QStringView AfterChars(QStringView text, qsizetype n);

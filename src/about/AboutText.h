#pragma once

#include <QString>

#include <optional>

// The about text file: how it is read, how many lines it counts and how it is shown.
namespace AboutText {

// The whole text of the file, or none when it does not exist or is not a regular file. A file
// that is valid UTF-8 (a byte-order mark is dropped) is read as UTF-8, any other as Latin-1,
// one character per byte, so texts written in an 8-bit code page still show every character.
std::optional<QString> Read(const QString& file);

// Lines end at CR LF, LF or a lone CR; a break at the very end starts one more, empty, line.
// The empty text has no lines.
qsizetype LineCount(const QString& text);

// The label is one line taller than the text, so the last line is never cut.
double LabelHeight(qsizetype lineCount, double lineHeight);

// The text with every line break turned into LF, the one break a label shows as such.
QString ForDisplay(const QString& text);

} // namespace AboutText

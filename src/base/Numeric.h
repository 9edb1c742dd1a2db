#pragma once

#include <QString>

#include <optional>

// The numeric value of a text as the profile and definition files use it: read from the start,
// blanks, tabs and line feeds skipped wherever they stand, "&H"/"&O" prefixes for hex and octal,
// reading stops at the first character that cannot continue the number; no number gives 0.
double NumericValue(const QString& text);

// Nearest whole number, halves to the even neighbour.
double RoundHalfEven(double value);

// RoundHalfEven as an int, or nullopt when the result does not fit.
std::optional<int> WholeNumber(double value);

// A settings key's text as a signed 16-bit number: decimal digits with optional sign and
// surrounding blanks, a fraction rounded halves to even. nullopt when empty, not a number
// or out of range.
std::optional<qint16> ToInt16(const QString& text);

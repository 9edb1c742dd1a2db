#pragma once

#include <QString>

class PanelValues;

// How an option's value is stored in a profile, by the option's kind: "0" the text as typed,
// "1" the 1-based list position ("0" for none), "2" the check state 0, 1 or 2. Options of any
// other kind have no stored value.
namespace ProfileValue {

// Whether options of this kind are stored in profiles at all.
bool isStored(const QString& kind);

// The value text for row r as the panel shows it now.
QString fromPanel(const QString& kind, const PanelValues& panel, int row);

// Shows a loaded value in row r: a text as it stands; a list position and a check state as
// the whole number nearest to the text's numeric value (halves to even). A position outside
// the list selects nothing; a state other than 0, 1 or 2 unticks the box.
void show(const QString& kind, PanelValues& panel, int row, const QString& value);

// Whether row r shows the default profile's value: texts compared exactly, positions and
// states against the numeric value of the default's text without rounding (an empty or
// non-numeric text counts as 0).
bool equalsDefault(const QString& kind, const PanelValues& panel, int row,
                   const QString& defaultValue);

} // namespace ProfileValue

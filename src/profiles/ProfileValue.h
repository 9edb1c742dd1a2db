#pragma once

#include "options/OptionDefinition.h"

#include <QString>

#include <optional>

class PanelValues;

// How an option's value is stored in a profile, by the option's kind: a text as typed, a list's
// 1-based position ("0" for none), a check box's state 0, 1 or 2. A row whose kind text names
// no kind (nullopt) has no stored value.
namespace ProfileValue {

// Whether options of this kind are stored in profiles at all.
bool isStored(std::optional<OptionKind> kind);

// The value text for row r as the panel shows it now.
QString fromPanel(std::optional<OptionKind> kind, const PanelValues& panel, int row);

// Shows a loaded value in row r: a text as it stands; a list position and a check state as
// the whole number nearest to the text's numeric value (halves to even). A position outside
// the list selects nothing; a state other than 0, 1 or 2 unticks the box.
void show(std::optional<OptionKind> kind, PanelValues& panel, int row, const QString& value);

// Whether row r shows the default profile's value: texts compared exactly, positions and
// states against the numeric value of the default's text without rounding (an empty or
// non-numeric text counts as 0).
bool equalsDefault(std::optional<OptionKind> kind, const PanelValues& panel, int row,
                   const QString& defaultValue);

} // namespace ProfileValue

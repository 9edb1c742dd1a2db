#pragma once

#include "profiles/ProfilePaths.h"

#include <QString>

#include <optional>

class OptionTable;
class PanelValues;

namespace ProfileLoad {

// What a default profile that does not exist holds: nothing (every value reads as empty), or
// what the panel shows now, which is what the window writes into a missing default profile
// before it loads one.
enum class MissingDefaults { Empty, FromPanel };

// Shows in the panel, for every option, the game's value when its profile holds a non-empty
// one, else the default profile's; fills DefaultProfileValue and GameValue of every row. Reads
// each file once and writes nothing. With no game (nullopt) or an unsafe ROM name only the
// default profile is read.
void showValues(const QString& appDir, const std::optional<QString>& rom, OptionTable& table,
                PanelValues& panel, MissingDefaults missing = MissingDefaults::Empty,
                FileNameRules rules = HostFileNameRules());

} // namespace ProfileLoad

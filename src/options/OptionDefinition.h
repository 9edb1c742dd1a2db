#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Stored in the definitions and the option table as the texts "0", "1" and "2".
enum class OptionKind { Text, List, Check };

// One accepted option definition, with the initial control values its fields give.
struct OptionDefinition {
    QString Switch;      // field 0, copied unchanged onto the command line
    QString Caption;     // field 1; also the option's key in the profiles
    OptionKind kind = OptionKind::Text;
    QString kindText;    // field 2 as written: "0", "1" or "2"
    QString Default;     // field 3; for a list, its last field (the 1-based default choice)
    QStringList choices; // list options: fields 3 to the one before the last, in order
    int listIndex = -1;  // list options: the choice selected at first, -1 for none
    int checkState = 0;  // check options: 0 unticked, 1 ticked, 2 greyed
};

namespace Options {

// The kind a stored kind text names: exactly "0", "1" or "2"; nullopt for any other text.
std::optional<OptionKind> KindFromText(const QString& text);

// Splits a definition on "|" (no quoting, no trimming of fields) and accepts it when field 2 is
// exactly "0", "1" or "2" and the definition has the fields its kind needs: four for text and
// check options, five for lists, or four for a list whose last field is "0" (a list with no
// choices). A default choice outside 0..number of choices selects nothing, and a check
// default outside 0..2 leaves the box unticked. nullopt for every definition that is skipped.
std::optional<OptionDefinition> ParseOptionDefinition(const QString& text);

} // namespace Options

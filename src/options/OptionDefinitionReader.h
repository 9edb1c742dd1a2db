#pragma once

#include "options/OptionDefinition.h"

#include <QString>

class OptionTable;

// Receives the definition file in reading order, so that the panel is built while the file is
// read: categories in turn, and within a category each accepted option before its table row
// is appended.
class OptionDefinitionSink {
public:
    virtual ~OptionDefinitionSink() = default;
    virtual void beginCategory(int category, const QString& name) = 0;
    // Creates the controls of the option that will take row `row`.
    virtual void addOption(int row, const OptionDefinition& option) = 0;
    virtual void endCategory(int category) = 0;
};

namespace Options {

// One pass over the option definition file, read once: "NumCats" of "General", then for
// category 1 and categories 2 to NumCats their "Name", "numOpts" and "opt1" onwards. Empties
// the table first and appends one row per accepted definition.
//
// Counts are not trusted: a missing or non-numeric NumCats means category 1 alone, a missing
// or non-numeric numOpts means none, a missing "opt" key is skipped, and a full table
// (OptionTable::MaxRows) accepts nothing more.
void ReadOptionDefinitions(const QString& file, OptionTable& table, OptionDefinitionSink& sink);

} // namespace Options

#pragma once

#include "base/Ini.h"

#include <QString>

#include <vector>

// Writing and deleting profile files. Failures are returned, never shown: the caller knows
// which user action it is answering and warns once for it.
namespace ProfileFiles {

// Writes the entries into the profile in one read-modify-write whose bytes equal those of the
// single writes in sequence. The profiles folder is created first when it is missing. An entry
// whose names could not be read back as written is left out, as a single write would refuse
// it, and makes the result false. Nothing to write gives true and touches nothing.
bool write(const QString& file, const std::vector<IniEntry>& entries);

// Deletes the profile when it is an ordinary file; true when it was deleted or there was no
// ordinary file of that name (a folder of that name is left alone).
bool remove(const QString& file);

} // namespace ProfileFiles

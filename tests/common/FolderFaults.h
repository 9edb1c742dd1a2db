#pragma once

#include <QString>

// A folder that cannot be read, the way an unreadable network share or a folder of another
// user fails, where running as root reads every folder. A test program that links this
// interposes the C library's opendir(); unarmed, it goes straight through.
namespace FolderFaults {

// Every opening of this folder fails with EACCES until disarm().
void failOpening(const QString& folder);
void disarm();

} // namespace FolderFaults

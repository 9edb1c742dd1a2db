#pragma once

#include <QString>

// File operations made to fail once, the way a full disk, a lost network share or a locked
// file fails them, where running as root would let every permission through. A test program
// that links this interposes the C library's rename(), linkat() and unlink(), which Qt's
// atomic save and file removal call; unarmed, all three go straight through.
namespace FileFaults {

// The next atomic write of this file fails at its last step, when the new contents are put in
// its place (a rename onto it, or the link of an unnamed temporary file): EIO. The file keeps
// its old contents, or stays missing.
void failNextCommitOnto(const QString& file);

// The next deletion of this file fails with EACCES, as for a locked or read-only file.
void failNextRemoveOf(const QString& file);

} // namespace FileFaults

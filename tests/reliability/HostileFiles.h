#pragma once

#include <QByteArray>
#include <QString>

// Inputs no well-behaved program writes, for the tests that show each parser survives them.
namespace HostileFiles {

// The same bytes on every run for a seed, every byte value included.
QByteArray Garbage(qsizetype size, quint32 seed);

// `lines` lines made of `line` each, ended by `eol`.
QByteArray Repeated(const QByteArray& line, qsizetype lines, const QByteArray& eol = "\n");
// The format once for each of 1 to count, "%1" standing for the number.
QByteArray Numbered(const char* format, int count);

// A path whose parent folder is a regular file: nothing can be created, read or replaced
// there, whatever the permissions (root included). Creates the regular file.
QString BelowRegularFile(const QString& folder, const QString& name);

// Makes a FIFO at path; false when the system refuses.
bool MakeFifo(const QString& path);

// Whether a path is (still) a FIFO, a directory.
bool IsFifo(const QString& path);
bool IsDirectory(const QString& path);

// How many files a process has open in a folder, apart from one file there (Linux: from
// /proc). A replacement being written is such a file, even before it has a name.
int OpenFilesIn(qint64 pid, const QString& folder, const QString& except);

// The names of the entries of a folder, recursively, with their sizes and modification
// times, so that a test can show nothing in it changed.
QByteArray TreeSnapshot(const QString& folder);

} // namespace HostileFiles

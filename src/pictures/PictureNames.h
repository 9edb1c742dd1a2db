#pragma once

#include <QString>
#include <QStringList>

// How the games' pictures are named in a folder or an archive: `<rom>.<suffix>`, or any file
// with an image suffix in a folder `<rom>` (MAME keeps its own snapshots as `<rom>/0000.png`).
namespace PictureNames {

// A ROM name that can name a picture: not empty, not "." or "..", no separator and no NUL,
// so that a name from the emulator's output never reaches outside the picture folder.
bool isUsableRom(const QString& rom);

// The suffix of a file name in lower case ("png" for "0000.PNG"); empty without one.
QString suffix(const QString& fileName);

// The file name without its last suffix ("1942" for "1942.png").
QString stem(const QString& fileName);

// The image suffixes in the order they are tried: PNG and JPEG first (what picture
// collections hold), then the others in the order given, each once, in lower case.
QStringList orderedSuffixes(const QStringList& readable);

} // namespace PictureNames

// Any text as the PictureSources setting: every path it gives is one of its parts, trimmed,
// never empty and absolute (a relative one taken from the application folder); no more paths
// than parts.
#include "pictures/PictureSources.h"

#include "FuzzScratch.h"

#include <QDir>

#include <cstdint>
#include <cstdlib>

using FuzzScratch::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString setting = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString appDir = QStringLiteral("/data/app");
    const QStringList paths = PictureSources::paths(setting, appDir);
    for (const QString& path : paths) {
        require(!path.isEmpty() && !path.contains(u';') && !QDir::isRelativePath(path));
        require(!path.back().isSpace()); // each part trimmed
    }
    require(paths.size() <= setting.count(u';') + 1);
    return 0;
}

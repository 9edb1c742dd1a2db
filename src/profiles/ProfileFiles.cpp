#include "profiles/ProfileFiles.h"

#include "base/IniDocument.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ProfileFiles {

bool write(const QString& file, const std::vector<IniEntry>& entries) {
    if (entries.empty())
        return true;
    std::vector<IniEntry> storable;
    storable.reserve(entries.size());
    for (const IniEntry& e : entries)
        if (IniDocument::isWritable(e.section, e.key, e.value))
            storable.push_back(e);
    const bool allStorable = storable.size() == entries.size();
    if (storable.empty())
        return false;
    // The folder is expected beside the definitions, but a user who deleted it still wants
    // the save to land.
    const QString folder = QFileInfo(file).absolutePath();
    if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder))
        return false;
    return WriteIniEntries(file, storable) && allStorable;
}

bool remove(const QString& file) {
    if (!QFileInfo(file).isFile())
        return true;
    return QFile::remove(file);
}

} // namespace ProfileFiles

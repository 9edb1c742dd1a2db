#include "pictures/PictureSources.h"

#include "pictures/PictureArchive.h"
#include "pictures/PictureFolder.h"

#include <QDir>
#include <QFileInfo>

QStringList PictureSources::paths(const QString& setting, const QString& appDir) {
    QStringList paths;
    for (const QString& part : setting.split(u';')) {
        const QString path = part.trimmed();
        if (path.isEmpty())
            continue;
        paths << (QDir::isRelativePath(path) ? appDir + u'/' + path : path);
    }
    return paths;
}

PictureSources::PictureSources(const QStringList& paths, const QStringList& suffixes)
    : m_paths(paths), m_suffixes(suffixes) {}

PictureSources::~PictureSources() = default;

QStringList PictureSources::open() {
    QStringList warnings;
    if (m_opened)
        return warnings;
    m_opened = true;
    for (const QString& path : m_paths) {
        const QFileInfo info(path);
        const QString shown = QDir::toNativeSeparators(path);
        Source source;
        source.path = path;
        if (info.isDir() || (!info.exists() && !path.endsWith(u".zip", Qt::CaseInsensitive))) {
            if (!info.exists())
                warnings << QStringLiteral("picture folder %1 does not exist (yet)").arg(shown);
            source.folder = std::make_unique<PictureFolder>(path, m_suffixes);
        } else if (!info.exists()) {
            warnings << QStringLiteral("picture archive %1 does not exist").arg(shown);
            continue;
        } else {
            QString problem;
            source.archive = PictureArchive::open(path, m_suffixes, &problem);
            if (!source.archive) {
                warnings << QStringLiteral("picture archive %1 %2").arg(shown, problem);
                continue;
            }
        }
        m_sources.push_back(std::move(source));
    }
    return warnings;
}

PictureLocation PictureSources::locate(int source, const QString& rom) const {
    PictureLocation location;
    if (source < 0 || source >= count())
        return location;
    const Source& s = m_sources[size_t(source)];
    if (s.folder) {
        location.file = s.folder->find(rom);
        if (location.file.isEmpty())
            return location;
        location.origin = QDir::toNativeSeparators(location.file);
    } else {
        const std::optional<quint64> entry = s.archive->find(rom);
        if (!entry)
            return location;
        location.entry = *entry;
        location.origin = s.archive->origin(*entry);
    }
    location.source = source;
    return location;
}

PictureFile PictureSources::read(const PictureLocation& location, const PictureLimits& limits) {
    if (!location.found() || location.source >= count())
        return {};
    Source& s = m_sources[size_t(location.source)];
    return s.folder ? PictureFolder::read(location.file, limits)
                    : s.archive->read(location.entry, limits);
}

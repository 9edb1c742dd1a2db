#include "pictures/PictureFolder.h"

#include "pictures/PictureNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

PictureFolder::PictureFolder(const QString& path, const QStringList& suffixes)
    : m_path(path), m_suffixes(suffixes) {
    for (const QString& s : suffixes)
        m_nameFilters << QStringLiteral("*.") + s;
}

QString PictureFolder::find(const QString& rom) const {
    if (!PictureNames::isUsableRom(rom))
        return {};
    const QString base = m_path + u'/' + rom;
    for (const QString& s : m_suffixes) {
        for (const QString& spelled : {s, s.toUpper()}) {
            const QString file = base + u'.' + spelled;
            if (QFileInfo(file).isFile())
                return file;
        }
    }
    const QDir own(base);
    if (!own.exists())
        return {};
    // The filters ignore letter case; the listing is sorted by name, as MAME numbers its
    // snapshots 0000.png, 0001.png, ...
    const QStringList files =
        own.entryList(m_nameFilters, QDir::Files | QDir::Readable, QDir::Name);
    return files.isEmpty() ? QString() : base + u'/' + files.first();
}

PictureFile PictureFolder::read(const QString& file, const PictureLimits& limits) {
    PictureFile picture;
    picture.origin = QDir::toNativeSeparators(file);
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) {
        picture.problem = QStringLiteral("cannot be read (%1)").arg(f.errorString());
        return picture;
    }
    const qint64 size = f.size();
    if (size > limits.maxFileBytes) {
        picture.problem = QStringLiteral("is %1 bytes, more than the %2 a picture may have")
                              .arg(size)
                              .arg(limits.maxFileBytes);
        return picture;
    }
    // A file that grows while it is read still stops at the limit.
    picture.bytes = f.read(limits.maxFileBytes + 1);
    if (picture.bytes.size() > limits.maxFileBytes) {
        picture.bytes.clear();
        picture.problem = QStringLiteral("is more than the %1 bytes a picture may have")
                              .arg(limits.maxFileBytes);
    }
    return picture;
}

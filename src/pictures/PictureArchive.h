#pragma once

#include "pictures/PictureFile.h"
#include "pictures/PictureLimits.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

struct zip;

// A zip archive of pictures named by ROM name (snap.zip holding 1942.png, or snap/1942.png),
// read with libzip: it finds an entry through the archive's central directory instead of
// reading the archive through, which a collection of 50,000 pictures needs. The archive is
// opened once and its image entries are indexed by ROM name then.
//
// Not thread-safe (a libzip archive is not): one thread at a time may use it.
class PictureArchive {
public:
    ~PictureArchive();
    PictureArchive(const PictureArchive&) = delete;
    PictureArchive& operator=(const PictureArchive&) = delete;

    // `suffixes` in lower case, in the order of preference. Null, with `problem` set, when the
    // file cannot be opened as a zip archive.
    static std::unique_ptr<PictureArchive> open(const QString& path, const QStringList& suffixes,
                                                QString* problem);

    // The entry of the game's picture. Preferred, in this order: <rom>.<suffix>,
    // <folder>/<rom>.<suffix>, <rom>/<image>, <folder>/<rom>/<image>; among several of one
    // kind the earlier suffix, then the first name in byte order.
    std::optional<quint64> find(const QString& rom) const;
    QString entryName(quint64 entry) const;
    // How the entry is named in warnings: the archive, then the entry in brackets.
    QString origin(quint64 entry) const;

    // The entry's uncompressed bytes. An entry that declares more than the limit is refused
    // unread; one that holds more than it declares is refused after at most its declared size
    // and one byte; an encrypted entry and a compression method libzip cannot read are
    // refused.
    PictureFile read(quint64 entry, const PictureLimits& limits);

    qsizetype indexedNames() const { return m_index.size(); }

private:
    struct Slot {
        quint64 entry = 0;
        int rank = 0; // layout * 256 + suffix position, smaller is preferred
    };

    PictureArchive(zip* archive, const QString& path);
    void index(const QStringList& suffixes);
    void offer(const QString& key, quint64 entry, int rank);

    zip* m_zip;
    QString m_path;
    QHash<QString, Slot> m_index;
};

#pragma once

#include "pictures/PictureFile.h"
#include "pictures/PictureLimits.h"

#include <QString>
#include <QStringList>

// A folder of pictures named by ROM name. It is looked up afresh for every game, so pictures
// added while the program runs (the emulator's own snapshots) are found.
class PictureFolder {
public:
    // `suffixes` in lower case, in the order they are tried.
    PictureFolder(const QString& path, const QStringList& suffixes);

    const QString& path() const { return m_path; }

    // <folder>/<rom>.<suffix> for the first suffix that names a file (as written, then in
    // upper case); else the first image file of <folder>/<rom>/ in name order. Empty when
    // there is none.
    QString find(const QString& rom) const;

    // The file's bytes; a file larger than the limit is refused unread.
    static PictureFile read(const QString& file, const PictureLimits& limits);

private:
    QString m_path;
    QStringList m_suffixes;
    QStringList m_nameFilters;
};

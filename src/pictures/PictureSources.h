#pragma once

#include "pictures/PictureFile.h"
#include "pictures/PictureLimits.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class PictureArchive;
class PictureFolder;

// Where a game's picture is: which source, and the file or the archive entry there.
struct PictureLocation {
    int source = -1; // -1: nowhere
    QString file;    // in a folder
    quint64 entry = 0; // in an archive
    QString origin;  // as warnings name it

    bool found() const { return source >= 0; }
};

// The picture sources of the PictureSources setting, tried in order: folders and zip
// archives. Not thread-safe: one thread at a time may use it (see PictureArchive).
class PictureSources {
public:
    // The setting's paths: separated by ";", blanks around each removed, empty ones skipped;
    // a relative path is taken from the application folder, as RomPath is.
    static QStringList paths(const QString& setting, const QString& appDir);

    // `suffixes`: the file suffixes of readable images, in lower case.
    PictureSources(const QStringList& paths, const QStringList& suffixes);
    ~PictureSources();
    PictureSources(const PictureSources&) = delete;
    PictureSources& operator=(const PictureSources&) = delete;

    // Opens the archives and looks at the folders, once; returns one warning for each source
    // that cannot be used. A missing folder stays a source (the emulator may make it later);
    // a missing archive, or a file that is no zip archive, is left out.
    QStringList open();

    int count() const { return int(m_sources.size()); }
    // The game's picture in one source; not found when the source has none.
    PictureLocation locate(int source, const QString& rom) const;
    // The bytes of a picture found, within the limits.
    PictureFile read(const PictureLocation& location, const PictureLimits& limits);

private:
    struct Source {
        QString path;
        std::unique_ptr<PictureFolder> folder;
        std::unique_ptr<PictureArchive> archive;
    };

    QStringList m_paths;
    QStringList m_suffixes;
    std::vector<Source> m_sources;
    bool m_opened = false;
};

#pragma once

#include "gamelist/FileNameSet.h"

#include <QSet>
#include <QString>
#include <QStringList>

// Answers whether the ROM file of a game exists: a regular file (or a link to one) named
// exactly RomPath & ROM name & RomExt, the three joined as they stand. A relative name is
// taken from the current directory.
//
// For many games the folder that all those names share is read once instead of looking up
// every name; the answers are the same. Names that leave that folder, a folder that cannot be
// listed, and names the listing cannot represent exactly are looked up one by one.
class RomFileIndex {
public:
    enum class Strategy { Automatic, FolderListing, SingleLookups };

    RomFileIndex(const QString& RomPath, const QString& RomExt, qsizetype expectedLookups,
                 Strategy strategy = Strategy::Automatic);

    bool exists(const QString& romName) const;
    bool usesListing() const { return m_listed; }

private:
    void listFolder(const QString& folder);
    void indexNames(const QString& folder, QStringList names);
    QString folded(const QString& text) const;

    QString m_romPath;
    QString m_romExt;
    QString m_prefix; // RomPath after its last separator: the start of every file name
    bool m_listed = false;
    bool m_foldCase = false;
    bool m_byBytes = false;
    // The ROM names of the files listed that have the prefix and the extension: as the file
    // system's bytes where it tells letter case apart, else as text compared without case.
    FileNameSet m_fileNames;
    QSet<QString> m_textNames;
};

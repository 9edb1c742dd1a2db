#include "RomFileIndex.h"

#include "TextLines.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <optional>

#ifdef Q_OS_UNIX
#include <dirent.h>
#endif

namespace {

// Below this many games, single lookups cost less than reading a big ROM folder.
constexpr qsizetype kListingThreshold = 64;

bool isSeparator(QChar c) {
#ifdef Q_OS_WIN
    return c == u'/' || c == u'\\';
#else
    return c == u'/';
#endif
}

qsizetype lastSeparator(const QString& path) {
    for (qsizetype i = path.size() - 1; i >= 0; --i)
        if (isSeparator(path[i]))
            return i;
    return -1;
}

bool hasSeparator(const QString& text) {
    return lastSeparator(text) >= 0;
}

// Names that a listing cannot stand for byte for byte: a NUL ends a path early, and a
// replacement character may stand for bytes that were not valid in the file system's encoding.
bool listingCannotAnswer(const QString& name) {
    return name.contains(QChar::Null) || name.contains(QChar::ReplacementCharacter);
}

QString swapCase(const QString& name) {
    QString swapped = name;
    for (QChar& c : swapped)
        c = c.isUpper() ? c.toLower() : c.toUpper();
    return swapped;
}

// The names of the regular files (and links to them) in a folder. On Unix the entry types
// that readdir reports spare a stat per file, a third of the time of a generic listing; only
// links and entries of unknown type are looked at one by one. Nothing when the folder cannot
// be read.
std::optional<QStringList> regularFileNames(const QString& folder) {
    QStringList names;
#ifdef Q_OS_UNIX
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return std::nullopt;
    while (const dirent* entry = ::readdir(dir)) {
        // Most ROM names are ASCII, which reads the same in every locale; its widening is the
        // fast one.
        const QByteArrayView raw(entry->d_name);
        const QString name =
            IsAscii(raw) ? QString::fromLatin1(raw) : QFile::decodeName(entry->d_name);
        if (entry->d_type == DT_REG ||
            ((entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) &&
             QFileInfo(QDir(folder).filePath(name)).isFile()))
            names.append(name);
    }
    ::closedir(dir);
#else
    if (!QFileInfo(folder).isReadable())
        return std::nullopt;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        names.append(it.fileName());
    }
#endif
    return names;
}

} // namespace

RomFileIndex::RomFileIndex(const QString& RomPath, const QString& RomExt,
                           qsizetype expectedLookups, Strategy strategy)
    : m_romPath(RomPath), m_romExt(RomExt) {
    const bool wanted = strategy == Strategy::FolderListing ||
                        (strategy == Strategy::Automatic && expectedLookups >= kListingThreshold);
    if (!wanted || hasSeparator(RomExt) || listingCannotAnswer(RomPath + RomExt))
        return;
#ifdef Q_OS_WIN
    if (RomPath.contains(u':') && lastSeparator(RomPath) < 0)
        return; // "D:name" is relative to drive D's own current folder
#endif
    const qsizetype sep = lastSeparator(RomPath);
    m_prefix = RomPath.mid(sep + 1);
    const QString folder = sep < 0 ? QStringLiteral(".") : RomPath.left(sep + 1);
    // A folder that can be searched but not read still answers single lookups.
    if (QFileInfo(folder).isDir())
        listFolder(folder);
}

void RomFileIndex::listFolder(const QString& folder) {
    std::optional<QStringList> listed = regularFileNames(folder);
    if (!listed)
        return;
    QStringList& names = *listed;
    names.removeIf(listingCannotAnswer);
    // File systems that ignore letter case find "PACMAN.ZIP" for "pacman.zip"; the listing
    // must then compare the same way. One probe with a name's case swapped tells.
    for (const QString& name : names) {
        const QString swapped = swapCase(name);
        if (swapped == name)
            continue;
        m_foldCase = QFileInfo::exists(QDir(folder).filePath(swapped)) && !names.contains(swapped);
        break;
    }
    // A file is RomPath's last part & ROM name & RomExt exactly when its name starts with that
    // part, ends with the extension and is long enough for both; the middle is the ROM name.
    // Keeping only the middles lets a lookup use the ROM name as it stands.
    const QString prefix = folded(m_prefix);
    const QString ext = folded(m_romExt);
    m_romNames.reserve(names.size());
    for (QString& name : names) {
        // Each name is cut down to its middle in its own buffer: 50,000 files cost no second
        // string each.
        QString file = m_foldCase ? name.toCaseFolded() : std::move(name);
        if (file.size() >= prefix.size() + ext.size() && file.startsWith(prefix) &&
            file.endsWith(ext)) {
            file.chop(ext.size());
            file.remove(0, prefix.size());
            m_romNames.insert(std::move(file));
        }
    }
    m_listed = true;
}

QString RomFileIndex::folded(const QString& text) const {
    return m_foldCase ? text.toCaseFolded() : text;
}

bool RomFileIndex::exists(const QString& romName) const {
    if (m_listed && !hasSeparator(romName) && !listingCannotAnswer(romName))
        return m_romNames.contains(folded(romName));
    const QString path = m_romPath + romName + m_romExt;
    if (path.contains(QChar::Null))
        return false;
    return QFileInfo(path).isFile();
}

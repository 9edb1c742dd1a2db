#include "gamelist/RomFileIndex.h"


#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <optional>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <sys/stat.h>
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

#ifdef Q_OS_UNIX

bool isRegularFile(const QByteArray& folder, const char* name) {
    struct stat status;
    return ::stat((folder + '/' + name).constData(), &status) == 0 && S_ISREG(status.st_mode);
}

// The names of the regular files (and links to them) in a folder, as the file system's bytes.
// The entry types that readdir reports spare a stat per file; only links and entries of
// unknown type are looked at one by one. False when the folder cannot be read whole.
bool listRegularFiles(const QByteArray& folder, FileNameSet& names) {
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return false;
    bool whole = true;
    while (const dirent* entry = ::readdir(dir)) {
        const bool regular = entry->d_type == DT_REG ||
                             ((entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) &&
                              isRegularFile(folder, entry->d_name));
        if (regular && !names.add(entry->d_name)) {
            whole = false;
            break;
        }
    }
    ::closedir(dir);
    return whole;
}

// File systems that ignore letter case find "PACMAN.ZIP" for "pacman.zip"; a listing must then
// compare the same way. One probe with the first lettered name's case swapped tells.
bool ignoresCase(const QByteArray& folder, const FileNameSet& names) {
    for (qsizetype i = 0; i < names.size(); ++i) {
        QByteArray swapped = names.name(i).toByteArray();
        for (char& c : swapped)
            c = c >= 'a' && c <= 'z' ? char(c - 32) : c >= 'A' && c <= 'Z' ? char(c + 32) : c;
        if (swapped == names.name(i))
            continue;
        struct stat status;
        return ::stat((folder + '/' + swapped).constData(), &status) == 0 &&
               !names.hasName(swapped);
    }
    return false;
}

// Nearly every ROM name is ASCII, whose bytes are its characters: no buffer per lookup.
template <typename Found>
bool withFileBytes(const QString& name, Found found) {
    char ascii[256];
    if (name.size() <= qsizetype(sizeof ascii)) {
        qsizetype i = 0;
        for (; i < name.size() && name[i].unicode() < 0x80; ++i)
            ascii[i] = char(name[i].unicode());
        if (i == name.size())
            return found(QByteArrayView(ascii, i));
    }
    return found(QFile::encodeName(name));
}

#else

// The names of the regular files in a folder; nothing when the folder cannot be read.
std::optional<QStringList> regularFileNames(const QString& folder) {
    if (!QFileInfo(folder).isReadable())
        return std::nullopt;
    QStringList names;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        names.append(it.fileName());
    }
    return names;
}

#endif

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
#ifdef Q_OS_UNIX
    const QByteArray path = QFile::encodeName(folder);
    if (!listRegularFiles(path, m_fileNames)) {
        m_fileNames = {};
        return;
    }
    if (!ignoresCase(path, m_fileNames)) {
        // Bytes compared with bytes: a name is found exactly when the file system holds it.
        m_fileNames.index(QFile::encodeName(m_prefix), QFile::encodeName(m_romExt));
        m_byBytes = true;
        m_listed = true;
        return;
    }
    QStringList names;
    names.reserve(m_fileNames.size());
    for (qsizetype i = 0; i < m_fileNames.size(); ++i)
        names.append(QFile::decodeName(m_fileNames.name(i).toByteArray()));
    m_fileNames = {};
    m_foldCase = true;
    indexNames(folder, std::move(names));
#else
    std::optional<QStringList> listed = regularFileNames(folder);
    if (listed)
        indexNames(folder, std::move(*listed));
#endif
}

void RomFileIndex::indexNames(const QString& folder, QStringList names) {
    names.removeIf(listingCannotAnswer);
    if (!m_foldCase) {
        for (const QString& name : names) {
            const QString swapped = swapCase(name);
            if (swapped == name)
                continue;
            m_foldCase =
                QFileInfo::exists(QDir(folder).filePath(swapped)) && !names.contains(swapped);
            break;
        }
    }
    // A file is RomPath's last part & ROM name & RomExt exactly when its name starts with that
    // part, ends with the extension and is long enough for both; the middle is the ROM name.
    // Keeping only the middles lets a lookup use the ROM name as it stands.
    const QString prefix = folded(m_prefix);
    const QString ext = folded(m_romExt);
    m_textNames.reserve(names.size());
    for (QString& name : names) {
        QString file = m_foldCase ? name.toCaseFolded() : std::move(name);
        if (file.size() >= prefix.size() + ext.size() && file.startsWith(prefix) &&
            file.endsWith(ext)) {
            file.chop(ext.size());
            file.remove(0, prefix.size());
            m_textNames.insert(std::move(file));
        }
    }
    m_listed = true;
}

QString RomFileIndex::folded(const QString& text) const {
    return m_foldCase ? text.toCaseFolded() : text;
}

bool RomFileIndex::exists(const QString& romName) const {
    if (m_listed && !hasSeparator(romName) && !listingCannotAnswer(romName)) {
#ifdef Q_OS_UNIX
        if (m_byBytes)
            return withFileBytes(romName,
                                 [this](QByteArrayView bytes) { return m_fileNames.contains(bytes); });
#endif
        return m_textNames.contains(folded(romName));
    }
    const QString path = m_romPath + romName + m_romExt;
    if (path.contains(QChar::Null))
        return false;
    return QFileInfo(path).isFile();
}

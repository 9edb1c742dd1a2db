#include "gamelist/RomFolderListing.h"

#include "base/Settings.h"
#include "gamelist/RomFileName.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <set>
#include <utility>

#include <dirent.h>
#include <sys/stat.h>

namespace {

constexpr int kMaxDepth = 32;

struct Candidate {
    QString rom;
    QString path;
    bool profileSafe = true;
};

// A path for a warning line: a name with a line break must not split the warning.
QString shown(QString path) {
    for (QChar& c : path)
        if (c.unicode() < 0x20)
            c = u'?';
    return path;
}

class WarningList {
public:
    explicit WarningList(QStringList& lines) : m_lines(lines) {}
    ~WarningList() {
        if (m_more > 0)
            m_lines << QStringLiteral("tarvelin: ROM folder: %1 more warnings like these").arg(m_more);
    }
    void add(const QString& text) {
        if (m_lines.size() < RomFolderList::kMaxWarnings)
            m_lines << QStringLiteral("tarvelin: ROM folder: ") + text;
        else
            ++m_more;
    }

private:
    QStringList& m_lines;
    qsizetype m_more = 0;
};

class FolderWalk {
public:
    FolderWalk(const RomFolderRules& rules, const std::atomic<bool>* stop, WarningList& warnings)
        : m_rules(rules), m_stop(stop), m_warnings(warnings) {}

    bool stopped() const { return m_stop && m_stop->load(std::memory_order_relaxed); }

    // False when the folder itself cannot be read.
    bool read(const QByteArray& folder, int depth) {
        if (!firstVisit(folder))
            return true; // a link led back to a folder read already
        DIR* dir = ::opendir(folder.constData());
        if (!dir) {
            m_warnings.add(QStringLiteral("cannot read the folder %1: %2")
                               .arg(shown(QFile::decodeName(folder)),
                                    QString::fromLocal8Bit(std::strerror(errno))));
            return false;
        }
        std::vector<QByteArray> below;
        while (const dirent* entry = ::readdir(dir)) {
            if (stopped())
                break;
            const QByteArrayView name(entry->d_name);
            if (name.isEmpty() || name.front() == '.')
                continue;
            const QByteArray path = folder + '/' + name.toByteArray();
            bool isFolder = entry->d_type == DT_DIR;
            bool isFile = entry->d_type == DT_REG;
            if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
                struct stat target {};
                if (::stat(path.constData(), &target) != 0)
                    continue; // a link to nothing is no game
                isFolder = S_ISDIR(target.st_mode);
                isFile = S_ISREG(target.st_mode);
            }
            if (isFolder && m_rules.gameFolders && depth == 0)
                take(name, path, true);
            else if (isFolder && m_rules.subFolders && !m_rules.gameFolders && depth < kMaxDepth)
                below.push_back(path);
            else if (isFile)
                take(name, path, false);
        }
        ::closedir(dir);
        for (const QByteArray& path : below)
            if (!stopped())
                read(path, depth + 1);
        return true;
    }

    std::vector<Candidate> candidates;

private:
    bool firstVisit(const QByteArray& folder) {
        struct stat info {};
        if (::stat(folder.constData(), &info) != 0)
            return true; // opendir will say why
        return m_visited.insert({info.st_dev, info.st_ino}).second;
    }

    void take(QByteArrayView name, const QByteArray& path, bool isFolder) {
        const RomEntryName entry = NameRomEntry(name, isFolder, m_rules.extensions);
        if (entry.kind == RomEntryName::Kind::Game)
            candidates.push_back({entry.rom, QFile::decodeName(path), entry.profileSafe});
        else if (entry.kind == RomEntryName::Kind::Unusable)
            m_warnings.add(QStringLiteral("left out %1: %2")
                               .arg(shown(QFile::decodeName(path)), entry.reason));
    }

    const RomFolderRules& m_rules;
    const std::atomic<bool>* m_stop;
    WarningList& m_warnings;
    std::set<std::pair<dev_t, ino_t>> m_visited;
};

} // namespace

RomFolderRules RomFolderRulesFor(const QString& appDir, const FrontEndSettings& settings) {
    RomFolderRules rules;
    rules.extensions = ParseRomExtensions(settings.RomFolderExtensions);
    rules.subFolders = settings.RomFolderSubFolders;
    rules.gameFolders = settings.RomFolderGameFolders;
    const QString romPath =
        settings.RomPath.isEmpty() ? appDir + QStringLiteral("/roms/") : settings.RomPath;
    rules.folder = QDir::cleanPath(QDir(appDir).absoluteFilePath(romPath));
    return rules;
}

RomFolderList ListRomFolder(const RomFolderRules& rules, const std::atomic<bool>* stop) {
    RomFolderList list;
    std::vector<Candidate> candidates;
    {
        WarningList warnings(list.warnings);
        FolderWalk walk(rules, stop, warnings);
        QByteArray top = QFile::encodeName(rules.folder);
        while (top.size() > 1 && top.endsWith('/'))
            top.chop(1);
        list.folderRead = walk.read(top, 0);
        candidates = std::move(walk.candidates);
        std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
            if (const int folded = QString::compare(a.rom, b.rom, Qt::CaseInsensitive))
                return folded < 0;
            if (a.rom != b.rom)
                return a.rom < b.rom;
            return a.path < b.path;
        });
        list.games.reserve(qsizetype(candidates.size()));
        for (size_t i = 0; i < candidates.size();) {
            size_t same = i + 1;
            while (same < candidates.size() && candidates[same].rom == candidates[i].rom)
                ++same;
            const Candidate& game = candidates[i];
            if (same - i > 1)
                warnings.add(QStringLiteral("\"%1\" is the name of %2 files; listed once, for %3")
                                 .arg(shown(game.rom))
                                 .arg(same - i)
                                 .arg(shown(game.path)));
            if (!game.profileSafe)
                warnings.add(QStringLiteral("\"%1\" (%2) cannot name a game profile; listed, but "
                                            "its own options cannot be saved")
                                 .arg(shown(game.rom), shown(game.path)));
            list.games.append({game.rom, game.path});
            i = same;
        }
    }
    return list;
}

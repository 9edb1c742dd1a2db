// Any bytes as dovrel/glist.lst. Every game read has a ROM name and a description without a
// field separator or line break, writing the games and reading them again changes nothing,
// and the missing-ROM filter keeps exactly the games whose ROM file exists, in cache order,
// whether it lists the ROM folder or looks each name up.
#include "gamelist/GameListCache.h"
#include "gamelist/GameListLoader.h"
#include "gamelist/RomFileIndex.h"

#include "FuzzScratch.h"

#include <QFileInfo>

#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

bool hasBreakOrBar(const QString& text) {
    return text.contains(u'|') || text.contains(u'\r') || text.contains(u'\n');
}

// A ROM folder with a few files, a sub-folder named like a ROM, and a link.
QString romFolder() {
    static const QString folder = [] {
        for (const char* name : {"pacman.zip", "PACMAN.zip", "pac man.zip", "a.zip", ".zip",
                                 "x.zip.zip", "caf\xc3\xa9.zip", "folder.zip/inner.zip"})
            FuzzScratch::write(QStringLiteral("roms/") + QString::fromUtf8(name), "rom");
        QFile::link(FuzzScratch::path("roms/a.zip"), FuzzScratch::path("roms/link.zip"));
        return FuzzScratch::path("roms/");
    }();
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QList<GameEntry> games = ParseGameListCache(bytes);
    for (const GameEntry& game : games)
        require(!hasBreakOrBar(game.rom) && !hasBreakOrBar(game.description));
    require(ParseGameListCache(GameListCacheBytes(games)) == games);

    const QString roms = romFolder();
    const QString ext = QStringLiteral(".zip");
    FuzzScratch::write(QStringLiteral("glist.lst"), bytes);
    const QList<GameEntry> listed =
        LoadGameEntries(FuzzScratch::path("glist.lst"), true, roms, ext);
    require(LoadGameEntries(FuzzScratch::path("glist.lst"), false, roms, ext) == games);

    const RomFileIndex listing(roms, ext, games.size(), RomFileIndex::Strategy::FolderListing);
    const RomFileIndex single(roms, ext, games.size(), RomFileIndex::Strategy::SingleLookups);
    qsizetype next = 0;
    for (const GameEntry& game : games) {
        const QString path = roms + game.rom + ext;
        const bool exists = !path.contains(QChar::Null) && QFileInfo(path).isFile();
        require(listing.exists(game.rom) == exists && single.exists(game.rom) == exists);
        if (exists) {
            require(next < listed.size() && listed[next] == game);
            ++next;
        }
    }
    require(next == listed.size());
    return 0;
}

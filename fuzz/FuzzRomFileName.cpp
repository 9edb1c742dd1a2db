// Any bytes as a ROM folder entry's name and the RomFolderExtensions value: the first byte
// chooses a file or a folder, bytes up to the first NUL are the extensions, the rest the name.
// A game's ROM name is never empty, holds no "|" or line break, goes back to the very bytes of
// the name (with the extension it matched), and the same name listed from a real folder gives
// the same game.
#include "gamelist/RomFileName.h"
#include "gamelist/RomFolderListing.h"

#include "FuzzScratch.h"

#include <cstdint>
#include <cstdlib>

#include <fcntl.h>
#include <unistd.h>

using FuzzScratch::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const bool isFolder = data[0] & 1;
    const QByteArray rest(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const qsizetype nul = rest.indexOf('\0');
    const QByteArray extensionsValue = nul < 0 ? QByteArray() : rest.first(nul);
    const QByteArray name = nul < 0 ? rest : rest.sliced(nul + 1);
    const QStringList extensions = ParseRomExtensions(QString::fromUtf8(extensionsValue));
    for (qsizetype i = 0; i < extensions.size(); ++i) {
        require(extensions[i].startsWith(u'.') && extensions[i].size() > 1);
        require(extensions[i] == extensions[i].toLower());
        require(i == 0 || extensions[i - 1].size() >= extensions[i].size());
    }

    const RomEntryName entry = NameRomEntry(name, isFolder, extensions);
    if (entry.kind == RomEntryName::Kind::Game) {
        require(!entry.rom.isEmpty() && !name.startsWith('.'));
        require(!entry.rom.contains(u'|') && !entry.rom.contains(u'\n') &&
                !entry.rom.contains(u'\r'));
        const QByteArray rom = entry.rom.toUtf8();
        require(name.startsWith(rom));
        if (isFolder)
            require(rom == name);
        else
            require(extensions.contains(QString::fromUtf8(name.sliced(rom.size())).toLower()));
    } else {
        require(entry.rom.isEmpty());
    }

    // The name as a real file in a folder of its own: the listing agrees with the name alone.
    if (isFolder || name.isEmpty() || name.contains('/') || name.contains('\0') ||
        name.size() > 200)
        return 0;
    static int round = 0;
    const QString folder = FuzzScratch::path(QStringLiteral("roms%1").arg(round++));
    QDir().mkpath(folder);
    const QByteArray path = QFile::encodeName(folder) + '/' + name;
    const int fd = ::open(path.constData(), O_CREAT | O_WRONLY, 0600);
    if (fd < 0)
        return 0; // "." or ".." as a name
    ::close(fd);
    const RomFolderList list = ListRomFolder({folder, extensions, false, false});
    if (entry.kind == RomEntryName::Kind::Game)
        require(list.games.size() == 1 && list.games[0].rom == entry.rom &&
                list.games[0].path == QFile::decodeName(path));
    else
        require(list.games.isEmpty());
    const bool warned = entry.kind == RomEntryName::Kind::Unusable || !entry.profileSafe;
    require(list.warnings.size() == (warned ? 1 : 0));
    ::unlink(path.constData());
    QDir().rmdir(folder);
    return 0;
}

// Any bytes as a zip archive of pictures, and a ROM name to find in it. Opening refuses what
// is no archive; what opens indexes its entries, finds a picture only under a name that names
// the game, and reads entries within the limits whatever the central directory declares.
// Input: archive bytes, NUL, ROM name (UTF-8).
#include "pictures/PictureArchive.h"

#include "FuzzScratch.h"

#include <cstdint>
#include <cstdlib>

namespace {

const QStringList kSuffixes = {QStringLiteral("png"), QStringLiteral("jpg")};

} // namespace

using FuzzScratch::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QList<QByteArray> parts = FuzzScratch::parts(data, size, 2);
    FuzzScratch::write(QStringLiteral("snap.zip"), parts[1]);
    QString problem;
    const std::unique_ptr<PictureArchive> archive =
        PictureArchive::open(FuzzScratch::path(QStringLiteral("snap.zip")), kSuffixes, &problem);
    if (!archive) {
        require(!problem.isEmpty());
        return 0;
    }
    PictureLimits limits;
    limits.maxFileBytes = 4096;
    for (const QString& rom : {QString::fromUtf8(parts[0]), QStringLiteral("1942")}) {
        const std::optional<quint64> entry = archive->find(rom);
        if (!entry)
            continue;
        // Entry names may separate folders by either slash; a name without one is found as it
        // stands in the entry's name.
        if (!rom.contains(u'/') && !rom.contains(u'\\'))
            require(!rom.isEmpty() &&
                    archive->entryName(*entry).contains(rom, Qt::CaseInsensitive));
        const PictureFile file = archive->read(*entry, limits);
        require(file.bytes.size() <= limits.maxFileBytes);
    }
    return 0;
}

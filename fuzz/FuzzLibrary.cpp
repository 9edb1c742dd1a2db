// Any bytes as dovrel/library.ini. Reading never trusts a count or a time from the file: every
// record it keeps is within its bounds, reads back from its stored form as itself, and is told
// as a sentence; the file is never changed by reading.
#include "gamelist/GameLibrary.h"

#include "FuzzScratch.h"

#include <cstdint>
#include <cstdlib>

using FuzzScratch::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    FuzzScratch::write(QStringLiteral("library.ini"), bytes);
    const GameLibrary library = GameLibrary::read(FuzzScratch::path(QStringLiteral("library.ini")));
    for (auto it = library.records().cbegin(); it != library.records().cend(); ++it) {
        const PlayRecord& record = it.value();
        require(record.launches > 0 && record.seconds >= 0 && record.lastStart >= 0);
        require(GameLibrary::parseRecord(GameLibrary::recordText(record)) == record);
        require(!GameLibrary::describe(record).isEmpty());
    }
    // Any value as a record: refused, or one that reads back as itself.
    if (const std::optional<PlayRecord> parsed = GameLibrary::parseRecord(QString::fromUtf8(bytes)))
        require(GameLibrary::parseRecord(GameLibrary::recordText(*parsed)) == parsed);
    require(FuzzScratch::read(QStringLiteral("library.ini")) == bytes);
    return 0;
}

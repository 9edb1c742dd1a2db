// Any bytes as the details cache dovrel/gdetails.lst beside any glist.lst, and any list
// output cut with details. A details file that is read gives one row per loaded game and no
// value with a tab or line break; it is read for the games the missing-ROM filter keeps
// whenever it is read for all of them, with the same rows; writing the rows again and reading
// them gives them back. An output cut into the two caches always gives details that the
// loader reads, one row per game of the cache.
#include "base/Ini.h"
#include "gamelist/GameDetailsCache.h"
#include "gamelist/GameListCache.h"
#include "gamelist/GameListGenerator.h"

#include "FuzzScratch.h"

#include <cstdint>

using FuzzScratch::require;

namespace {

bool clean(const QString& value) {
    return !value.contains(u'\t') && !value.contains(u'\r') && !value.contains(u'\n');
}

void checkRead(const QByteArray& detailsBytes, const QStringList& fields,
               const QList<GameEntry>& games) {
    const std::optional<GameDetails> all = ReadGameDetailsCache(detailsBytes, fields, games, true);
    if (!all)
        return;
    require(all->rowCount() == games.size() && all->fields() == fields);
    GameDetailsCacheWriter writer(fields);
    QList<GameEntry> kept;
    std::vector<qsizetype> keptRows;
    for (qsizetype r = 0; r < games.size(); ++r) {
        QStringList values;
        for (int c = 0; c < fields.size(); ++c) {
            require(clean(all->value(r, c)));
            values.append(all->value(r, c));
        }
        writer.add(QStringView(games[r].rom), QStringView(values.join(u'\t')));
        if (r % 2 == 0) {
            kept.append(games[r]);
            keptRows.push_back(r);
        }
    }
    const std::optional<GameDetails> again =
        ReadGameDetailsCache(writer.bytes(), fields, games, true);
    const std::optional<GameDetails> some = ReadGameDetailsCache(detailsBytes, fields, kept, false);
    require(again && some && some->rowCount() == kept.size());
    for (qsizetype r = 0; r < games.size(); ++r)
        for (int c = 0; c < fields.size(); ++c)
            require(again->value(r, c) == all->value(r, c));
    for (size_t k = 0; k < keptRows.size(); ++k)
        for (int c = 0; c < fields.size(); ++c)
            require(some->value(qsizetype(k), c) == all->value(keptRows[k], c));
}

void checkOutput(const QByteArray& output, const QStringList& fields, bool nameEndsAtBlank) {
    const QString appDir = FuzzScratch::path(QStringLiteral("app"));
    QDir().mkpath(appDir + QStringLiteral("/dovrel"));
    GameListRequest request;
    request.appDir = appDir;
    request.GlName = QStringLiteral("gamelist.txt");
    request.RomLen = 8;
    ListLayout layout;
    layout.nameEndsAtBlank = nameEndsAtBlank;
    layout.detailFields = fields;
    QFile::remove(appDir + QStringLiteral("/dovrel/glist.lst"));
    if (!RefreshGameListCache(request, output, layout).ok)
        return;
    const QList<GameEntry> games = ReadGameListCache(appDir + QStringLiteral("/dovrel/glist.lst"));
    const std::optional<GameDetails> details = ReadGameDetailsCache(
        ReadFileBytes(appDir + QStringLiteral("/dovrel/gdetails.lst")), fields, games, true);
    require(details && details->rowCount() == games.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QList<QByteArray> input = FuzzScratch::parts(data, size, 4);
    const QStringList fields = GameDetails::fieldsFrom(QString::fromUtf8(input[0]));
    const QList<GameEntry> games = ParseGameListCache(input[1]);
    checkRead(input[2], fields, games);
    if (!fields.isEmpty())
        checkOutput(input[3], fields, input[0].startsWith(' '));
    return 0;
}

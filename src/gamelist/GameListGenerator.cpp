#include "gamelist/GameListGenerator.h"

#include "base/AppPaths.h"
#include "base/Ini.h"
#include "base/Settings.h"
#include "gamelist/BatchCommand.h"
#include "gamelist/GameDetailsCache.h"
#include "gamelist/GameListCache.h"
#include "gamelist/GameListOutput.h"
#include "gamelist/TextLines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace {

const QString kBreak = QStringLiteral("\r\n\r\n");

QString outputFileName() {
    return QStringLiteral("gamelist.txt");
}

QString checkAdvice(const QString& GlName) {
    return QStringLiteral("The command line application didn't properly generate ") + GlName +
           QStringLiteral(" Check to ensure the command line application is working properly "
                          "and that the command is correct.");
}

GameListResult failure(const QString& message, const QString& cause = QString()) {
    return {false, message, cause, QString(), false, {}};
}

// The cause of an unknown error: what was done to which file, and the system's reason.
QString cause(const QString& what, const QString& file, const QString& reason) {
    return what + u' ' + QDir::toNativeSeparators(file) + QStringLiteral(": ") + reason;
}

// The emulator with its list command, its standard output landing in the output file.
bool runListCommand(Dialogs& dialogs, const GameListRequest& r) {
#ifdef Q_OS_WIN
    return RunBatchCommand(dialogs, r.appDir, r.ExeName,
                           RedirectedListArguments(r.GameListCommand, r.appDir));
#else
    // The output is captured directly, so the folder's path never appears in shell text.
    return RunBatchCommand(dialogs, r.appDir, r.ExeName, u' ' + r.GameListCommand,
                           AppPaths::join(r.appDir, u'/' + outputFileName()));
#endif
}

// The output cut straight into the cache's bytes (and, with details, the details cache's), with
// no string per game. An output that is valid UTF-8 is cut as it stands, since the caches are
// UTF-8 too: 50,000 games are never decoded and encoded again. Any other output is read as
// Latin-1, one character per byte.
GameListOutput::Outcome cutBytes(const QByteArray& bytes, const GameListRequest& r,
                                 ListLayout layout, QString& helpText, QByteArray& cache,
                                 QByteArray& details) {
    const bool withDetails = layout.hasDetails();
    if (IsValidUtf8(bytes)) {
        QByteArrayView utf8(bytes);
        if (utf8.startsWith("\xEF\xBB\xBF"))
            utf8 = utf8.sliced(3);
        GameListCacheUtf8Writer writer(utf8.size());
        GameDetailsCacheWriter detailsWriter(layout.detailFields,
                                             withDetails ? utf8.size() / 2 : 0);
        const GameListOutput::Outcome outcome = CutGameListOutputUtf8(
            utf8, r.StartLine, r.HelpEnd, r.RomLen, helpText,
            [&](QByteArrayView rom, QByteArrayView description, QByteArrayView more) {
                writer.add(rom, description);
                if (withDetails)
                    detailsWriter.add(rom, more);
            },
            layout);
        cache = writer.bytes();
        if (withDetails)
            details = detailsWriter.bytes();
        return outcome;
    }
    const QString text = DecodeText(bytes);
    GameListCacheWriter writer(text.size());
    GameDetailsCacheWriter detailsWriter(layout.detailFields);
    const GameListOutput::Outcome outcome = CutGameListOutput(
        text, r.StartLine, r.HelpEnd, r.RomLen, helpText,
        [&](QStringView rom, QStringView description, QStringView more) {
            writer.add(rom, description);
            if (withDetails)
                detailsWriter.add(rom, more);
        },
        layout);
    cache = writer.bytes();
    if (withDetails)
        details = detailsWriter.bytes();
    return outcome;
}

QString outputPath(const GameListRequest& r) {
    return AppPaths::join(r.appDir, u'/' + r.GlName);
}

// The output's cut into help text and the cache's bytes, or the message of an unusable output.
GameListResult cutIntoCache(const QByteArray& bytes, const GameListRequest& r, ListLayout layout,
                            QByteArray& cache, QByteArray& details) {
    QString helpText;
    switch (cutBytes(bytes, r, layout, helpText, cache, details)) {
    case GameListOutput::Outcome::TooShort:
        return failure(GameListMessages::outputEmpty(r.GlName));
    case GameListOutput::Outcome::Unusable:
        return failure(GameListMessages::unknownError(),
                       cause(QStringLiteral("cannot cut the games of"), outputPath(r),
                             QStringLiteral("GameListRomLen is %1, below 0").arg(r.RomLen)));
    case GameListOutput::Outcome::Parsed:
        break;
    }
    return {true, QString(), QString(), helpText, false, {}};
}

// Only a regular file is read: opening a FIFO in its place would wait for a writer forever.
bool holdsBytes(const QString& file, const QByteArray& bytes) {
    const QFileInfo info(file);
    if (!info.isFile() || info.size() != bytes.size())
        return false;
    QFile current(file);
    return current.open(QIODevice::ReadOnly) && current.readAll() == bytes;
}

// The cache replaced in one step, so that a failure leaves the previous one as it was. The
// standard start-up writes it even when it is the same; a refresh only when it differs.
// The details cache, when the list has details, is written after the game cache: a details
// file that was not replaced no longer names the new list's games and is not read.
enum class SameCache { Write, Keep };
GameListResult storeCache(const GameListRequest& r, const QByteArray& cache,
                          const QString& helpText, SameCache same,
                          const QByteArray* details = nullptr) {
    bool changed = false;
    const auto store = [&](const QString& file, const QByteArray& bytes) {
        const bool differs = !holdsBytes(file, bytes);
        changed = changed || differs;
        QString error;
        if ((differs || same == SameCache::Write) && !WriteFileAtomically(file, bytes, &error))
            return failure(GameListMessages::unknownError(),
                           cause(QStringLiteral("cannot write"), file, error));
        return GameListResult{true, QString(), QString(), helpText, false, {}};
    };
    GameListResult result = store(AppPaths::gameListCache(r.appDir), cache);
    if (result.ok && details)
        result = store(AppPaths::gameDetails(r.appDir), *details);
    result.cacheChanged = result.ok && changed;
    return result;
}

void printWarnings(const QStringList& warnings) {
    if (warnings.isEmpty())
        return;
    QTextStream err(stderr);
    for (const QString& line : warnings)
        err << line << '\n';
    err.flush();
}

GameListResult removeOutputFile(const GameListRequest& r, const GameListResult& result) {
    QFile written(outputPath(r));
    if (!written.remove())
        return failure(
            GameListMessages::unknownError(),
            cause(QStringLiteral("cannot delete"), outputPath(r), written.errorString()));
    return result;
}

} // namespace

QString GameListMessages::emulatorNotFound(const QString& ExeName) {
    return ExeName + QStringLiteral(" not found!") + kBreak +
           QStringLiteral("This application should have been extracted to the directory where ") +
           ExeName + QStringLiteral(" resides!");
}

QString GameListMessages::outputNotFound(const QString& GlName) {
    return GlName + QStringLiteral(" not found!") + kBreak + checkAdvice(GlName);
}

QString GameListMessages::outputEmpty(const QString& GlName) {
    return GlName + QStringLiteral(" empty!") + kBreak + checkAdvice(GlName);
}

QString GameListMessages::unknownError() {
    return QStringLiteral("Unknown List Generation error!");
}

bool EmulatorExists(const QString& appDir, const QString& ExeName) {
    // Joined to the folder, an absolute name would name nothing.
    return QFileInfo::exists(
        QDir::isAbsolutePath(ExeName) ? ExeName : AppPaths::join(appDir, u'/' + ExeName));
}

QString RedirectedListArguments(const QString& gameListCommand, const QString& appDir) {
    return u' ' + gameListCommand + QStringLiteral(" > \"") + appDir + QStringLiteral("\\") +
           outputFileName() + u'"';
}

GameListRequest GameListRequestFor(const QString& appDir, const FrontEndSettings& s) {
    GameListRequest request{appDir,
                            s.ExeName,
                            s.GameListCommand,
                            QStringLiteral("gamelist.txt"),
                            s.GameListStartLine,
                            double(s.HelpEndLine),
                            s.GameListRomLen,
                            {}};
    if (ListsRomFolder(s))
        request.folder = RomFolderRulesFor(appDir, s);
    return request;
}

ListLayout ListLayoutFor(const FrontEndSettings& s) {
    return {s.RomNameEndsAtBlank, s.UnquoteDescriptions, GameDetails::fieldsFrom(s.DetailFields)};
}

GameListResult ListRomFolderIntoCache(const GameListRequest& request, bool keepSame,
                                      const std::atomic<bool>* stop) {
    const RomFolderList list = ListRomFolder(request.folder, stop);
    if (stop && stop->load())
        return failure(GameListMessages::unknownError(),
                       QStringLiteral("the listing of the ROM folder was stopped"));
    GameListCacheWriter cache(list.games.size() * 40);
    for (const RomFile& game : list.games)
        cache.add(game.rom, game.rom);
    const QString mapFile = AppPaths::romFileMap(request.appDir);
    const QByteArray map = RomFileMap::bytes(list.games);
    QString error;
    if ((!keepSame || !holdsBytes(mapFile, map)) && !WriteFileAtomically(mapFile, map, &error))
        return failure(GameListMessages::unknownError(),
                       cause(QStringLiteral("cannot write"), mapFile, error));
    GameListResult result =
        storeCache(request, cache.bytes(), QString(), keepSame ? SameCache::Keep : SameCache::Write);
    result.warnings = list.warnings;
    return result;
}

GameListResult GenerateGameList(Dialogs& dialogs, const GameListRequest& request,
                                ListLayout layout) {
    if (!EmulatorExists(request.appDir, request.ExeName))
        return failure(GameListMessages::emulatorNotFound(request.ExeName));
    if (request.folder.isOn()) {
        const GameListResult result = ListRomFolderIntoCache(request, false);
        printWarnings(result.warnings);
        return result;
    }
    if (!request.GameListCommand.isEmpty() && !runListCommand(dialogs, request))
        return failure(GameListMessages::unknownError(),
                       QStringLiteral("the script that runs the list command could not be "
                                      "written or deleted in ") +
                           QDir::toNativeSeparators(request.appDir));
    return BuildGameListCache(request, layout);
}

GameListResult BuildGameListCache(const GameListRequest& request, ListLayout layout) {
    if (request.folder.isOn()) {
        const GameListResult result = ListRomFolderIntoCache(request, false);
        printWarnings(result.warnings);
        return result;
    }
    const QString output = outputPath(request);
    if (!QFileInfo(output).isFile())
        return failure(GameListMessages::outputNotFound(request.GlName));
    QFile file(output);
    if (!file.open(QIODevice::ReadOnly))
        return failure(GameListMessages::unknownError(),
                       cause(QStringLiteral("cannot read"), output, file.errorString()));
    const QByteArray bytes = file.readAll();
    file.close();

    QByteArray cache, details;
    GameListResult result = cutIntoCache(bytes, request, layout, cache, details);
    if (result.ok)
        result = storeCache(request, cache, result.HelpText, SameCache::Write,
                            layout.hasDetails() ? &details : nullptr);
    if (!result.ok)
        return result;
    return removeOutputFile(request, result);
}

GameListResult RefreshGameListCache(const GameListRequest& request, const QByteArray& output,
                                    ListLayout layout) {
    QByteArray cache, details;
    const GameListResult result = cutIntoCache(output, request, layout, cache, details);
    if (!result.ok)
        return result;
    return storeCache(request, cache, result.HelpText, SameCache::Keep,
                      layout.hasDetails() ? &details : nullptr);
}

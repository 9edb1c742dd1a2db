#pragma once

#include "gamelist/GameListOutput.h"
#include "gamelist/RomFolderListing.h"

#include <QString>
#include <QStringList>

#include <atomic>

class Dialogs;
struct FrontEndSettings;

// What start-up needs to build the game list cache from the emulator's list output.
struct GameListRequest {
    QString appDir;
    QString ExeName;
    QString GameListCommand; // empty: nothing is run and an existing output file is used
    QString GlName;          // the output file's name in the application folder
    qint16 StartLine = 0;
    double HelpEnd = 0;
    qint16 RomLen = 0;
    // When on, the list is the ROM folder's files and no command is run (GlName is unused).
    RomFolderRules folder;
};

struct GameListResult {
    bool ok = false;
    QString message; // the message that ends the program when not ok
    QString cause;   // where the message does not say it: which file, which system error
    QString HelpText;
    // The cache holds other bytes than before this run (or there was none).
    bool cacheChanged = false;
    // What a ROM-folder listing left out or listed once; already written to stderr by
    // GenerateGameList, for the caller to pass on elsewhere.
    QStringList warnings;
};

// The request and the layout of the settings, as start-up, the background list and the
// command line build them: "gamelist.txt", the [Parse] lines and widths, the optional ways of
// cutting a game line, and the ROM-folder listing when its keys are set.
GameListRequest GameListRequestFor(const QString& appDir, const FrontEndSettings& s);
ListLayout ListLayoutFor(const FrontEndSettings& s);

// Runs the emulator's list command, writes dovrel/glist.lst, deletes the output file and
// returns the help text; or returns the message that must end the program. A failed
// generation leaves the previous cache as it was: the cache is replaced in one step.
// `layout` holds the optional ways of splitting a game line.
GameListResult GenerateGameList(Dialogs& dialogs, const GameListRequest& request,
                                ListLayout layout = {});

// The part after the emulator has run: the output check, the cut into help text and games,
// the cache and the deletion of the output file.
GameListResult BuildGameListCache(const GameListRequest& request, ListLayout layout = {});

// For a request whose ROM-folder listing is on: lists the folder and writes dovrel/glist.lst
// (each ROM name being its own title) and the file map beside it, dovrel/romfiles.lst; the map
// first, so that the cache never names a game the map lacks. With `keepSame` a cache and map
// that hold the same bytes are not written again (the quick start's refresh). A ROM folder that
// cannot be read gives an empty list with its warning, not an ending message: a fresh set-up
// has no games yet. A stopped listing writes nothing and reports a failure.
GameListResult ListRomFolderIntoCache(const GameListRequest& request, bool keepSame,
                                      const std::atomic<bool>* stop = nullptr);

// A new list for a cache that exists already: the cache is written only when the output gives
// other bytes than it holds. No output file is involved.
GameListResult RefreshGameListCache(const GameListRequest& request, const QByteArray& output,
                                    ListLayout layout = {});

// The emulator check before the list command runs: a file named ExeName in the application
// folder; an absolute ExeName (the program that the first-run setup found, /usr/games/mame)
// is that file itself. An empty ExeName names the folder, which passes, as it always has.
bool EmulatorExists(const QString& appDir, const QString& ExeName);

// The command-line arguments that make the script redirect the list into the output file,
// as the Windows script's last line needs them.
QString RedirectedListArguments(const QString& gameListCommand, const QString& appDir);

namespace GameListMessages {
QString emulatorNotFound(const QString& ExeName);
QString outputNotFound(const QString& GlName);
QString outputEmpty(const QString& GlName);
QString unknownError();
} // namespace GameListMessages

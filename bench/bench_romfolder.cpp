// The game list made from a ROM folder of 10,000 files (goal: listed in 50 ms or less): the
// listing alone, and the whole start-up step that lists the folder and writes dovrel/glist.lst
// and dovrel/romfiles.lst; then the same for 100,000 files in 100 sub-folders.
#include "BenchSupport.h"

#include "base/AppPaths.h"
#include "base/Settings.h"
#include "gamelist/GameListGenerator.h"
#include "gamelist/RomFolderListing.h"

#include <QCoreApplication>
#include <QDir>

#include "common/FakeDialogs.h"

using namespace Bench;

namespace {

void fill(const AppFolder& app, int files, int folders) {
    for (int i = 0; i < files; ++i) {
        const QString folder = folders > 0 ? QStringLiteral("roms/sub%1/").arg(i % folders)
                                           : QStringLiteral("roms/");
        app.write(folder + QStringLiteral("Game %1 (World) (Rev %2).nes").arg(i).arg(i % 3), {});
    }
}

void measure(int files, int folders) {
    const AppFolder app;
    app.writeScript("emu", "exit 0\n");
    // Every standard key present, so that the figures carry no warning about a missing one.
    app.write("dovrel/dovrel.ini",
              QStringLiteral("[Parse]\nExeName=emu\nGameListStartLine=0\nGameListRomLen=0\n"
                             "HelpEndLine=0\nRomFolderExtensions=nes\nRomFolderSubFolders=%1\n"
                             "[Settings]\nSendRomPath=0\nRomPathinQuotes=0\nShowConfig=0\n"
                             "ShowMissingRoms=1\n")
                  .arg(folders > 0 ? 1 : 0)
                  .toUtf8());
    fill(app, files, folders);
    const FrontEndSettings s = ReadFrontEndSettings(app.path());
    const GameListRequest request = GameListRequestFor(app.path(), s);
    qsizetype listed = 0;
    const double listing = medianMs(9, [&] { listed = ListRomFolder(request.folder).games.size(); });
    if (listed != files)
        qFatal("listed %lld of %d files", qlonglong(listed), files);
    FakeDialogs dialogs;
    const double generate = medianMs(9, [&] {
        if (!GenerateGameList(dialogs, request).ok)
            qFatal("the ROM folder's list failed");
    });
    const QString where = folders > 0 ? QStringLiteral(" in %1 sub-folders").arg(folders)
                                      : QString();
    print(QStringLiteral("ROM folder of %1 files%2: listed").arg(files).arg(where), listing, "ms",
          files == 10000 && folders == 0 ? QStringLiteral("<= 50 ms") : QString());
    print(QStringLiteral("ROM folder of %1 files%2: listed, cache and file map written")
              .arg(files)
              .arg(where),
          generate, "ms");
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    measure(10000, 0);
    measure(100000, 100);
    return 0;
}

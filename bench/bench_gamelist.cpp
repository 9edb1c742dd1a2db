// Tarvelin's own work on a game list of 1,000, 10,000 and 50,000 games, inside one process:
// MakeGamelist's cut of the emulator's output into the cache (the emulator's run, which holds
// RunAndWait's fixed 200 ms pause, is printed apart), LoadGameList with the missing-ROM filter
// off and on (two thirds of the ROM files present), the first show, and the whole start-up
// sequence (Form_Load and show, 300 options) less the pause. Runs on the offscreen platform;
// each figure is the median of several rounds. Output: name TAB value TAB unit.

#include "BenchSupport.h"
#include "BenchWindow.h"
#include "gamelist/BatchCommand.h"
#include "gamelist/GameListGenerator.h"
#include "gamelist/ui/GameListBox.h"
#include "session/GameSession.h"
#include "shell/frmMain.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

using namespace Bench;

constexpr int kRounds = 5;
constexpr double kPauseMs = 200;

void prepare(const AppFolder& app, int games, bool missingListed = false) {
    app.writeScript(QStringLiteral("fakeemu"), GameListEmulator::script(games));
    GameListEmulator::writeRoms(app, games);
    app.write(QStringLiteral("dovrel/dovrel.ini"),
              "[Parse]\nExeName=fakeemu\nGameListCommand=-listfull\nGameListStartLine=" +
                  QByteArray::number(GameListEmulator::startLine) +
                  "\nGameListRomLen=" + QByteArray::number(GameListEmulator::romLen) +
                  "\nHelpEndLine=" + QByteArray::number(GameListEmulator::helpEndLine) +
                  "\n[Settings]\nRomPath=\nSendRomPath=1\nRomPathinQuotes=1\nRomExt=.zip\n"
                  "ShowConfig=1\nShowMissingRoms=" +
                  QByteArray(missingListed ? "1" : "0") + "\n");
    app.write(QStringLiteral("dovrel/cfgdef.ini"), OptionDefinitions::file(300, 30));
}

// With missing games listed, the stored toggle fills the list from the cache before the
// emulator is asked; a second fill follows only when the emulator's list changed.
void fillFigures(Dialogs& dialogs) {
    for (const bool changing : {false, true}) {
        const AppFolder app;
        prepare(app, 50000, true);
        if (changing) // one game named after the run's process: another list every run
            app.writeScript(QStringLiteral("fakeemu"),
                            GameListEmulator::script(50000) + "printf '%-12sRun %s\\n' z$$ $$\n");
        print(QStringLiteral("Form_Load and show 50000 games, missing games listed, list %1, "
                             "minus the pause")
                  .arg(changing ? QStringLiteral("changed (two fills)")
                                : QStringLiteral("unchanged (one fill)")),
              startUpInProcessMs(app.path(), dialogs, kRounds, kPauseMs), "ms");
    }
}

// MAME's own list (45,000 machines) as start-up reads it: run with the 200 ms pause, the
// output file read back.
void outputFigures(Dialogs& dialogs) {
    const QString mame = QStringLiteral("/usr/games/mame");
    if (!QFileInfo::exists(mame)) {
        qWarning("bench_gamelist: MAME is not installed; its list figures skipped");
        return;
    }
    const AppFolder app;
    const QString output = app.file(QStringLiteral("gamelist.txt"));
    const double fromFile = medianMs(kRounds, [&] {
        RunBatchCommand(dialogs, app.path(), mame, QStringLiteral(" -listfull"), output);
        QFile file(output);
        if (!file.open(QIODevice::ReadOnly) || file.readAll().size() < 1000000)
            qFatal("bench_gamelist: MAME wrote no list");
    });
    print("MAME -listfull run and read back, with the 200 ms pause", fromFile, "ms");
}

void benchmark(int games) {
    const AppFolder app;
    prepare(app, games);
    NoDialogs dialogs;
    const QString output = app.file(QStringLiteral("gamelist.txt"));
    const QString n = QString::number(games);

    const double emulatorRun = elapsedMs([&] {
        RunBatchCommand(dialogs, app.path(), QStringLiteral("fakeemu"),
                        QStringLiteral(" -listfull"), output);
    });
    QFile listFile(output);
    if (!listFile.open(QIODevice::ReadOnly))
        qFatal("the fake emulator wrote no list");
    const QByteArray listing = listFile.readAll();
    listFile.close();

    const GameListRequest request{app.path(),
                                  QStringLiteral("fakeemu"),
                                  QStringLiteral("-listfull"),
                                  QStringLiteral("gamelist.txt"),
                                  GameListEmulator::startLine,
                                  GameListEmulator::helpEndLine,
                                  GameListEmulator::romLen,
                                  {}};
    std::vector<double> generate;
    for (int round = 0; round < kRounds; ++round) {
        app.write(QStringLiteral("gamelist.txt"), listing);
        generate.push_back(elapsedMs([&] {
            if (!BuildGameListCache(request).ok)
                qFatal("generation failed");
        }));
    }

    const auto loadAndShow = [&](bool onlyAvailable, int expected) {
        std::vector<double> load, show;
        for (int round = 0; round < kRounds; ++round) {
            GameSession state(app.path());
            state.settings().RomPath = app.file(QStringLiteral("roms/"));
            state.settings().RomExt = QStringLiteral(".zip");
            frmMain w(state, dialogs);
            load.push_back(elapsedMs([&] { w.LoadGameList(onlyAvailable); }));
            if (w.lstGames->count() != expected)
                qFatal("listed %lld games, expected %d", qlonglong(w.lstGames->count()), expected);
            show.push_back(elapsedMs([&] {
                w.show();
                QCoreApplication::processEvents();
            }));
        }
        return std::pair{median(load), median(show)};
    };
    const auto [loadAll, showAll] = loadAndShow(false, games);
    const auto [loadAvailable, showAvailable] =
        loadAndShow(true, GameListEmulator::listedWithFilter(games));

    const double startUp = startUpInProcessMs(app.path(), dialogs, kRounds, kPauseMs);

    print("MakeGamelist " + n + " games, the cut into the cache (emulator apart)", median(generate),
          "ms");
    print("LoadGameList " + n + " games, filter off", loadAll, "ms");
    print("LoadGameList " + n + " games, filter on (2/3 of ROMs present)", loadAvailable, "ms");
    print("first show " + n + " games, filter off", showAll, "ms");
    print("first show " + n + " games, filter on", showAvailable, "ms");
    print("emulator's list run " + n + " games, with the 200 ms pause", emulatorRun, "ms");
    print("Form_Load and show " + n + " games, 300 options, in-process, minus the pause", startUp,
          "ms");
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString startDir = QDir::currentPath();
    for (int games : {1000, 10000, 50000}) {
        benchmark(games);
        QDir::setCurrent(startDir); // the run made the temporary folder current
    }
    Bench::NoDialogs dialogs;
    fillFigures(dialogs);
    outputFigures(dialogs);
    QDir::setCurrent(startDir);
    return 0;
}

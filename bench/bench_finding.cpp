// Finding games in a list of 50,000: one keystroke in the filter field (a one-letter query
// that most games match, and the last letter of a rare one), toggling a favourite, switching
// the views, and start-up with and without 5,000 play records and 1,000 favourites.
#include "BenchSupport.h"
#include "BenchWindow.h"

#include "gamelist/ui/GameFilterField.h"
#include "gamelist/ui/GameListBox.h"
#include "session/GameSession.h"
#include "shell/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QDir>

using namespace Bench;

namespace {

constexpr int kGames = 50000;
constexpr int kRounds = 9;
constexpr double kPauseMs = 200;

QByteArray cache() {
    QByteArray bytes;
    for (int i = 0; i < kGames; ++i)
        bytes += "g" + QByteArray::number(i) + "|" + variedTitle(i) + "\r\n";
    return bytes;
}

void writeLibrary(const AppFolder& app, int records, int favourites) {
    QByteArray file = "[Favourites]\n";
    for (int i = 0; i < favourites; ++i)
        file += "g" + QByteArray::number(i * 37 % kGames) + "=1\n";
    file += "[Played]\n";
    for (int i = 0; i < records; ++i)
        file += "g" + QByteArray::number(i * 7 % kGames) + "=" + QByteArray::number(i % 9 + 1) +
                ",3600," + QByteArray::number(1700000000 + i) + "\n";
    app.write(QStringLiteral("dovrel/library.ini"), file);
}

double changeMs(const std::function<void()>& reset, const std::function<void()>& change) {
    return Bench::changeMs(kRounds, reset, change);
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    NoDialogs dialogs;
    AppFolder app;
    app.writeScript(QStringLiteral("emu"), GameListEmulator::script(kGames));
    app.write(QStringLiteral("dovrel/dovrel.ini"),
              GameListEmulator::dovrelIni("ShowConfig=0\n"));
    app.write(QStringLiteral("dovrel/cfgdef.ini"), OptionDefinitions::file(300, 30));

    const double plainStart = startUpInProcessMs(app.path(), dialogs, kRounds, kPauseMs);
    writeLibrary(app, 5000, 1000);
    const double libraryStart = startUpInProcessMs(app.path(), dialogs, kRounds, kPauseMs);

    // The window on a list of varied titles, as a user finds games in it.
    app.write(QStringLiteral("dovrel/glist.lst"), cache());
    GameSession state(app.path());
    frmMain w(state, dialogs);
    w.ReadDovrelCFG();
    w.LoadGameList(false);
    w.InitCfg();
    w.show();
    QCoreApplication::processEvents();
    w.openFilter();
    const double oneLetter =
        changeMs([&] { w.findChild<QLineEdit*>("txtFilter")->setText(QString()); },
                 [&] { w.findChild<QLineEdit*>("txtFilter")->setText(QStringLiteral("e")); });
    const qsizetype oneLetterMatches = w.lstGames->count();
    const double rare = changeMs(
        [&] { w.findChild<QLineEdit*>("txtFilter")->setText(QStringLiteral("cafe tiger 4996")); },
        [&] { w.findChild<QLineEdit*>("txtFilter")->setText(QStringLiteral("cafe tiger 49967")); });
    w.closeFilter();
    w.lstGames->setCurrentRow(25000);
    const double favourite = changeMs([] {}, [&] { w.menus().mnuViewFavourite->trigger(); });
    const auto view = [&](QAction* action) {
        return changeMs(
            [&] {
                if (action->isChecked())
                    action->trigger();
            },
            [&] { action->trigger(); });
    };
    const double favouritesOnly = view(w.menus().mnuViewFavouritesOnly);
    const double recentlyPlayed = view(w.menus().mnuViewRecentlyPlayed);
    const double sortByTitle = view(w.menus().mnuViewSortByTitle);

    print("finding: one keystroke, 1-letter query, 50000 games (" +
              QString::number(oneLetterMatches) + " listed), list updated",
          oneLetter, "ms", "<= 16");
    print("finding: one keystroke, last letter of a rare query, 50000 games", rare, "ms", "<= 16");
    print("finding: toggle a favourite, 1000 favourites, 50000 games", favourite, "ms", "<= 16");
    print("finding: switch to Favourites Only, 50000 games", favouritesOnly, "ms", "<= 16");
    print("finding: switch to Recently Played, 5000 records, 50000 games", recentlyPlayed, "ms",
          "<= 16");
    print("finding: switch to Sort by Title, 50000 games", sortByTitle, "ms", "<= 16");
    print("finding: Form_Load and show 50000 games, no library, minus the pause", plainStart, "ms");
    print("finding: the same with 5000 play records and 1000 favourites", libraryStart, "ms");
    print("finding: start-up cost of the library", libraryStart - plainStart, "ms", "<= 10");
    QDir::setCurrent(QDir::tempPath());
    return 0;
}

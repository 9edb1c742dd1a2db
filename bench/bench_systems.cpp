// Several systems in one data folder, in this process: switching to a system of 40,000 games
// for the first time (quick start, its cache in place) and back to one visited, each to its
// list drawn; All Systems over five systems of 100,000 games in all, shown, a search
// keystroke in it, and the peak memory with it shown.
#include "BenchSupport.h"

#include "session/GameSession.h"
#include "shell/SystemShelf.h"
#include "shell/frmAllSystems.h"
#include "systems/SystemList.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>

using namespace Bench;

namespace {

constexpr int kRounds = 7;

// A system of `games` varied titles in `folder`, its cache made by its emulator's list as
// start-up makes it, quick start on.
void writeSystem(const AppFolder& data, const QString& folder, int games) {
    QByteArray list = "Fake Emulator 1.0\nUsage: fakeemu -listfull\n\nName         Description\n";
    list.reserve(qsizetype(games) * 40);
    for (int i = 0; i < games; ++i)
        list += GameListEmulator::romName(i).leftJustified(GameListEmulator::romLen).toUtf8() +
                ' ' + variedTitle(i) + '\n';
    data.write(folder + QStringLiteral("/list.txt"), list);
    data.writeScript(folder + QStringLiteral("/emu"), "exec cat list.txt\n");
    data.write(folder + QStringLiteral("/dovrel/dovrel.ini"),
               GameListEmulator::dovrelIni("ShowConfig=0\nQuickStart=1\n"));
    data.write(folder + QStringLiteral("/dovrel/cfgdef.ini"), OptionDefinitions::file(300, 30));
    NoDialogs dialogs;
    GameSession first(data.file(folder));
    first.enterFolder();
    first.readSettings();
    if (!first.generateList(dialogs).ok)
        qFatal("bench_systems: the list of %s was not made", qPrintable(folder));
}

void writeList(const AppFolder& data, const std::vector<int>& games) {
    SystemList list;
    for (size_t i = 0; i < games.size(); ++i) {
        const QString folder = QStringLiteral("s%1").arg(i + 1);
        writeSystem(data, folder, games[i]);
        list.systems.push_back({QStringLiteral("System %1").arg(i + 1), folder});
    }
    if (!SystemLists::write(data.path(), list))
        qFatal("bench_systems: the list of systems was not written");
}

double shownMs(const std::function<void()>& change) {
    return elapsedMs([&] {
        change();
        QCoreApplication::processEvents();
    });
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    NoDialogs dialogs;

    std::vector<double> first, back;
    {
        const AppFolder data;
        writeList(data, {1000, 40000});
        for (int round = 0; round < kRounds; ++round) {
            SystemLists::writeCurrent(data.path(), QStringLiteral("System 1"));
            SystemShelf shelf(data.path(), dialogs);
            if (!shelf.start())
                qFatal("bench_systems: the first system did not start");
            QCoreApplication::processEvents();
            first.push_back(shownMs([&] { shelf.showSystem(1); }));
            back.push_back(shownMs([&] { shelf.showSystem(0); }));
            back.push_back(shownMs([&] { shelf.showSystem(1); }));
        }
    }
    print("systems: switch to a system of 40000 games, first time, to its list drawn",
          median(first), "ms", "<= 150");
    print("systems: switch back to a system visited, to its list drawn", median(back), "ms",
          "<= 50");

    const AppFolder data;
    writeList(data, {20000, 20000, 20000, 20000, 20000});
    SystemShelf shelf(data.path(), dialogs);
    if (!shelf.start())
        qFatal("bench_systems: the first system did not start");
    QCoreApplication::processEvents();
    const double all = shownMs([&] { shelf.toggleAllSystems(); });
    QLineEdit* find = shelf.allSystemsWindow()->txtFind;
    const double oneLetter = changeMs(
        kRounds, [&] { find->clear(); }, [&] { find->setText(QStringLiteral("e")); });
    const double rare = changeMs(
        kRounds, [&] { find->setText(QStringLiteral("cafe tiger 1996")); },
        [&] { find->setText(QStringLiteral("cafe tiger 19967")); });
    const double peak = processFigures().peakMb;
    print("systems: All Systems over 5 systems of 100000 games, shown", all, "ms", "<= 300");
    print("systems: All Systems, one keystroke, 1-letter query", oneLetter, "ms", "<= 15");
    print("systems: All Systems, one keystroke, last letter of a rare query", rare, "ms",
          "<= 15");
    print("systems: peak resident memory with All Systems shown", peak, "MB", "<= 150");
    QDir::setCurrent(QDir::tempPath());
    return 0;
}

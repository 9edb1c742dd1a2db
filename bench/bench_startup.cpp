// Start-up of the real tarvelin program, from the start of its process to its main window
// shown, with a game list emulator that prints 1,000, 10,000 and 50,000 games and an options
// panel of 300 options; and the program's peak resident memory. Then the list drawn: from the
// start of the process to the first paint of the main window with the list's rows, with an
// emulator that prints a MAME-like list of 50,000 games at once or after 0.5 s, in the
// standard start-up and with quick start; and with MAME's own list where MAME is installed.
//
// The program runs on a private X server (Xvfb), the way it runs on a desktop, and the
// benchmark watches that server from outside: the main window is shown when the server maps
// it and drawn when the server sees it painted. Nothing in the program is told that it is
// measured. The same watch over a bare Qt program that shows an empty window gives the part
// of the start that any Qt program pays.
//
// Output: one line per figure, name TAB value TAB unit, and TAB goal where it has one.

#include "BenchSupport.h"
#include "DisplayWatch.h"
#include "PrivateDisplay.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <optional>

namespace {

using namespace Bench;

constexpr int kRounds = 5;
constexpr int kShowTimeoutMs = 30000;
constexpr double kPauseMs = 200; // RunAndWait's fixed pause, part of every start-up
constexpr int kOptions = 300;

struct StartFigures {
    double shownMs = 0;
    double drawnMs = 0;   // the main window's first paint; 0 when the server cannot tell
    double cpuMs = 0;     // on a core, all threads, until the window was shown
    double waitingMs = 0; // the main thread ready but waiting for a core: the machine's load
    double peakMb = 0;
    double idlePercent = -1; // processor use with the list shown and settled, when asked
};

// On-core and run-queue time of a thread, from /proc/<pid>/task/<tid>/schedstat, in ms.
std::pair<double, double> schedTimes(const QString& task) {
    QFile f(task + QStringLiteral("/schedstat"));
    if (!f.open(QIODevice::ReadOnly))
        return {0, 0};
    const QList<QByteArray> fields = f.readAll().trimmed().split(' ');
    return {fields.value(0).toDouble() / 1e6, fields.value(1).toDouble() / 1e6};
}

double processCpuMs(const QString& proc) {
    double total = 0;
    const QStringList tasks =
        QDir(proc + QStringLiteral("/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& task : tasks)
        total += schedTimes(proc + QStringLiteral("/task/") + task).first;
    return total;
}

// Starts a program on the display, times it to its main window mapped and drawn, reads its
// peak memory once it has painted and settled (and, with `idle`, its processor use over two
// seconds after that), and ends it.
std::optional<StartFigures> timeStart(DisplayWatch& watch, const QString& display,
                                      const QString& program, bool idle = false) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    QProcess process;
    process.setProgram(program);
    process.setProcessEnvironment(environment);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    watch.drain();
    const qint64 start = monotonicNs();
    process.start();
    const std::optional<qint64> shown = watch.waitForMapped(kShowTimeoutMs);
    std::optional<StartFigures> figures;
    if (shown) {
        const QString proc = QStringLiteral("/proc/%1").arg(process.processId());
        StartFigures f;
        f.shownMs = double(*shown - start) / 1e6;
        f.waitingMs = schedTimes(proc + QStringLiteral("/task/%1").arg(process.processId())).second;
        f.cpuMs = processCpuMs(proc);
        if (const std::optional<qint64> drawn = watch.waitForDrawn(kShowTimeoutMs))
            f.drawnMs = double(*drawn - start) / 1e6;
        QThread::msleep(300);
        if (idle) {
            QThread::msleep(1500); // a list command in the background has ended by then
            const double before = processCpuMs(proc);
            QThread::msleep(2000);
            f.idlePercent = (processCpuMs(proc) - before) / 2000 * 100;
        }
        f.peakMb = processFigures(process.processId()).peakMb;
        figures = f;
        // A list command that quick start runs in the background is let to end, so that it
        // does not load the machine during the next round.
        for (int waited = 0; waited < 30000 && processFigures(process.processId()).children > 0;
             waited += 50)
            QThread::msleep(50);
    }
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(5000);
    }
    return figures;
}

// An application folder with a copy of tarvelin, the game list emulator, two ROM files of
// three, and 300 options; the missing-ROM filter is on, as it is by default.
void prepare(const AppFolder& app, int games) {
    app.copyProgram(QStringLiteral(TARVELIN_EXE), QStringLiteral("tarvelin"));
    app.writeScript(QStringLiteral("fakeemu"), GameListEmulator::script(games));
    GameListEmulator::writeRoms(app, games);
    app.write(QStringLiteral("dovrel/dovrel.ini"),
              "[Parse]\nWindowCaption=Benchmark\nExeName=fakeemu\nGameListCommand=-listfull\n"
              "GameListStartLine=" +
                  QByteArray::number(GameListEmulator::startLine) +
                  "\nGameListRomLen=" + QByteArray::number(GameListEmulator::romLen) +
                  "\nHelpEndLine=" + QByteArray::number(GameListEmulator::helpEndLine) +
                  "\n[Settings]\nRomPath=\nSendRomPath=1\nRomPathinQuotes=1\nRomExt=.zip\n"
                  "ShowConfig=1\nShowMissingRoms=0\n");
    app.write(QStringLiteral("dovrel/cfgdef.ini"), OptionDefinitions::file(kOptions, 30));
}

// An application folder whose emulator prints a list laid out as MAME's -listfull, every game
// listed (no ROM files), after `delay` seconds; quick start on or off; with `details` each
// line also gives year, manufacturer, parent, status, players and category after a tab. With
// a `folder` ("s1/") the files go there, as one system of the application folder.
void prepareMameLike(const AppFolder& app, int games, const QByteArray& delay, bool quick,
                     bool details = false, const QString& folder = QString()) {
    if (folder.isEmpty())
        app.copyProgram(QStringLiteral(TARVELIN_EXE), QStringLiteral("tarvelin"));
    QByteArray list = "Name:             Description:\n";
    list.reserve(qsizetype(games) * 48);
    for (int i = 0; i < games; ++i) {
        list += QStringLiteral("%1\"Machine number %2 (set %3)\"")
                    .arg(QStringLiteral("m%1").arg(i, 6, 10, QChar(u'0')).leftJustified(18))
                    .arg(i)
                    .arg(i % 7)
                    .toUtf8();
        if (details)
            list += QStringLiteral("\t%1\tMaker %2\t%3\t%4\t%5\tGenre %6")
                        .arg(1975 + i % 40)
                        .arg(i % 900)
                        .arg(i % 3 == 0 ? QString() : QStringLiteral("m%1").arg(i - i % 3, 6, 10, QChar(u'0')))
                        .arg(i % 3 == 2 ? QStringLiteral("preliminary") : QStringLiteral("good"))
                        .arg(i % 4 + 1)
                        .arg(i % 60)
                        .toUtf8();
        list += '\n';
    }
    app.write(folder + QStringLiteral("list.txt"), list);
    app.writeScript(folder + QStringLiteral("fakemame"), "sleep " + delay + "\nexec cat list.txt\n");
    app.write(folder + QStringLiteral("dovrel/dovrel.ini"),
              "[Parse]\nWindowCaption=Benchmark\nExeName=fakemame\nGameListCommand=-listfull\n"
              "GameListStartLine=0\nGameListRomLen=18\nHelpEndLine=0\nRomNameEndsAtBlank=1\n"
              "UnquoteDescriptions=1\n" +
                  QByteArray(details ? "DetailFields=Year;Manufacturer;Parent;Status;Players;"
                                       "Category\n"
                                     : "") +
                  "[Settings]\nRomPath=roms/\nSendRomPath=0\n"
              "RomPathinQuotes=0\nRomExt=.zip\nShowConfig=1\nShowMissingRoms=1\nQuickStart=" +
                  QByteArray(quick ? "1" : "0") + "\n");
    app.write(folder + QStringLiteral("dovrel/cfgdef.ini"), OptionDefinitions::file(kOptions, 30));
}

// The MAME preset as it is shipped, with quick start on or off.
void prepareMame(const AppFolder& app, bool quick) {
    app.copyProgram(QStringLiteral(TARVELIN_EXE), QStringLiteral("tarvelin"));
    QFile preset(QStringLiteral(MAME_PRESET_DIR "/dovrel.ini"));
    QFile options(QStringLiteral(MAME_PRESET_DIR "/cfgdef.ini"));
    if (!preset.open(QIODevice::ReadOnly) || !options.open(QIODevice::ReadOnly))
        qFatal("bench_startup: the MAME preset cannot be read");
    app.write(QStringLiteral("dovrel/dovrel.ini"),
              preset.readAll() + (quick ? "QuickStart=1\n" : "QuickStart=0\n"));
    app.write(QStringLiteral("dovrel/cfgdef.ini"), options.readAll());
    // Tarvelin runs the emulator from its own folder, as the preset's README says to set up.
    QFile::link(QStringLiteral("/usr/games/mame"), app.file(QStringLiteral("mame")));
}

std::optional<StartFigures> medianStart(DisplayWatch& watch, const QString& display,
                                        const QString& program, int rounds = kRounds) {
    // The first start fills the file cache, writes the default profile and the game list
    // cache; it is not counted.
    if (!timeStart(watch, display, program))
        return std::nullopt;
    std::vector<double> shown, drawn, cpu, waiting, peak;
    for (int round = 0; round < rounds; ++round) {
        const std::optional<StartFigures> f = timeStart(watch, display, program);
        if (!f)
            return std::nullopt;
        shown.push_back(f->shownMs);
        drawn.push_back(f->drawnMs);
        cpu.push_back(f->cpuMs);
        waiting.push_back(f->waitingMs);
        peak.push_back(f->peakMb);
    }
    return StartFigures{median(shown), median(drawn), median(cpu), median(waiting), median(peak),
                        -1};
}

// The median time to the list drawn; nullopt when it was never drawn.
std::optional<double> printListDrawn(DisplayWatch& watch, const QString& display,
                                     const QString& program, const QString& name,
                                     const QString& goal, int rounds = kRounds,
                                     const QString& memoryGoal = QStringLiteral("<= 80 MB")) {
    const std::optional<StartFigures> f = medianStart(watch, display, program, rounds);
    const std::optional<StartFigures> settled = timeStart(watch, display, program, true);
    if (!f || !settled || f->drawnMs <= 0) {
        qWarning("bench_startup: no list drawn for %s", qPrintable(name));
        return std::nullopt;
    }
    print(name + ", process start to list drawn", f->drawnMs, "ms", goal);
    print(name + ", peak resident memory", f->peakMb, "MB", memoryGoal);
    print(name + ", processor use with the list shown", settled->idlePercent, "%",
          QStringLiteral("0 %"));
    return f->drawnMs;
}

// Quick start on 50,000 games with details against the same list without them.
void detailsFigures(DisplayWatch& watch, const QString& display) {
    std::optional<double> drawn[2];
    for (const bool details : {false, true}) {
        const AppFolder app;
        prepareMameLike(app, 50000, "0", true, details);
        drawn[details] = printListDrawn(
            watch, display, app.file(QStringLiteral("tarvelin")),
            QStringLiteral("quick start, 50000 MAME-like games ") +
                (details ? QStringLiteral("with details") : QStringLiteral("without details")) +
                QStringLiteral(" (same run)"),
            QString(), kRounds, details ? QStringLiteral("<= 90 MB") : QStringLiteral("<= 80 MB"));
    }
    if (drawn[0] && drawn[1])
        print("quick start, 50000 MAME-like games: list drawn with details above without",
              *drawn[1] - *drawn[0], "ms", QStringLiteral("<= 20"));
}

// Quick start on 50,000 games as the one system of its folder, and as the first of five
// systems (the others of 1,000 games each), which start-up must not wait for.
void systemsFigures(DisplayWatch& watch, const QString& display) {
    std::optional<double> drawn[2];
    for (const bool five : {false, true}) {
        const AppFolder app;
        if (five) {
            app.copyProgram(QStringLiteral(TARVELIN_EXE), QStringLiteral("tarvelin"));
            QByteArray list = "[Systems]\nCount=5\n";
            for (int i = 1; i <= 5; ++i) {
                const QByteArray n = QByteArray::number(i);
                list += "Name" + n + "=System " + n + "\nFolder" + n + "=s" + n + "\n";
                prepareMameLike(app, i == 1 ? 50000 : 1000, "0", true, false,
                                QStringLiteral("s%1/").arg(i));
            }
            app.write(QStringLiteral("dovrel/systems.ini"), list);
        } else {
            prepareMameLike(app, 50000, "0", true);
        }
        drawn[five] = printListDrawn(watch, display, app.file(QStringLiteral("tarvelin")),
                                     five ? QStringLiteral("quick start, 50000 games, the first "
                                                           "of 5 systems (same run)")
                                          : QStringLiteral("quick start, 50000 games, one "
                                                           "system (same run)"),
                                     QString());
    }
    if (drawn[0] && drawn[1])
        print("quick start, 50000 games: list drawn with 5 systems above one", *drawn[1] - *drawn[0],
              "ms", QStringLiteral("<= 10"));
}

void listDrawnFigures(DisplayWatch& watch, const QString& display) {
    if (!watch.seesDrawing()) {
        qWarning("bench_startup: the display reports no drawing; list drawn figures skipped");
        return;
    }
    for (const bool quick : {false, true}) {
        for (const QByteArray& delay : {QByteArray("0"), QByteArray("0.5")}) {
            const AppFolder app;
            prepareMameLike(app, 50000, delay, quick);
            const QString emulator = delay == "0" ? QStringLiteral("emulator answering at once")
                                                  : QStringLiteral("emulator answering after 0.5 s");
            QString goal;
            if (quick)
                goal = QStringLiteral("<= 150 ms");
            else if (delay == "0")
                goal = QStringLiteral("<= 350 ms");
            printListDrawn(watch, display, app.file(QStringLiteral("tarvelin")),
                           (quick ? QStringLiteral("quick start") : QStringLiteral("standard start-up")) +
                               QStringLiteral(", 50000 MAME-like games, ") + emulator,
                           goal);
        }
    }
    detailsFigures(watch, display);
    systemsFigures(watch, display);
    if (!QFileInfo::exists(QStringLiteral("/usr/games/mame"))) {
        qWarning("bench_startup: MAME is not installed; its list drawn figures skipped");
        return;
    }
    for (const bool quick : {false, true}) {
        const AppFolder app;
        prepareMame(app, quick);
        printListDrawn(watch, display, app.file(QStringLiteral("tarvelin")),
                       quick ? QStringLiteral("quick start, MAME preset, MAME's own list")
                             : QStringLiteral("standard start-up, MAME preset, MAME's own list"),
                       QString(), 3);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const PrivateDisplay display;
    if (display.name().isEmpty()) {
        qWarning("bench_startup: no Xvfb display; start-up figures skipped");
        return 0;
    }
    DisplayWatch watch(display.name());
    if (!watch.ok()) {
        qWarning("bench_startup: cannot watch the display; start-up figures skipped");
        return 0;
    }
    const std::optional<StartFigures> bare =
        medianStart(watch, display.name(), QStringLiteral(BARE_QT_WINDOW_EXE));
    if (bare) {
        print("start-up: bare Qt program, process start to empty window shown", bare->shownMs,
              "ms");
        print("start-up: bare Qt program, processor time until shown", bare->cpuMs, "ms");
    }

    std::vector<std::pair<int, double>> work; // games, start-up minus the pause
    for (int games : {1000, 10000, 50000}) {
        const AppFolder app;
        prepare(app, games);
        const std::optional<StartFigures> f =
            medianStart(watch, display.name(), app.file(QStringLiteral("tarvelin")));
        if (!f) {
            qWarning("bench_startup: tarvelin showed no window with %d games", games);
            continue;
        }
        const QString n = QString::number(games);
        const QString goal = games == 50000 ? QStringLiteral("<= 150 ms") : QString();
        print("start-up " + n + " games, process start to window shown", f->shownMs, "ms");
        print("start-up " + n + " games, minus the 200 ms pause", f->shownMs - kPauseMs, "ms",
              goal);
        print("start-up " + n + " games, processor time until shown", f->cpuMs, "ms");
        // Time the process was ready to run but the machine's other work held the cores.
        print("start-up " + n + " games, waiting for a busy core", f->waitingMs, "ms");
        print("start-up " + n + " games, minus the pause and the waiting for a core",
              f->shownMs - kPauseMs - f->waitingMs, "ms", goal);
        if (bare)
            print("start-up " + n + " games, minus the pause and the bare Qt start",
                  f->shownMs - kPauseMs - bare->shownMs, "ms");
        print("peak resident memory, " + n + " games, 300 options", f->peakMb, "MB",
              games == 50000 ? QStringLiteral("<= 80 MB") : QString());
        work.emplace_back(games, f->shownMs - kPauseMs);
    }
    listDrawnFigures(watch, display.name());
    if (work.size() == 3) {
        // Linear growth costs the same per game from 1,000 to 10,000 as from 10,000 to 50,000.
        const double low = (work[1].second - work[0].second) / (work[1].first - work[0].first);
        const double high = (work[2].second - work[1].second) / (work[2].first - work[1].first);
        print("start-up growth per 1000 games, 1000 to 10000", low * 1000, "ms");
        print("start-up growth per 1000 games, 10000 to 50000", high * 1000, "ms");
    }
    return 0;
}

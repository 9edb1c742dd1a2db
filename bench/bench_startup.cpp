// Start-up of the real tarvelin program, from the start of its process to its main window
// shown, with a game list emulator that prints 1,000, 10,000 and 50,000 games and an options
// panel of 300 options; and the program's peak resident memory.
//
// The program runs on a private X server (Xvfb), the way it runs on a desktop, and the
// benchmark watches that server from outside: the main window is shown when the server maps
// it. Nothing in the program is told that it is measured. The same watch over a bare Qt
// program that shows an empty window gives the part of the start that any Qt program pays.
//
// Output: one line per figure, name TAB value TAB unit, and TAB goal where it has one.

#include "BenchSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <optional>

#include <poll.h>
#include <xcb/xcb.h>

namespace {

using namespace Bench;

constexpr int kRounds = 5;
constexpr int kShowTimeoutMs = 30000;
constexpr double kPauseMs = 200; // RunAndWait's fixed pause, part of every start-up
constexpr int kOptions = 300;

// A private X server on a free display, ended with the benchmark.
class PrivateDisplay {
public:
    PrivateDisplay() {
        m_server.setProgram(QStringLiteral("Xvfb"));
        // -displayfd picks a free display and prints its number once the server is ready.
        m_server.setArguments({QStringLiteral("-displayfd"), QStringLiteral("1"),
                               QStringLiteral("-screen"), QStringLiteral("0"),
                               QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                               QStringLiteral("tcp")});
        m_server.setStandardErrorFile(QProcess::nullDevice());
        m_server.start();
        if (!m_server.waitForStarted(5000))
            return;
        QByteArray number;
        while (!number.contains('\n') && m_server.waitForReadyRead(10000))
            number += m_server.readAllStandardOutput();
        if (number.trimmed().isEmpty())
            return;
        m_name = u':' + QString::fromLatin1(number.trimmed());
    }
    ~PrivateDisplay() {
        if (m_server.state() != QProcess::NotRunning) {
            m_server.terminate();
            m_server.waitForFinished(5000);
        }
    }
    QString name() const { return m_name; }

private:
    QProcess m_server;
    QString m_name;
};

// Hears the server map top-level windows.
class MapWatch {
public:
    explicit MapWatch(const QString& display) {
        int screenNumber = 0;
        m_connection = xcb_connect(display.toLatin1().constData(), &screenNumber);
        if (xcb_connection_has_error(m_connection))
            return;
        xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
        for (int i = 0; i < screenNumber && it.rem; ++i)
            xcb_screen_next(&it);
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, it.data->root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_connection);
        m_ok = true;
    }
    ~MapWatch() { xcb_disconnect(m_connection); }
    bool ok() const { return m_ok; }

    // Forgets the events of earlier rounds.
    void drain() {
        while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection))
            free(event);
    }

    // The monotonic time at which the next ordinary top-level window was mapped.
    std::optional<qint64> waitForMap(int timeoutMs) {
        const qint64 deadline = monotonicNs() + qint64(timeoutMs) * 1000000;
        for (;;) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
                const qint64 now = monotonicNs();
                const bool mapped =
                    (event->response_type & 0x7f) == XCB_MAP_NOTIFY &&
                    !reinterpret_cast<xcb_map_notify_event_t*>(event)->override_redirect;
                free(event);
                if (mapped)
                    return now;
            }
            const qint64 left = (deadline - monotonicNs()) / 1000000;
            if (left <= 0 || xcb_connection_has_error(m_connection))
                return std::nullopt;
            pollfd fd{xcb_get_file_descriptor(m_connection), POLLIN, 0};
            poll(&fd, 1, int(left));
        }
    }

private:
    xcb_connection_t* m_connection = nullptr;
    bool m_ok = false;
};

struct StartFigures {
    double shownMs = 0;
    double cpuMs = 0;     // on a core, all threads, until the window was shown
    double waitingMs = 0; // the main thread ready but waiting for a core: the machine's load
    double peakMb = 0;
};

// On-core and run-queue time of a thread, from /proc/<pid>/task/<tid>/schedstat, in ms.
std::pair<double, double> schedTimes(const QString& task) {
    QFile f(task + QStringLiteral("/schedstat"));
    if (!f.open(QIODevice::ReadOnly))
        return {0, 0};
    const QList<QByteArray> fields = f.readAll().trimmed().split(' ');
    return {fields.value(0).toDouble() / 1e6, fields.value(1).toDouble() / 1e6};
}

// Starts a program on the display, times it to its first mapped window, reads its peak
// memory once it has painted and settled, and ends it.
std::optional<StartFigures> timeStart(MapWatch& watch, const QString& display,
                                      const QString& program) {
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
    const std::optional<qint64> shown = watch.waitForMap(kShowTimeoutMs);
    std::optional<StartFigures> figures;
    if (shown) {
        const QString proc = QStringLiteral("/proc/%1").arg(process.processId());
        StartFigures f;
        f.shownMs = double(*shown - start) / 1e6;
        f.waitingMs = schedTimes(proc + QStringLiteral("/task/%1").arg(process.processId())).second;
        const QStringList tasks =
            QDir(proc + QStringLiteral("/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QString& task : tasks)
            f.cpuMs += schedTimes(proc + QStringLiteral("/task/") + task).first;
        QThread::msleep(300);
        f.peakMb = processFigures(process.processId()).peakMb;
        figures = f;
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

std::optional<StartFigures> medianStart(MapWatch& watch, const QString& display,
                                        const QString& program) {
    // The first start fills the file cache and writes the default profile; it is not counted.
    if (!timeStart(watch, display, program))
        return std::nullopt;
    std::vector<double> shown, cpu, waiting, peak;
    for (int round = 0; round < kRounds; ++round) {
        const std::optional<StartFigures> f = timeStart(watch, display, program);
        if (!f)
            return std::nullopt;
        shown.push_back(f->shownMs);
        cpu.push_back(f->cpuMs);
        waiting.push_back(f->waitingMs);
        peak.push_back(f->peakMb);
    }
    return StartFigures{median(shown), median(cpu), median(waiting), median(peak)};
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const PrivateDisplay display;
    if (display.name().isEmpty()) {
        qWarning("bench_startup: no Xvfb display; start-up figures skipped");
        return 0;
    }
    MapWatch watch(display.name());
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
    if (work.size() == 3) {
        // Linear growth costs the same per game from 1,000 to 10,000 as from 10,000 to 50,000.
        const double low = (work[1].second - work[0].second) / (work[1].first - work[0].first);
        const double high = (work[2].second - work[1].second) / (work[2].first - work[1].first);
        print("start-up growth per 1000 games, 1000 to 10000", low * 1000, "ms");
        print("start-up growth per 1000 games, 10000 to 50000", high * 1000, "ms");
    }
    return 0;
}

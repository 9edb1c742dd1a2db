// Game controllers: the processor time at rest with a (virtual) controller attached, the time
// from a button press to the selection moved and drawn, and start-up with controller support
// against start-up without. For comparison, what SDL's own wait (SDL_WaitEventTimeout) and a
// pump every 10 ms cost at rest on this machine.
//
// The controller is SDL's virtual joystick. Being no device file, it wakes the reader by its
// nudge, where a real controller's device file wakes it by becoming readable; both end the
// same poll() and the same pump follows.
//
// Output: one line per figure, name TAB value TAB unit, and TAB goal where it has one.
#include "BenchSupport.h"
#include "BenchWindow.h"

#include "controllers/ControllerReader.h"
#include "gamelist/ui/GameListBox.h"
#include "session/GameSession.h"
#include "shell/PadControl.h"
#include "shell/frmMain.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QThread>
#include <QTimer>

#include <SDL.h>

#include <atomic>
#include <optional>
#include <thread>

#include <unistd.h>

#include "common/VirtualPad.h"

using namespace Bench;

namespace {

constexpr int kGames = 2000;
constexpr int kRounds = 15;
constexpr int kPresses = 30;
constexpr int kIdleMs = 5000;
constexpr double kPauseMs = 200; // RunAndWait's fixed pause after the list command starts

void runEventsFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void runEventsUntil(const std::function<bool()>& done) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
}

// utime + stime of this process from /proc/self/stat, in ms: the figure `top` shows.
double statCpuMs() {
    QFile f(QStringLiteral("/proc/self/stat"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray line = f.readAll();
    // Fields after the command name, which may hold blanks, in parentheses.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    const double ticks = fields.value(11).toDouble() + fields.value(12).toDouble();
    return ticks * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

// How often the reader's thread has slept and woken so far (voluntary context switches).
long readerWakeUps() {
    const QStringList tasks = QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& task : tasks) {
        QFile comm(QStringLiteral("/proc/self/task/%1/comm").arg(task));
        if (!comm.open(QIODevice::ReadOnly) || comm.readAll().trimmed() != "controllers")
            continue;
        QFile status(QStringLiteral("/proc/self/task/%1/status").arg(task));
        if (!status.open(QIODevice::ReadOnly))
            return -1;
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("voluntary_ctxt_switches:"))
                return line.mid(line.indexOf(':') + 1).trimmed().toLong();
    }
    return -1;
}

struct Idle {
    double statPercent = 0;
    double precisePercent = 0;
};

// The processor time the whole process takes while its event loop waits for `ms`.
Idle idleFor(int ms, const std::function<void()>& wait) {
    const double stat0 = statCpuMs();
    const double cpu0 = cpuMs();
    wait();
    return {(statCpuMs() - stat0) * 100.0 / ms, (cpuMs() - cpu0) * 100.0 / ms};
}

struct StartUps {
    double without = 0;
    double with = 0;
    double enable = 0; // enableControllers() itself, on the window's thread
};

// Start-up without and with controller support, in turns, so that a load that comes and goes
// on the machine weighs on both alike.
StartUps startUpMs(const QString& appDir, NoDialogs& dialogs) {
    std::vector<double> times[2];
    std::vector<double> enables;
    for (int round = 0; round <= 2 * kRounds + 1; ++round) {
        const bool controllers = round % 2 == 1;
        GameSession state(appDir);
        std::optional<frmMain> w;
        const double ms = elapsedMs([&] {
            w.emplace(state, dialogs);
            if (!w->Form_Load())
                qFatal("Form_Load failed");
            if (controllers)
                enables.push_back(elapsedMs([&] { w->enableControllers(); }));
            w->show();
            QCoreApplication::processEvents();
        });
        if (controllers && !w->padControl())
            qFatal("controller support is off");
        if (round > 1)
            times[controllers].push_back(ms - kPauseMs);
    }
    return {median(times[0]), median(times[1]), median(enables)};
}

// Paint events of a widget, counted.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget* w) { w->installEventFilter(this); }
    qint64 lastPaintNs = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            lastPaintNs = monotonicNs();
        return false;
    }
};

// SDL alone, on a thread as the reader would run it, waiting the way named.
double sdlWaitPercent(bool sdlOwnWait) {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_Init(SDL_INIT_GAMECONTROLLER | SDL_INIT_EVENTS) != 0)
        return -1;
    SDL_VirtualJoystickDesc desc;
    SDL_zero(desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    SDL_GameController* pad = SDL_GameControllerOpen(SDL_JoystickAttachVirtualEx(&desc));
    std::atomic<bool> stop{false};
    const double cpu0 = cpuMs();
    std::thread waiter([&] {
        SDL_Event event;
        while (!stop) {
            if (sdlOwnWait) {
                SDL_WaitEventTimeout(&event, 1000);
            } else {
                SDL_PumpEvents();
                while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
                }
                SDL_Delay(10);
            }
        }
    });
    QThread::msleep(kIdleMs);
    stop = true;
    waiter.join();
    const double percent = (cpuMs() - cpu0) * 100.0 / kIdleMs;
    SDL_GameControllerClose(pad);
    SDL_Quit();
    return percent;
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
    const StartUps startUps = startUpMs(app.path(), dialogs);
    const double without = startUps.without;
    const double with = startUps.with;

    GameSession state(app.path());
    frmMain w(state, dialogs);
    w.Form_Load();
    w.show();
    runEventsFor(1000);
    const Idle idleWithout = idleFor(kIdleMs, [] { runEventsFor(kIdleMs); });

    QElapsedTimer ready;
    ready.start();
    w.enableControllers();
    ControllerReader& reader = w.padControl()->navigator().reader();
    runEventsUntil([&] { return reader.isReady(); });
    const double readyMs = double(ready.nsecsElapsed()) / 1e6;
    VirtualPad pad(reader);
    if (!pad.waitUntilOpen())
        qFatal("the virtual controller did not open");
    runEventsFor(1000);
    const long wakeUps0 = readerWakeUps();
    const Idle idleWith = idleFor(kIdleMs, [] { runEventsFor(kIdleMs); });
    const long wakeUps = readerWakeUps() - wakeUps0;

    // A press of Down to the selection moved, and to the list drawn with it.
    PaintWatch paints(w.lstGames->viewport());
    SDL_Joystick* joystick = nullptr;
    for (int i = 0; i < SDL_NumJoysticks() && !joystick; ++i)
        joystick = SDL_JoystickFromInstanceID(SDL_JoystickGetDeviceInstanceID(i));
    std::vector<double> moved, drawn;
    qint64 movedNs = 0;
    QObject::connect(w.lstGames, &GameListBox::currentRowChanged, [&] { movedNs = monotonicNs(); });
    for (int i = 0; i < kPresses; ++i) {
        const int row = w.lstGames->currentRow();
        movedNs = 0;
        const qint64 start = monotonicNs();
        SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_DPAD_DOWN, 1);
        reader.nudge();
        runEventsUntil([&] { return w.lstGames->currentRow() != row && paints.lastPaintNs > movedNs && movedNs > 0; });
        moved.push_back(double(movedNs - start) / 1e6);
        drawn.push_back(double(paints.lastPaintNs - start) / 1e6);
        SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_DPAD_DOWN, 0);
        reader.nudge();
        runEventsUntil([&] { return !w.padControl()->navigator().repeating(); });
        runEventsFor(20);
    }
    pad.unplug();
    w.close();

    print("controllers: processor at rest, window shown, no controller support, 5 s (/proc stat)",
          idleWithout.statPercent, "%");
    print("controllers: processor at rest, virtual controller attached, 5 s (/proc stat)",
          idleWith.statPercent, "%", "0.0");
    print("controllers: the same, getrusage (microseconds)", idleWith.precisePercent, "%", "0.0");
    print("controllers: the same without controller support, getrusage", idleWithout.precisePercent,
          "%");
    print("controllers: the reader thread's wake-ups in those 5 s", double(wakeUps), "count", "0");
    print("controllers: press of Down to the selection moved, median of 30", median(moved), "ms",
          "<= 20");
    print("controllers: press of Down to the list drawn, median of 30", median(drawn), "ms",
          "<= 20");
    print("controllers: Form_Load and show 2000 games, 300 options, without controller support",
          without, "ms");
    print("controllers: the same with controller support", with, "ms");
    print("controllers: start-up cost of controller support", with - without, "ms", "<= 10");
    print("controllers: enableControllers on the window's thread (the reader's thread started)",
          startUps.enable, "ms");
    print("controllers: SDL ready on the reader's thread after enableControllers", readyMs, "ms");
    QDir::setCurrent(QDir::tempPath());
    print("controllers: for comparison, SDL_WaitEventTimeout at rest with a controller, 5 s",
          sdlWaitPercent(true), "%");
    print("controllers: for comparison, a pump every 10 ms at rest with a controller, 5 s",
          sdlWaitPercent(false), "%");
    return 0;
}

#include "controllers/ControllerReader.h"

#include "controllers/AxisButtons.h"
#include "controllers/DeviceWait.h"
#include "controllers/SdlInputs.h"

#include <SDL.h>

#ifdef Q_OS_LINUX
#include <pthread.h>
#endif

#include <algorithm>
#include <array>
#include <map>

namespace {

// After a device appears, SDL may see it only once the system has set it up (udev sets its
// permissions after the file exists): the thread looks again at these pauses, then rests.
constexpr std::array<int, 5> kFollowUpMs = {50, 200, 500, 1000, 2000};
// A controller whose device file cannot be watched is looked at this often: the one case
// that costs some processor time at rest, and the wait for a move stays below 20 ms.
constexpr int kUnwatchedPumpMs = 10;
// SDL holds back the let-go of a Guide button pressed briefly (some pads send the pair at
// once) and sends it from a later pump: from a Guide press to its let-go, the thread looks
// this often.
constexpr int kGuideReleaseMs = 300;

constexpr std::array<SDL_GameControllerAxis, 4> kAxes = {
    SDL_CONTROLLER_AXIS_LEFTX, SDL_CONTROLLER_AXIS_LEFTY, SDL_CONTROLLER_AXIS_TRIGGERLEFT,
    SDL_CONTROLLER_AXIS_TRIGGERRIGHT};

} // namespace

// The controllers open on the thread, by SDL instance id. Touched by the thread alone.
struct ControllerReader::Controllers {
    struct Open {
        SDL_GameController* controller = nullptr;
        QByteArray path; // the device file watched; empty for a virtual one
        bool watched = false;
        AxisButtons axes;
    };
    std::map<SDL_JoystickID, Open> open;

    bool unwatchedPresent() const {
        for (const auto& [id, c] : open)
            if (!c.watched)
                return true;
        return false;
    }

    // Opens what SDL lists and is not open yet, closes what has gone.
    void reconcile(DeviceWait& wait) {
        for (int i = 0; i < SDL_NumJoysticks(); ++i) {
            const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(i);
            if (!SDL_IsGameController(i) || open.count(id))
                continue;
            SDL_GameController* controller = SDL_GameControllerOpen(i);
            if (!controller)
                continue;
            Open c;
            c.controller = controller;
            if (SDL_JoystickIsVirtual(i)) {
                c.watched = true; // woken by nudge()
            } else if (const char* path = SDL_JoystickPathForIndex(i)) {
                c.path = path;
                c.watched = wait.watch(c.path);
            }
            seed(c);
            open.emplace(id, std::move(c));
        }
        for (auto it = open.begin(); it != open.end();) {
            if (SDL_GameControllerGetAttached(it->second.controller)) {
                ++it;
                continue;
            }
            if (!it->second.path.isEmpty())
                wait.unwatch(it->second.path);
            SDL_GameControllerClose(it->second.controller);
            it = open.erase(it);
        }
    }

    // The sticks as they stand count as the rest position: held ones move nothing until let go.
    static void seed(Open& c) {
        for (SDL_GameControllerAxis axis : kAxes)
            if (const auto ours = SdlInputs::forAxis(axis))
                c.axes.seed(*ours, SDL_GameControllerGetAxis(c.controller, axis));
    }

    void seedAll() {
        for (auto& [id, c] : open)
            seed(c);
    }

    void closeAll() {
        for (auto& [id, c] : open)
            SDL_GameControllerClose(c.controller);
        open.clear();
    }
};

ControllerReader::ControllerReader(QObject* parent)
    : QObject(parent), m_wait(std::make_unique<DeviceWait>()) {}

ControllerReader::~ControllerReader() {
    m_stop = true;
    nudge();
    if (m_thread.joinable())
        m_thread.join();
}

void ControllerReader::start() {
    if (!m_thread.joinable())
        m_thread = std::thread([this] { run(); });
}

void ControllerReader::pause() {
    m_paused = true;
    ++m_generation;
    nudge();
}

void ControllerReader::resume() {
    ++m_generation;
    m_flush = true;
    m_paused = false;
    nudge();
}

void ControllerReader::nudge() {
    m_wait->nudge();
}

void ControllerReader::run() {
#ifdef Q_OS_LINUX
    // Named for top and /proc, where one can see it sleep.
    pthread_setname_np(pthread_self(), "controllers");
#endif
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    const bool ok = SDL_Init(SDL_INIT_GAMECONTROLLER | SDL_INIT_EVENTS) == 0;
    m_ready = ok;
    emit ready(ok);
    if (!ok)
        return;

    Controllers controllers;
    quint64 generation = m_generation;
    // SDL_Init has just looked at every device: the looks again wait for a hot-plug.
    std::size_t followUps = kFollowUpMs.size();
    bool reconcile = true;
    bool guideDown = false;
    while (!m_stop) {
        if (m_paused) {
            m_wait->waitForNudge();
            continue;
        }
        if (m_flush) {
            // What the emulator's player pressed is not for the window: gone, and a stick
            // still held counts as at rest.
            SDL_PumpEvents();
            SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
            generation = m_generation;
            reconcile = true;
            controllers.seedAll();
            guideDown = false;
            followUps = 0; // a controller plugged in during the game may still be settling
            m_flush = false;
        }

        SDL_PumpEvents();
        SDL_Event event;
        while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
            switch (event.type) {
            case SDL_CONTROLLERDEVICEADDED:
            case SDL_CONTROLLERDEVICEREMOVED:
            case SDL_JOYDEVICEADDED:
            case SDL_JOYDEVICEREMOVED:
                reconcile = true;
                break;
            case SDL_CONTROLLERBUTTONDOWN:
            case SDL_CONTROLLERBUTTONUP:
                if (const auto input = SdlInputs::forButton(event.cbutton.button))
                    emit inputChanged(*input, event.type == SDL_CONTROLLERBUTTONDOWN, generation);
                if (event.cbutton.button == SDL_CONTROLLER_BUTTON_GUIDE)
                    guideDown = event.type == SDL_CONTROLLERBUTTONDOWN;
                break;
            case SDL_CONTROLLERAXISMOTION: {
                const auto it = controllers.open.find(event.caxis.which);
                const auto axis = SdlInputs::forAxis(event.caxis.axis);
                if (it == controllers.open.end() || !axis)
                    break;
                for (const AxisButtons::Change& change : it->second.axes.set(*axis, event.caxis.value))
                    emit inputChanged(change.input, change.pressed, generation);
                break;
            }
            default:
                break;
            }
        }
        if (reconcile) {
            reconcile = false;
            const int before = m_count;
            controllers.reconcile(*m_wait);
            m_count = static_cast<int>(controllers.open.size());
            if (m_count != before)
                emit controllersChanged(m_count);
        }

        int timeoutMs = -1;
        if (controllers.unwatchedPresent())
            timeoutMs = kUnwatchedPumpMs;
        else if (followUps < kFollowUpMs.size())
            timeoutMs = kFollowUpMs[followUps];
        if (guideDown)
            timeoutMs = timeoutMs < 0 ? kGuideReleaseMs : std::min(timeoutMs, kGuideReleaseMs);
        const DeviceWait::Woken woken = m_wait->wait(timeoutMs);
        if (woken.hotplug)
            followUps = 0;
        else if (!woken.any() && followUps < kFollowUpMs.size())
            ++followUps;
    }
    controllers.closeAll();
    SDL_Quit();
}

#pragma once

#include "controllers/PadInput.h"

#include <QObject>

#include <atomic>
#include <memory>
#include <thread>

class DeviceWait;

// Reads every game controller that SDL knows, plugged in before or after the start, on a
// thread of its own that sleeps until a controller has something to say (see DeviceWait):
// at rest it costs no processor time. SDL runs without video and without signal handlers,
// so it leaves the window system and the process' signals to Qt.
//
// Inputs reach the window's thread as queued signals, each with the generation it was read
// in. pause() and resume() start new generations: what was read before, still on its way in
// the window's event queue, is recognised as old and dropped; what SDL queued meanwhile is
// flushed on resume.
class ControllerReader : public QObject {
    Q_OBJECT
public:
    explicit ControllerReader(QObject* parent = nullptr);
    ~ControllerReader() override; // stops the thread, closes the controllers, quits SDL

    // Starts the thread; ready() follows once SDL is initialised (or could not be).
    void start();
    bool isReady() const { return m_ready; }
    // While the emulator has the controllers: nothing is read until resume().
    void pause();
    void resume();
    bool paused() const { return m_paused; }
    // From resume() until what was queued meanwhile has been flushed: a button pressed in
    // between is flushed with it.
    bool resuming() const { return m_flush; }
    quint64 generation() const { return m_generation; }
    int controllerCount() const { return m_count; }
    // Wakes the thread to look at SDL now. A virtual controller has no device file to wake it:
    // whoever changes one calls this.
    void nudge();

signals:
    void ready(bool ok);
    void inputChanged(Pad::Input input, bool pressed, quint64 generation);
    void controllersChanged(int count);

private:
    struct Controllers;
    void run();

    std::unique_ptr<DeviceWait> m_wait;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_paused{false};
    std::atomic<bool> m_flush{false};
    std::atomic<bool> m_ready{false};
    std::atomic<quint64> m_generation{1};
    std::atomic<int> m_count{0};
};

#pragma once

#include <QByteArray>
#include <QString>

#include <map>

// Blocks a thread until a controller may have something to say, so that nobody polls SDL while
// the controllers rest: a device file that SDL reads has become readable (the reader opens its
// own descriptor of it; every reader of an input device gets every event), a device appeared in
// or left the hot-plug folder, or nudge() was called (from any thread). SDL is pumped after
// each wake-up and never in between.
class DeviceWait {
public:
    explicit DeviceWait(const QString& hotplugFolder = QStringLiteral("/dev/input"));
    ~DeviceWait();
    DeviceWait(const DeviceWait&) = delete;
    DeviceWait& operator=(const DeviceWait&) = delete;

    // Whether waiting can block at all here; without it the caller paces its own pumps.
    bool blocks() const { return m_nudgeRead >= 0; }
    // Watches a device file; false when it cannot be opened for reading.
    bool watch(const QByteArray& path);
    void unwatch(const QByteArray& path);
    int watchedCount() const { return static_cast<int>(m_devices.size()); }

    void nudge();

    struct Woken {
        bool nudged = false;
        bool device = false;
        bool hotplug = false;
        bool any() const { return nudged || device || hotplug; }
    };
    // Waits up to `timeoutMs` (-1: for ever) and takes in what woke it: the nudges, the bytes
    // of the device files, the folder's changes.
    Woken wait(int timeoutMs);
    // Waits for a nudge alone, leaving the devices' bytes and the folder's changes where they
    // are: for a thread that must not read the controllers for now.
    void waitForNudge();

private:
    int m_nudgeRead = -1;
    int m_nudgeWrite = -1;
    int m_hotplug = -1;
    std::map<QByteArray, int> m_devices;
};

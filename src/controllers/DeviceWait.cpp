#include "controllers/DeviceWait.h"

#include <QThread>

#include <algorithm>
#include <vector>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <sys/inotify.h>
#endif

namespace {

#ifdef Q_OS_UNIX
// Reads a descriptor until it would block: what woke the wait is then taken in.
void drain(int fd) {
    char buffer[4096];
    while (::read(fd, buffer, sizeof buffer) > 0) {
    }
}
#endif

} // namespace

DeviceWait::DeviceWait([[maybe_unused]] const QString& hotplugFolder) {
#ifdef Q_OS_UNIX
    int fds[2];
    if (::pipe(fds) == 0) {
        for (int fd : fds) {
            ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
            ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        }
        m_nudgeRead = fds[0];
        m_nudgeWrite = fds[1];
    }
#endif
#ifdef Q_OS_LINUX
    m_hotplug = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    // A machine without the folder (a container, a build server) has no devices to plug in.
    if (m_hotplug >= 0 &&
        ::inotify_add_watch(m_hotplug, hotplugFolder.toLocal8Bit().constData(),
                            IN_CREATE | IN_DELETE | IN_ATTRIB | IN_MOVED_TO | IN_MOVED_FROM) < 0) {
        ::close(m_hotplug);
        m_hotplug = -1;
    }
#endif
}

DeviceWait::~DeviceWait() {
#ifdef Q_OS_UNIX
    for (const auto& [path, fd] : m_devices)
        ::close(fd);
    for (int fd : {m_nudgeRead, m_nudgeWrite, m_hotplug})
        if (fd >= 0)
            ::close(fd);
#endif
}

bool DeviceWait::watch([[maybe_unused]] const QByteArray& path) {
#ifdef Q_OS_UNIX
    if (m_devices.count(path))
        return true;
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    m_devices[path] = fd;
    return true;
#else
    return false;
#endif
}

void DeviceWait::unwatch(const QByteArray& path) {
    const auto it = m_devices.find(path);
    if (it == m_devices.end())
        return;
#ifdef Q_OS_UNIX
    ::close(it->second);
#endif
    m_devices.erase(it);
}

void DeviceWait::nudge() {
#ifdef Q_OS_UNIX
    if (m_nudgeWrite >= 0) {
        const char byte = 1;
        // A full pipe already holds a nudge: the wait wakes either way.
        [[maybe_unused]] const ssize_t written = ::write(m_nudgeWrite, &byte, 1);
    }
#endif
}

void DeviceWait::waitForNudge() {
#ifdef Q_OS_UNIX
    if (blocks()) {
        pollfd nudged{m_nudgeRead, POLLIN, 0};
        if (::poll(&nudged, 1, -1) > 0)
            drain(m_nudgeRead);
        return;
    }
#endif
    QThread::msleep(10);
}

DeviceWait::Woken DeviceWait::wait(int timeoutMs) {
    Woken woken;
#ifdef Q_OS_UNIX
    if (!blocks()) {
        QThread::msleep(timeoutMs < 0 ? 10 : static_cast<unsigned long>(timeoutMs));
        return woken;
    }
    std::vector<pollfd> fds;
    fds.push_back({m_nudgeRead, POLLIN, 0});
    if (m_hotplug >= 0)
        fds.push_back({m_hotplug, POLLIN, 0});
    for (const auto& [path, fd] : m_devices)
        fds.push_back({fd, POLLIN, 0});
    if (::poll(fds.data(), fds.size(), timeoutMs) <= 0)
        return woken;
    for (const pollfd& p : fds) {
        if (!p.revents)
            continue;
        if (p.fd == m_nudgeRead)
            woken.nudged = true;
        else if (p.fd == m_hotplug)
            woken.hotplug = true;
        else
            woken.device = true;
        drain(p.fd);
    }
    // A device that went away would report an error at every wait, and so spin: it is given up
    // at once (SDL sees it gone at the pump that follows).
    for (auto it = m_devices.begin(); it != m_devices.end();) {
        const auto lost = std::find_if(fds.begin(), fds.end(), [&](const pollfd& p) {
            return p.fd == it->second && (p.revents & (POLLERR | POLLHUP | POLLNVAL));
        });
        if (lost == fds.end()) {
            ++it;
            continue;
        }
        ::close(it->second);
        it = m_devices.erase(it);
    }
#else
    QThread::msleep(timeoutMs < 0 ? 10 : static_cast<unsigned long>(timeoutMs));
#endif
    return woken;
}

#include "FifoWatch.h"

#include <QFile>

#include <chrono>

#include <fcntl.h>
#include <unistd.h>

FifoWatch::FifoWatch(const QString& path, int seconds)
    : m_thread(&FifoWatch::watch, this, QFile::encodeName(path), seconds) {}

FifoWatch::~FifoWatch() {
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_stopped.notify_all();
    m_thread.join();
}

void FifoWatch::watch(const QByteArray& path, int seconds) {
    std::unique_lock lock(m_mutex);
    if (m_stopped.wait_for(lock, std::chrono::seconds(seconds), [this] { return m_stop; }))
        return;
    // From now on, whoever waits in open() for reading is let through.
    while (!m_stopped.wait_for(lock, std::chrono::milliseconds(50), [this] { return m_stop; })) {
        const int fd = ::open(path.constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) {
            ::close(fd);
            m_released = true;
        }
    }
}

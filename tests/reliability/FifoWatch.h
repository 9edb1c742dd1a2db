#pragma once

#include <QString>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

// Watches a FIFO while a test hands it to the code under test. Code that opened it for
// reading would block until a writer appears, hanging the test until CTest's time limit;
// after a few seconds the watch opens it for writing, which releases such a reader, and
// remembers that it had to, so the test fails at once and says why.
class FifoWatch {
public:
    explicit FifoWatch(const QString& path, int seconds = 5);
    ~FifoWatch();
    FifoWatch(const FifoWatch&) = delete;
    FifoWatch& operator=(const FifoWatch&) = delete;

    bool releasedABlockedReader() const { return m_released; }

private:
    void watch(const QByteArray& path, int seconds);

    std::mutex m_mutex;
    std::condition_variable m_stopped;
    bool m_stop = false;
    std::atomic<bool> m_released{false};
    std::thread m_thread;
};

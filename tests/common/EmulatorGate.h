#pragma once

#include <QFile>
#include <QString>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// A FIFO that holds a gated test emulator (its script reads a line from it) until the test
// releases it. The test keeps it open for reading and writing, so neither side's open blocks
// and a release is never lost.
class EmulatorGate {
public:
    explicit EmulatorGate(const QString& path) {
        ::mkfifo(QFile::encodeName(path).constData(), 0600);
        m_fd = ::open(QFile::encodeName(path).constData(), O_RDWR);
    }
    ~EmulatorGate() { ::close(m_fd); }
    EmulatorGate(const EmulatorGate&) = delete;
    EmulatorGate& operator=(const EmulatorGate&) = delete;

    bool isOpen() const { return m_fd >= 0; }
    // Lets `runs` waiting (or coming) runs end.
    void release(int runs = 1) const {
        for (int i = 0; i < runs; ++i)
            [[maybe_unused]] const auto n = ::write(m_fd, "go\n", 3);
    }

private:
    int m_fd = -1;
};

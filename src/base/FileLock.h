#pragma once

#include <QString>

// Keeps the read-modify-write of one file whole between processes: two Tarvelin windows on one
// data folder each re-read the file under the lock, so neither writes back a copy that lacks
// the other's change. The lock is the system's advisory lock (flock) on the folder that holds
// the file: the file itself is replaced by every write, so a lock on it would be left on the
// old copy, while the folder stays. No lock file is made, so nothing ever appears beside the
// user's or the emulator's files, and the system drops the lock of a process that ends or is
// killed, so a Tarvelin that dies while writing never blocks another.
class FileLock {
public:
    // How long a write waits for a lock that a live process holds.
    static constexpr int kTimeoutMs = 3000;

    explicit FileLock(const QString& file);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Whether the write may go ahead: the lock is held, or the folder cannot be locked at all
    // (it does not exist, where the write fails anyway, or its file system has no locks).
    // False only when a live process has held the lock for the whole timeout.
    bool mayWrite() const { return m_mayWrite; }

private:
    int m_fd = -1;
    bool m_mayWrite = true;
};

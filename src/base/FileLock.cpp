#include "base/FileLock.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace {

// The folder the write really replaces the file in: QSaveFile follows a link to its target.
QString realFolder(const QString& file) {
    const QFileInfo info(file);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absolutePath() : QFileInfo(canonical).absolutePath();
}

} // namespace

FileLock::FileLock(const QString& file) {
#ifdef Q_OS_UNIX
    m_fd = ::open(QFile::encodeName(realFolder(file)).constData(),
                  O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_fd < 0)
        return;
    QElapsedTimer waited;
    waited.start();
    while (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR)
            return; // no locks on this file system: write as without them
        if (waited.elapsed() >= kTimeoutMs) {
            m_mayWrite = false;
            return;
        }
        QThread::msleep(1);
    }
#else
    Q_UNUSED(file); // elsewhere the writes are not serialised between processes yet
#endif
}

FileLock::~FileLock() {
#ifdef Q_OS_UNIX
    if (m_fd >= 0)
        ::close(m_fd); // drops the lock
#endif
}

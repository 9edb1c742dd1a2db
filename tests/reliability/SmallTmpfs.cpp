#include "SmallTmpfs.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>

#include <sys/mount.h>

SmallTmpfs::SmallTmpfs(const QString& folder, int kilobytes)
    : m_folder(folder), m_options(QStringLiteral("size=%1k,mode=0755").arg(kilobytes)) {
    QDir().mkpath(folder);
    if (::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0,
                m_options.toLatin1().constData()) == 0)
        m_mounted = true;
    else
        m_error = QString::fromLocal8Bit(std::strerror(errno));
}

SmallTmpfs::~SmallTmpfs() {
    if (m_mounted)
        ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
}

bool SmallTmpfs::makeReadOnly() {
    return m_mounted && ::mount("tmpfs", QFile::encodeName(m_folder).constData(), "tmpfs",
                                MS_REMOUNT | MS_RDONLY, m_options.toLatin1().constData()) == 0;
}

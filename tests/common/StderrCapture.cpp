#include "common/StderrCapture.h"

#include <QFile>

#include <cstdio>
#include <unistd.h>

StderrCapture::StderrCapture() {
    if (!m_file.open())
        qFatal("cannot create a file for stderr");
    std::fflush(stderr);
    m_saved = ::dup(STDERR_FILENO);
    ::dup2(m_file.handle(), STDERR_FILENO);
}

StderrCapture::~StderrCapture() {
    restore();
}

void StderrCapture::restore() {
    if (m_saved < 0)
        return;
    std::fflush(stderr);
    ::dup2(m_saved, STDERR_FILENO);
    ::close(m_saved);
    m_saved = -1;
}

QStringList StderrCapture::lines() {
    restore();
    QFile written(m_file.fileName());
    if (!written.open(QIODevice::ReadOnly))
        return {};
    QStringList result = QString::fromUtf8(written.readAll()).split(u'\n');
    if (!result.isEmpty() && result.last().isEmpty())
        result.removeLast();
    return result;
}

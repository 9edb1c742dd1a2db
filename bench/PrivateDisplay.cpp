#include "PrivateDisplay.h"

namespace Bench {

PrivateDisplay::PrivateDisplay() {
    m_server.setProgram(QStringLiteral("Xvfb"));
    // -displayfd picks a free display and prints its number once the server is ready.
    m_server.setArguments({QStringLiteral("-displayfd"), QStringLiteral("1"),
                           QStringLiteral("-screen"), QStringLiteral("0"),
                           QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                           QStringLiteral("tcp")});
    m_server.setStandardErrorFile(QProcess::nullDevice());
    m_server.start();
    if (!m_server.waitForStarted(5000))
        return;
    QByteArray number;
    while (!number.contains('\n') && m_server.waitForReadyRead(10000))
        number += m_server.readAllStandardOutput();
    if (number.trimmed().isEmpty())
        return;
    m_name = u':' + QString::fromLatin1(number.trimmed());
}

PrivateDisplay::~PrivateDisplay() {
    if (m_server.state() != QProcess::NotRunning) {
        m_server.terminate();
        m_server.waitForFinished(5000);
    }
}

} // namespace Bench

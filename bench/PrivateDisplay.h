#pragma once

#include <QProcess>
#include <QString>

namespace Bench {

// A private X server (Xvfb) on a free display, ended with the benchmark.
class PrivateDisplay {
public:
    PrivateDisplay();
    ~PrivateDisplay();
    QString name() const { return m_name; }

private:
    QProcess m_server;
    QString m_name;
};

} // namespace Bench

#include "gamelist/BackgroundGameList.h"

#include "base/AppPaths.h"
#include "gamelist/BatchCommand.h"

#include <QFileInfo>
#include <QTimer>

BackgroundGameList::BackgroundGameList(GameListRequest request, ListLayout layout,
                                       QObject* parent)
    : QObject(parent), m_request(std::move(request)), m_layout(layout) {}

BackgroundGameList::~BackgroundGameList() {
    if (m_process && m_process->state() != QProcess::NotRunning) {
        m_process->disconnect(this);
        m_process->kill();
        m_process->waitForFinished(1000);
    }
}

void BackgroundGameList::start() {
    m_running = true;
    // Reported from the event loop, so that the caller always hears of it after start().
    if (!QFileInfo::exists(AppPaths::join(m_request.appDir, u'/' + m_request.ExeName))) {
        QTimer::singleShot(0, this, [this] {
            report({false, GameListMessages::emulatorNotFound(m_request.ExeName), {}, {}, false});
        });
        return;
    }
    m_process = new QProcess(this);
    m_process->setProgram(QStringLiteral("/bin/sh"));
    m_process->setArguments({QStringLiteral("-c"),
                             BatchCommandLine(m_request.ExeName, u' ' + m_request.GameListCommand)});
    m_process->setWorkingDirectory(m_request.appDir);
    m_process->setProcessEnvironment(BatchEnvironment(m_request.appDir));
    m_process->setStandardInputFile(QProcess::nullDevice());
    m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    connect(m_process, &QProcess::readyReadStandardOutput, this,
            [this] { m_output += m_process->readAllStandardOutput(); });
    connect(m_process, &QProcess::finished, this, &BackgroundGameList::listEnded);
    // A shell that cannot start gives no output, like a list command that prints nothing.
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            listEnded();
    });
    m_process->start();
}

void BackgroundGameList::listEnded() {
    if (!m_running)
        return;
    m_output += m_process->readAllStandardOutput();
    const GameListResult result = RefreshGameListCache(m_request, m_output, m_layout);
    m_output.clear();
    report(result);
}

void BackgroundGameList::report(const GameListResult& result) {
    m_running = false;
    emit finished(result);
}

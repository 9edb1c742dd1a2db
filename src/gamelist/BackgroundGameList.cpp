#include "gamelist/BackgroundGameList.h"

#include "gamelist/BatchCommand.h"

#include <QDir>
#include <QTextStream>
#include <QThread>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <csignal>
#include <unistd.h>
#endif

BackgroundGameList::BackgroundGameList(GameListRequest request, ListLayout layout,
                                       QObject* parent)
    : QObject(parent), m_request(std::move(request)), m_layout(layout),
      m_output(QDir::tempPath() + QStringLiteral("/tarvelin-list-XXXXXX")) {}

BackgroundGameList::~BackgroundGameList() {
    if (m_folderThread) {
        m_folderThread->disconnect(this);
        m_stopFolder = true;
        m_folderThread->wait();
    }
    if (m_process && m_process->state() != QProcess::NotRunning) {
        m_process->disconnect(this);
#ifdef Q_OS_UNIX
        // The whole group: the shell's pipeline (mame | awk) would otherwise run on for seconds.
        ::kill(-pid_t(m_process->processId()), SIGKILL);
#endif
        m_process->kill();
        m_process->waitForFinished(1000);
    }
}

void BackgroundGameList::start() {
    m_running = true;
    // Reported from the event loop, so that the caller always hears of it after start().
    const auto reportSoon = [this](const GameListResult& result) {
        QTimer::singleShot(0, this, [this, result] { report(result); });
    };
    if (!EmulatorExists(m_request.appDir, m_request.ExeName)) {
        reportSoon(
            {false, GameListMessages::emulatorNotFound(m_request.ExeName), {}, {}, false, {}});
        return;
    }
    if (m_request.folder.isOn()) {
        startFolderListing();
        return;
    }
    if (!m_output.open()) {
        reportSoon({false, GameListMessages::unknownError(),
                    QStringLiteral("cannot make a temporary file for the game list: ") +
                        m_output.errorString(),
                    {}, false, {}});
        return;
    }
    m_process = new QProcess(this);
    m_process->setProgram(QStringLiteral("/bin/sh"));
    m_process->setArguments({QStringLiteral("-c"),
                             BatchCommandLine(m_request.ExeName, u' ' + m_request.GameListCommand)});
    m_process->setWorkingDirectory(m_request.appDir);
    m_process->setProcessEnvironment(BatchEnvironment(m_request.appDir));
    m_process->setStandardInputFile(QProcess::nullDevice());
    m_process->setStandardOutputFile(m_output.fileName());
    m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
#ifdef Q_OS_UNIX
    // A process group of its own, so that ending it ends every program of the command line.
    m_process->setChildProcessModifier([] { ::setpgid(0, 0); });
#endif
    connect(m_process, &QProcess::finished, this, &BackgroundGameList::listEnded);
    // A shell that cannot start gives no output, like a list command that prints nothing.
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            listEnded();
    });
    m_process->start();
}

void BackgroundGameList::startFolderListing() {
    m_folderThread = QThread::create(
        [this] { m_folderResult = ListRomFolderIntoCache(m_request, true, &m_stopFolder); });
    m_folderThread->setParent(this);
    connect(m_folderThread, &QThread::finished, this, [this] {
        QTextStream err(stderr);
        for (const QString& line : std::as_const(m_folderResult.warnings))
            err << line << '\n';
        err.flush();
        report(m_folderResult);
    });
    m_folderThread->start();
}

void BackgroundGameList::listEnded() {
    if (!m_running)
        return;
    // The child wrote through a descriptor of its own; this one still reads from the start.
    const QByteArray output = m_output.readAll();
    m_output.close();
    report(RefreshGameListCache(m_request, output, m_layout));
}

void BackgroundGameList::report(const GameListResult& result) {
    m_running = false;
    emit finished(result);
}

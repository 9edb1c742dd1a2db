#include "launch/RunAndWait.h"

#include "launch/CommandLine.h"
#include "launch/ProgramLookup.h"
#include "launch/WaitLoop.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QThread>

#include <array>
#include <cmath>
#include <memory>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

void applyShowState([[maybe_unused]] QProcess& process, [[maybe_unused]] int showState) {
#ifdef Q_OS_WIN
    process.setCreateProcessArgumentsModifier([showState](QProcess::CreateProcessArguments* args) {
        args->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
        args->startupInfo->wShowWindow = static_cast<WORD>(showState);
    });
#endif
}

WaitResult waitOnce(QProcess& process) {
    if (process.state() == QProcess::NotRunning)
        return WaitResult::Ended; // the events processed after the last poll saw it end
    if (process.waitForFinished(RunAndWaitTiming::pollMs))
        return WaitResult::Ended;
    if (process.state() == QProcess::NotRunning)
        return WaitResult::Ended;
    return process.error() == QProcess::Timedout ? WaitResult::TimedOut : WaitResult::Failed;
}

// After a failed wait the program keeps running on its own, as it does when a Windows
// process handle is closed: the process object outlives the call, so that the child is
// neither killed now nor left as a zombie when it ends.
void letRunOn(std::unique_ptr<QProcess> process) {
    QProcess* running = process.release();
    if (QCoreApplication* app = QCoreApplication::instance()) {
        running->setParent(app);
        QObject::connect(running, &QProcess::finished, running, &QObject::deleteLater);
    }
}

} // namespace

int ShowStateForWindowStyle(double windowStyle) {
    static constexpr std::array<int, 6> showStates = {0, 3, 2, 6, 1, 4};
    const double code = std::floor(windowStyle);
    if (code >= 0 && code < static_cast<double>(showStates.size()))
        return showStates[static_cast<std::size_t>(code)];
    return 1;
}

void RunAndWait(Dialogs& dialogs, const QString& folder, const QString& program,
                const QStringList& arguments, const RunOptions& options) {
    if (!folder.isEmpty())
        QDir::setCurrent(folder);
    const QString workingFolder = QDir::currentPath();
    const QProcessEnvironment environment =
        options.environment.value_or(QProcessEnvironment::systemEnvironment());

    auto process = std::make_unique<QProcess>();
    process->setProgram(FindProgram(program, workingFolder,
                                    SearchPathFolders(environment.value(QStringLiteral("PATH")))));
    process->setArguments(arguments);
    process->setWorkingDirectory(workingFolder);
    if (options.environment)
        process->setProcessEnvironment(*options.environment);
    // The child writes where Tarvelin writes, and never waits for input nobody will type.
    process->setStandardInputFile(QProcess::nullDevice());
    if (options.standardOutputFile.isEmpty()) {
        process->setProcessChannelMode(QProcess::ForwardedChannels);
    } else {
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->setStandardOutputFile(options.standardOutputFile);
    }
    applyShowState(*process, options.showState);

    process->start();
    const bool started = process->waitForStarted(-1);
    QThread::msleep(RunAndWaitTiming::pauseMs);
    if (!started)
        return;

    bool failed = false;
    WaitUntilEnded(
        dialogs,
        [&] {
            const WaitResult result = waitOnce(*process);
            failed = result == WaitResult::Failed;
            return result;
        },
        [] { QCoreApplication::processEvents(); });
    if (failed)
        letRunOn(std::move(process));
}

void RunAndWait(Dialogs& dialogs, const QString& folder, const QString& program,
                const QString& arguments, double windowStyle) {
    // A folder is used as it stands: one that begins with a separator is absolute here, not
    // below the application folder as on a Windows drive.
    RunOptions options;
    options.showState = ShowStateForWindowStyle(windowStyle);
    const QStringList words = SplitCommandLine(ComposeCommandLine(program, arguments));
    RunAndWait(dialogs, folder, words.value(0), words.mid(1), options);
}

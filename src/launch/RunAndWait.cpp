#include "launch/RunAndWait.h"

#include "launch/CommandLine.h"
#include "launch/ErrorTail.h"
#include "launch/ProgramLookup.h"
#include "launch/WaitLoop.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QThread>

#include <array>
#include <cstdio>
#include <cmath>
#include <memory>
#include <vector>

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

} // namespace

int ShowStateForWindowStyle(double windowStyle) {
    static constexpr std::array<int, 6> showStates = {0, 3, 2, 6, 1, 4};
    const double code = std::floor(windowStyle);
    if (code >= 0 && code < static_cast<double>(showStates.size()))
        return showStates[static_cast<std::size_t>(code)];
    return 1;
}

RunResult RunAndWait(Dialogs& dialogs, const QString& folder, const QString& program,
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
    const bool keepErrors = options.errorTailLines > 0;
    if (options.standardOutputFile.isEmpty()) {
        process->setProcessChannelMode(keepErrors ? QProcess::ForwardedOutputChannel
                                                  : QProcess::ForwardedChannels);
    } else {
        process->setProcessChannelMode(keepErrors ? QProcess::SeparateChannels
                                                  : QProcess::ForwardedErrorChannel);
        process->setStandardOutputFile(options.standardOutputFile);
    }
    ErrorTail errors(qMax(1, options.errorTailLines));
    // Drained at every poll, so the pipe never fills and the child never blocks on it.
    const auto drainErrors = [&] {
        if (!keepErrors)
            return;
        const QByteArray bytes = process->readAllStandardError();
        if (bytes.isEmpty())
            return;
        errors.add(bytes);
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
        std::fflush(stderr);
    };
    applyShowState(*process, options.showState);

    process->start();
    const bool started = process->waitForStarted(-1);
    QThread::msleep(RunAndWaitTiming::pauseMs);
    RunResult result;
    if (!started) {
        result.startError = process->errorString();
        return result;
    }
    result.started = true;

    bool failed = false;
    WaitUntilEnded(
        dialogs,
        [&] {
            const WaitResult once = waitOnce(*process);
            drainErrors();
            failed = once == WaitResult::Failed;
            return once;
        },
        [] { QCoreApplication::processEvents(); });
    if (failed) {
        LetRunOn(std::move(process));
        return result;
    }
    drainErrors();
    result.ended = true;
    result.crashed = process->exitStatus() == QProcess::CrashExit;
    result.exitCode = process->exitCode();
    result.errorTail = errors.lines();
    return result;
}

void LetRunOn(std::unique_ptr<QProcess> process) {
    // Deleting a QProcess kills its child, so the objects of the programs left to run on are
    // never deleted while their child runs, not even when Tarvelin ends: they stay in a list
    // that is never destroyed. One whose child ends is reaped and deleted then.
    static auto* const runningOn = new std::vector<QProcess*>();
    QProcess* running = process.release();
    running->setParent(nullptr);
    runningOn->push_back(running);
    QObject::connect(running, &QProcess::finished, running, [running] {
        std::erase(*runningOn, running);
        running->deleteLater();
    });
}

void RunAndWait(Dialogs& dialogs, const QString& folder, const QString& program,
                const QString& arguments, double windowStyle) {
    // A folder is used as it stands: one that begins with a separator is absolute here, not
    // below the application folder as on a Windows drive.
    RunOptions options;
    options.showState = ShowStateForWindowStyle(windowStyle);
    // The program is one name, blanks and all ("My Emulator"); only its arguments are split.
    RunAndWait(dialogs, folder, program, SplitCommandLine(arguments), options);
}

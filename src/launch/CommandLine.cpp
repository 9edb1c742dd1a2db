#include "launch/CommandLine.h"

#include <QProcess>

QString ComposeCommandLine(const QString& program, const QString& arguments) {
    return arguments.isEmpty() ? program : program + u' ' + arguments;
}

QStringList SplitCommandLine(const QString& commandLine) {
    // Qt's rules are the ones the design settles on; keeping the call here gives the launch and
    // the tests one name for them.
    return QProcess::splitCommand(commandLine);
}

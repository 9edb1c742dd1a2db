#include "gamelist/BatchCommand.h"

#include "base/AppPaths.h"
#include "base/Ini.h"
#include "launch/RunAndWait.h"

#include <QDir>
#include <QFile>
#include <QProcessEnvironment>

#include <algorithm>

QByteArray BatchScriptText(const QString& appDir, const QString& program,
                           const QString& arguments) {
    const QString text = appDir.left(2) + QStringLiteral("\r\ncd\\\r\ncd ") + appDir +
                         QStringLiteral("\r\n") + BatchCommandLine(program, arguments) +
                         QStringLiteral("\r\n");
    return text.toLocal8Bit();
}

QString ShellWord(const QString& program) {
    // An empty name stays empty: the line is then the arguments alone, as it always was.
#ifdef Q_OS_WIN
    if (!program.contains(u' '))
        return program;
    return u'"' + program + u'"';
#else
    static const QString plain = QStringLiteral(
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_-+./:,@%");
    if (std::all_of(program.begin(), program.end(), [](QChar c) { return plain.contains(c); }))
        return program;
    QString quoted = program;
    quoted.replace(u'\'', QStringLiteral("'\\''"));
    return u'\'' + quoted + u'\'';
#endif
}

QString BatchCommandLine(const QString& program, const QString& arguments) {
    return ShellWord(program) + arguments;
}

QString PathWithAppFolderFirst(const QString& appDir, const QString& inheritedPath) {
    return inheritedPath.isEmpty() ? appDir : appDir + QDir::listSeparator() + inheritedPath;
}

#ifdef Q_OS_WIN

bool RunBatchCommand(Dialogs& dialogs, const QString& appDir, const QString& program,
                     const QString& arguments, const QString&) {
    const QString script = AppPaths::join(appDir, QStringLiteral("/test.bat"));
    QDir::setCurrent(appDir);
    if (!WriteFileAtomically(script, BatchScriptText(appDir, program, arguments)))
        return false;
    QDir::setCurrent(appDir);
    RunAndWait(dialogs, appDir, QStringLiteral("test.bat"), QStringLiteral(" "), 0);
    return QFile::remove(script);
}

#else

QProcessEnvironment BatchEnvironment(const QString& appDir) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PATH"),
                       PathWithAppFolderFirst(appDir, environment.value(QStringLiteral("PATH"))));
    return environment;
}

bool RunBatchCommand(Dialogs& dialogs, const QString& appDir, const QString& program,
                     const QString& arguments, const QString& outputFile) {
    RunOptions options;
    options.environment = BatchEnvironment(appDir);
    options.standardOutputFile = outputFile;
    options.showState = ShowStateForWindowStyle(0);
    RunAndWait(dialogs, appDir, QStringLiteral("/bin/sh"),
               {QStringLiteral("-c"), BatchCommandLine(program, arguments)}, options);
    return true;
}

#endif

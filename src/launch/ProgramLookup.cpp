#include "launch/ProgramLookup.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

bool hasDirectoryPart(const QString& program) {
    if (program.contains(u'/'))
        return true;
#ifdef Q_OS_WIN
    return program.contains(u'\\') || program.contains(u':');
#else
    return false;
#endif
}

} // namespace

QString FindProgram(const QString& program, const QString& workingFolder,
                    const QStringList& searchPath) {
    if (program.isEmpty() || hasDirectoryPart(program))
        return program;
    const QString inFolder = QStandardPaths::findExecutable(program, {workingFolder});
    if (!inFolder.isEmpty())
        return inFolder;
    if (searchPath.isEmpty())
        return program;
    const QString onPath = QStandardPaths::findExecutable(program, searchPath);
    return onPath.isEmpty() ? program : onPath;
}

QStringList SearchPathFolders(const QString& pathValue) {
    return pathValue.split(QDir::listSeparator(), Qt::SkipEmptyParts);
}

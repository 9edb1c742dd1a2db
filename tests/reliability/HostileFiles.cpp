#include "HostileFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <sys/stat.h>
#include <unistd.h>

namespace HostileFiles {

QByteArray Garbage(qsizetype size, quint32 seed) {
    QRandomGenerator random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char(random.bounded(256));
    return bytes;
}

QByteArray Repeated(const QByteArray& line, qsizetype lines, const QByteArray& eol) {
    QByteArray bytes;
    bytes.reserve((line.size() + eol.size()) * lines);
    for (qsizetype i = 0; i < lines; ++i) {
        bytes += line;
        bytes += eol;
    }
    return bytes;
}

QByteArray Numbered(const char* format, int count) {
    QByteArray bytes;
    for (int i = 1; i <= count; ++i)
        bytes += QByteArray(format).replace("%1", QByteArray::number(i));
    return bytes;
}

QString BelowRegularFile(const QString& folder, const QString& name) {
    const QString blocker = QDir(folder).filePath(QStringLiteral("not-a-folder"));
    QFile f(blocker);
    if (!f.exists() && f.open(QIODevice::WriteOnly))
        f.write("a regular file where a folder should be\n");
    return blocker + u'/' + name;
}

bool MakeFifo(const QString& path) {
    return ::mkfifo(QFile::encodeName(path).constData(), 0666) == 0;
}

bool IsFifo(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISFIFO(st.st_mode);
}

bool IsDirectory(const QString& path) {
    const QFileInfo info(path);
    return info.isDir() && !info.isSymLink();
}

int OpenFilesIn(qint64 pid, const QString& folder, const QString& except) {
    const QString fds = QStringLiteral("/proc/%1/fd").arg(pid);
    const QByteArray prefix = QFile::encodeName(QFileInfo(folder).canonicalFilePath()) + '/';
    const QByteArray skipped = QFile::encodeName(QFileInfo(except).canonicalFilePath());
    int count = 0;
    const QDir::Filters all = QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot;
    for (const QString& fd : QDir(fds).entryList(all)) {
        char target[4096];
        const ssize_t n =
            ::readlink(QFile::encodeName(fds + u'/' + fd).constData(), target, sizeof target - 1);
        if (n <= 0)
            continue;
        const QByteArray path(target, n);
        if (path.startsWith(prefix) && path != skipped)
            ++count;
    }
    return count;
}

QByteArray TreeSnapshot(const QString& folder) {
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        entries << QStringLiteral("%1 %2 %3")
                       .arg(QDir(folder).relativeFilePath(info.filePath()))
                       .arg(info.isDir() ? -1 : info.size())
                       .arg(info.lastModified().toMSecsSinceEpoch());
    }
    entries.sort();
    return entries.join(u'\n').toUtf8();
}

} // namespace HostileFiles

#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

// A private folder for the targets whose code under test reads files by name: the bytes go
// through the same file code the program uses. Made once per process, removed at exit.
namespace FuzzScratch {

inline QString path(const QString& relative) {
    static const QTemporaryDir dir;
    if (!dir.isValid())
        std::abort();
    return dir.filePath(relative);
}

inline void write(const QString& relative, const QByteArray& bytes) {
    const QString file = path(relative);
    QDir().mkpath(QFileInfo(file).path());
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        std::abort();
}

inline QByteArray read(const QString& relative) {
    QFile f(path(relative));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A property of the code under test that the input broke: the run ends as a crash, with the
// input kept.
inline void require(bool condition) {
    if (!condition)
        std::abort();
}

// Fuzz input cut at its first NUL bytes into at most `count` parts (the last keeps any NULs).
inline QList<QByteArray> parts(const QByteArray& input, int count) {
    QList<QByteArray> out;
    qsizetype start = 0;
    while (out.size() + 1 < count) {
        const qsizetype nul = input.indexOf('\0', start);
        if (nul < 0)
            break;
        out.append(input.mid(start, nul - start));
        start = nul + 1;
    }
    out.append(input.mid(start));
    while (out.size() < count)
        out.append(QByteArray());
    return out;
}

inline QList<QByteArray> parts(const uint8_t* data, size_t size, int count) {
    return parts(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), count);
}

} // namespace FuzzScratch

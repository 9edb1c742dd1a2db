#include "base/Ini.h"

#include "base/FileLock.h"
#include "base/IniDocument.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <memory>

QByteArray ReadFileBytes(const QString& file) {
    // A directory or a FIFO must not be opened: the first fails oddly, the second blocks.
    if (!QFileInfo(file).isFile())
        return {};
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool WriteFileAtomically(const QString& file, const QByteArray& bytes, QString* error) {
    const auto fail = [error](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    // The rename would put a regular file in the place of a FIFO, a socket or a device (a
    // link to /dev/null included); those are not ours to replace.
    const QFileInfo target(file);
    if (target.exists() && !target.isFile())
        return fail(QStringLiteral("not a regular file"));
    QSaveFile out(file);
    // A writable file in a folder we may not create files in still gets written, just not
    // atomically; refusing would lose the user's change.
    out.setDirectWriteFallback(true);
    if (!out.open(QIODevice::WriteOnly))
        return fail(out.errorString());
    if (out.write(bytes) != bytes.size()) {
        const QString reason = out.errorString();
        out.cancelWriting();
        return fail(reason);
    }
    return out.commit() || fail(out.errorString());
}

QString IniResult(const QString& stored) {
    QString text = stored;
    if (text.size() > IniLimits::maxValueLength) {
        qsizetype cut = IniLimits::maxValueLength;
        if (text[cut - 1].isHighSurrogate())
            --cut; // never split a character in two
        text.truncate(cut);
    }
    qsizetype b = 0, e = text.size();
    while (b < e && text[b] == u' ')
        ++b;
    while (e > b && text[e - 1] == u' ')
        --e;
    return text.mid(b, e - b);
}

QString ReadIni(const QString& file, const QString& section, const QString& key) {
    const IniDocument doc = IniDocument::fromBytes(ReadFileBytes(file));
    return IniResult(doc.value(section, key).value_or(QString()));
}

bool WriteIni(const QString& file, const QString& section, const QString& key,
              const QString& value) {
    return WriteIniEntries(file, {IniEntry{section, key, value}});
}

namespace {

// Reads the file under its lock, lets `change` edit it, and writes it back when it says so.
bool ReadModifyWrite(const QString& file, const std::function<bool(IniDocument&)>& change) {
    const FileLock lock(file);
    if (!lock.mayWrite())
        return false;
    const QFileInfo info(file);
    QByteArray old;
    if (info.exists()) {
        // An existing file that cannot be read must not be replaced by the new keys alone.
        QFile f(file);
        if (!info.isFile() || !f.open(QIODevice::ReadOnly))
            return false;
        old = f.readAll();
        if (f.error() != QFileDevice::NoError)
            return false;
    }
    IniDocument doc = IniDocument::fromBytes(old);
    return change(doc) && WriteFileAtomically(file, doc.toBytes());
}

} // namespace

bool WriteIniEntries(const QString& file, const std::vector<IniEntry>& entries) {
    return ReadModifyWrite(file, [&entries](IniDocument& doc) { return doc.set(entries); });
}

std::optional<QString>
UpdateIni(const QString& file, const QString& section, const QString& key,
          const std::function<std::optional<QString>(const std::optional<QString>&)>& update) {
    std::optional<QString> written;
    const bool ok = ReadModifyWrite(file, [&](IniDocument& doc) {
        written = update(doc.value(section, key));
        return written && doc.set(section, key, *written);
    });
    return ok ? written : std::nullopt;
}

IniSnapshot::IniSnapshot(const QString& file)
    : m_doc(std::make_unique<IniDocument>(IniDocument::fromBytes(ReadFileBytes(file)))) {}
IniSnapshot::~IniSnapshot() = default;
IniSnapshot::IniSnapshot(IniSnapshot&&) noexcept = default;
IniSnapshot& IniSnapshot::operator=(IniSnapshot&&) noexcept = default;

QString IniSnapshot::read(const QString& section, const QString& key) const {
    return IniResult(m_doc->value(section, key).value_or(QString()));
}

QStringList IniSnapshot::keyNames(const QString& section) const {
    return m_doc->keyNames(section);
}

#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class IniDocument;

// The one INI reader: the value of Key in Section of File, at most 2499 characters, with
// spaces at either end removed; "" when the file, section or key is missing. Never creates
// a file and never reports anything.
QString ReadIni(const QString& file, const QString& section, const QString& key);

// The one INI writer. Updates the key in place (or appends it, or its section) and replaces
// the file atomically. Returns false, leaving the file as it was, when the file cannot be
// written or the names cannot be stored so that they read back as written. Every write reads
// the file anew under a lock that other processes writing it respect (see FileLock).
bool WriteIni(const QString& file, const QString& section, const QString& key,
              const QString& value);

struct IniEntry {
    QString section;
    QString key;
    QString value;
};

// Several keys into one file in one read-modify-write; the bytes equal those of the single
// writes in sequence. Stops at the first entry that cannot be stored and writes nothing then.
bool WriteIniEntries(const QString& file, const std::vector<IniEntry>& entries);

// One key whose new value depends on the one stored now: `update` gets the stored value
// (nullopt when the key is missing) read under the write's lock, and returns the value to
// write, or nullopt to write nothing. Returns what was written; nullopt when nothing was.
std::optional<QString>
UpdateIni(const QString& file, const QString& section, const QString& key,
          const std::function<std::optional<QString>(const std::optional<QString>&)>& update);

// A file read once for many lookups with ReadIni's rules (limit and trimming included).
class IniSnapshot {
public:
    explicit IniSnapshot(const QString& file);
    ~IniSnapshot();
    IniSnapshot(IniSnapshot&&) noexcept;
    IniSnapshot& operator=(IniSnapshot&&) noexcept;

    QString read(const QString& section, const QString& key) const;
    // The keys a lookup in the section can find, as lookups compare them: outer blanks
    // removed, case-folded. Lets a reader of numbered keys visit only those that exist.
    QStringList keyNames(const QString& section) const;

private:
    std::unique_ptr<IniDocument> m_doc;
};

namespace IniLimits {
inline constexpr qsizetype maxValueLength = 2499;
}

// Applies ReadIni's limit and trimming to a stored value.
QString IniResult(const QString& stored);

// The bytes of a file, or empty when it is missing, not a regular file, or unreadable.
QByteArray ReadFileBytes(const QString& file);

// Replaces a file's contents atomically; false when that failed (the old file is then whole),
// with the system's reason in `error` when one is given.
bool WriteFileAtomically(const QString& file, const QByteArray& bytes, QString* error = nullptr);

#pragma once

#include "base/Ini.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

// One INI file held as its bytes, line by line, with the lookup and in-place update rules that
// emulator INI files and hand-edited settings rely on: names match case-insensitively with
// outer blanks ignored, the first matching section and key win, values are trimmed and lose
// one pair of enclosing quotes. Lines a write does not touch keep their exact bytes.
class IniDocument {
public:
    IniDocument() = default;
    static IniDocument fromBytes(const QByteArray& bytes);

    // The value as stored (trimmed, quotes removed); nullopt when section or key is missing.
    std::optional<QString> value(const QString& section, const QString& key) const;

    // Sets one key the way the platform's private-profile writer does: in place when the key
    // exists, else appended to its section, else a new section at the end. Returns false and
    // changes nothing for a name or value that could not be read back as written.
    bool set(const QString& section, const QString& key, const QString& value);
    // Several writes in order, with the bytes that setting each in turn gives, in one pass
    // over the file. Returns false and changes nothing when any one would be refused.
    bool set(const std::vector<IniEntry>& entries);

    // Every (section, key) that a lookup can find, as written in the file.
    std::vector<std::pair<QString, QString>> keys() const;
    // The keys a lookup in one section can find, outer blanks removed and case-folded.
    QStringList keyNames(const QString& section) const;

    QByteArray toBytes() const;
    bool isEmpty() const { return m_lines.empty(); }

    static bool isWritable(const QString& section, const QString& key, const QString& value);

private:
    struct Line {
        QByteArray bytes; // without its line ending
    };
    enum class Encoding { Utf8, Latin1 };

    QString decode(const QByteArray& bytes) const;
    std::optional<QByteArray> encode(const QString& text) const;
    void buildIndex() const;

    std::vector<QByteArray> m_lines;
    QByteArray m_eol = defaultEol();
    bool m_bom = false;
    bool m_finalEol = true;
    Encoding m_encoding = Encoding::Utf8;

    // Lazily built: lower-cased section name -> (lower-cased key -> value).
    mutable bool m_indexed = false;
    mutable QHash<QString, QHash<QString, QString>> m_index;

    static QByteArray defaultEol();
};

// Shared helpers for INI name handling, exposed for the parsers that need the same rules.
namespace IniText {
QString trimBlanks(const QString& text); // spaces and tabs at either end
QString unquote(const QString& value);    // one pair of matching ' or " around the whole value
} // namespace IniText

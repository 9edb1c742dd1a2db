#include "base/IniDocument.h"

#include "base/TextCodec.h"

#include <QStringDecoder>

#include <algorithm>


namespace {

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }

// Splits at CR LF, LF or a lone CR. Reports the first line ending seen and whether the text
// ends with one, so that a rewrite keeps the file's own style.
std::vector<QByteArray> splitLines(const QByteArray& bytes, QByteArray* eol, bool* finalEol) {
    std::vector<QByteArray> lines;
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    *finalEol = false;
    for (qsizetype i = 0; i < n; ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n')
            continue;
        lines.push_back(bytes.mid(start, i - start));
        QByteArray ending = (c == '\r' && i + 1 < n && bytes[i + 1] == '\n') ? "\r\n" : QByteArray(1, c);
        if (eol->isEmpty())
            *eol = ending;
        i += ending.size() - 1;
        start = i + 1;
    }
    if (start < n)
        lines.push_back(bytes.mid(start));
    else if (n > 0)
        *finalEol = true;
    return lines;
}

struct ParsedLine {
    enum Kind { Other, Section, Key } kind = Other;
    QString name;  // trimmed section or key name
    QString value; // trimmed, unquoted value of a key line
};

ParsedLine parseLine(const QString& line) {
    ParsedLine parsed;
    qsizetype i = 0;
    while (i < line.size() && isBlank(line[i]))
        ++i;
    if (i < line.size() && line[i] == u'[') {
        const qsizetype close = line.indexOf(u']', i + 1);
        if (close >= 0) {
            parsed.kind = ParsedLine::Section;
            parsed.name = IniText::trimBlanks(line.mid(i + 1, close - i - 1));
            return parsed;
        }
    }
    const qsizetype eq = line.indexOf(u'=');
    if (eq >= 0) {
        parsed.kind = ParsedLine::Key;
        parsed.name = IniText::trimBlanks(line.left(eq));
        parsed.value = IniText::unquote(IniText::trimBlanks(line.mid(eq + 1)));
    }
    return parsed;
}

} // namespace

namespace IniText {

QString trimBlanks(const QString& text) {
    qsizetype b = 0, e = text.size();
    while (b < e && isBlank(text[b]))
        ++b;
    while (e > b && isBlank(text[e - 1]))
        --e;
    return text.mid(b, e - b);
}

QString unquote(const QString& value) {
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == u'"' || first == u'\'') && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

} // namespace IniText

QByteArray IniDocument::defaultEol() {
#ifdef Q_OS_WIN
    return "\r\n";
#else
    return "\n";
#endif
}

IniDocument IniDocument::fromBytes(const QByteArray& input) {
    IniDocument doc;
    QByteArray bytes = input;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        doc.m_bom = true;
        bytes.remove(0, 3);
    }
    doc.m_encoding = IsValidUtf8(bytes) ? Encoding::Utf8 : Encoding::Latin1;
    QByteArray eol;
    doc.m_lines = splitLines(bytes, &eol, &doc.m_finalEol);
    if (!eol.isEmpty())
        doc.m_eol = eol;
    return doc;
}

QString IniDocument::decode(const QByteArray& bytes) const {
    if (m_encoding == Encoding::Latin1)
        return QString::fromLatin1(bytes);
    // QString::fromUtf8 drops a U+FEFF at the start of its input; inside a file that is a
    // character of the line (a key may begin with it), so keep it.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

std::optional<QByteArray> IniDocument::encode(const QString& text) const {
    if (m_encoding == Encoding::Utf8)
        return text.toUtf8();
    for (QChar c : text)
        if (c.unicode() > 0xFF)
            return std::nullopt; // an 8-bit file cannot hold it; mixing encodings would garble it
    return text.toLatin1();
}

void IniDocument::buildIndex() const {
    if (m_indexed)
        return;
    m_index.clear();
    QHash<QString, QString>* current = nullptr;
    bool currentIsFirst = false;
    for (const QByteArray& raw : m_lines) {
        const ParsedLine line = parseLine(decode(raw));
        if (line.kind == ParsedLine::Section) {
            const QString name = line.name.toCaseFolded();
            // Only the first section of a name counts; later duplicates are invisible.
            currentIsFirst = !m_index.contains(name);
            current = &m_index[name];
        } else if (line.kind == ParsedLine::Key && current && currentIsFirst) {
            const QString key = line.name.toCaseFolded();
            if (!current->contains(key))
                current->insert(key, line.value);
        }
    }
    m_indexed = true;
}

std::optional<QString> IniDocument::value(const QString& section, const QString& key) const {
    buildIndex();
    const auto s = m_index.constFind(IniText::trimBlanks(section).toCaseFolded());
    if (s == m_index.constEnd())
        return std::nullopt;
    const auto k = s->constFind(IniText::trimBlanks(key).toCaseFolded());
    if (k == s->constEnd())
        return std::nullopt;
    return *k;
}

QStringList IniDocument::keyNames(const QString& section) const {
    buildIndex();
    const auto s = m_index.constFind(IniText::trimBlanks(section).toCaseFolded());
    return s == m_index.constEnd() ? QStringList() : s->keys();
}

std::vector<std::pair<QString, QString>> IniDocument::keys() const {
    std::vector<std::pair<QString, QString>> found;
    QHash<QString, QHash<QString, bool>> seen;
    QHash<QString, bool>* current = nullptr;
    QString currentName;
    for (const QByteArray& raw : m_lines) {
        const ParsedLine line = parseLine(decode(raw));
        if (line.kind == ParsedLine::Section) {
            const QString folded = line.name.toCaseFolded();
            current = seen.contains(folded) ? nullptr : &seen[folded];
            currentName = line.name;
        } else if (line.kind == ParsedLine::Key && current) {
            const QString folded = line.name.toCaseFolded();
            if (!current->contains(folded)) {
                current->insert(folded, true);
                found.emplace_back(currentName, line.name);
            }
        }
    }
    return found;
}

bool IniDocument::isWritable(const QString& section, const QString& key, const QString& value) {
    const auto hasBreak = [](const QString& s) { return s.contains(u'\r') || s.contains(u'\n'); };
    if (hasBreak(section) || hasBreak(key) || hasBreak(value))
        return false;
    if (section.contains(u']'))
        return false;
    const QString k = IniText::trimBlanks(key);
    return !k.contains(u'=') && !k.startsWith(u'[');
}

bool IniDocument::set(const QString& section, const QString& key, const QString& value) {
    return set(std::vector<IniEntry>{IniEntry{section, key, value}});
}

namespace {

// What a run of writes does to one section: its key lines found by folded name (with the
// name as the file spells it) and the lines it gains after its last non-blank line.
struct SectionEdit {
    qsizetype lastContentLine = -1;                          // -1 for a section the writes add
    QHash<QString, std::pair<qsizetype, QString>> keys;      // line, spelling
    QHash<QString, std::pair<qsizetype, QString>> addedKeys; // index in added, spelling
    std::vector<QByteArray> added;
    QByteArray header;        // sections the writes add
    bool blankBefore = false; // sections the writes add
};

} // namespace

bool IniDocument::set(const std::vector<IniEntry>& entries) {
    struct Prepared {
        QString section, key, value; // section and key trimmed
        QByteArray entry, header;
    };
    std::vector<Prepared> prepared;
    prepared.reserve(entries.size());
    for (const IniEntry& e : entries) {
        if (!isWritable(e.section, e.key, e.value))
            return false;
        Prepared p{IniText::trimBlanks(e.section), IniText::trimBlanks(e.key), e.value, {}, {}};
        const auto entry = encode(p.key + u'=' + p.value);
        const auto header = encode(u'[' + p.section + u']');
        if (!entry || !header)
            return false;
        p.entry = *entry;
        p.header = *header;
        prepared.push_back(std::move(p));
    }

    // One pass finds, for the first section of each name, its keys and its last non-blank
    // line; each write is then a lookup instead of a pass over the file, so that saving tens
    // of thousands of keys stays linear. The bytes are those of the writes made one by one.
    std::vector<SectionEdit> edits;
    QHash<QString, size_t> editOf; // folded section name -> index in edits
    qsizetype current = -1;
    for (qsizetype i = 0; i < qsizetype(m_lines.size()); ++i) {
        const QString text = decode(m_lines[i]);
        const ParsedLine line = parseLine(text);
        if (line.kind == ParsedLine::Section) {
            const QString folded = line.name.toCaseFolded();
            current = -1; // a later section of the same name is invisible
            if (!editOf.contains(folded)) {
                current = qsizetype(edits.size());
                editOf.insert(folded, edits.size());
                edits.emplace_back().lastContentLine = i;
            }
            continue;
        }
        if (current < 0)
            continue;
        SectionEdit& edit = edits[size_t(current)];
        if (line.kind == ParsedLine::Key) {
            const QString folded = line.name.toCaseFolded();
            if (!edit.keys.contains(folded)) // the first key of a name is the one written
                edit.keys.insert(folded, {i, line.name});
        }
        if (!IniText::trimBlanks(text).isEmpty())
            edit.lastContentLine = i;
    }
    const size_t fileSections = edits.size();
    const qsizetype lastLine = qsizetype(m_lines.size()) - 1;
    qsizetype endsFile = -1; // the file's last section, once lines were added after its end
    bool finalEol = m_finalEol;
    std::vector<std::pair<size_t, QByteArray>> replacedLines; // applied once all succeeded

    for (const Prepared& p : prepared) {
        const QString folded = p.section.toCaseFolded();
        auto found = editOf.constFind(folded);
        if (found == editOf.constEnd()) {
            SectionEdit added;
            // A blank line before a new section keeps hand-read files tidy.
            if (edits.size() > fileSections)
                added.blankBefore = true;
            else if (endsFile >= 0)
                added.blankBefore = !edits[size_t(endsFile)].added.back().trimmed().isEmpty();
            else
                added.blankBefore = !m_lines.empty() && !m_lines.back().trimmed().isEmpty();
            added.header = p.header;
            found = editOf.insert(folded, edits.size());
            edits.push_back(std::move(added));
            finalEol = true;
        }
        const size_t index = *found;
        SectionEdit& edit = edits[index];
        const QString foldedKey = p.key.toCaseFolded();
        if (const auto key = edit.keys.constFind(foldedKey); key != edit.keys.constEnd()) {
            // Keep the key's own spelling in the file; only the value changes.
            const auto replaced = encode(key->second + u'=' + p.value);
            if (!replaced)
                return false;
            replacedLines.emplace_back(size_t(key->first), *replaced);
        } else if (const auto own = edit.addedKeys.constFind(foldedKey);
                   own != edit.addedKeys.constEnd()) {
            const auto replaced = encode(own->second + u'=' + p.value);
            if (!replaced)
                return false;
            edit.added[size_t(own->first)] = *replaced;
        } else {
            edit.addedKeys.insert(foldedKey, {qsizetype(edit.added.size()), p.key});
            edit.added.push_back(p.entry);
            if (index < fileSections && edit.lastContentLine == lastLine &&
                edits.size() == fileSections) {
                finalEol = true;
                endsFile = qsizetype(index);
            }
        }
    }
    for (auto& [line, bytes] : replacedLines)
        m_lines[line] = std::move(bytes);
    m_finalEol = finalEol;
    m_indexed = false;

    const bool grows = std::any_of(edits.begin(), edits.end(),
                                   [](const SectionEdit& e) { return !e.added.empty(); });
    if (!grows)
        return true;
    std::vector<const SectionEdit*> addedAfter(m_lines.size(), nullptr);
    for (size_t e = 0; e < fileSections; ++e)
        if (!edits[e].added.empty())
            addedAfter[size_t(edits[e].lastContentLine)] = &edits[e];
    std::vector<QByteArray> lines;
    lines.reserve(m_lines.size() + 2 * prepared.size());
    for (size_t i = 0; i < m_lines.size(); ++i) {
        lines.push_back(std::move(m_lines[i]));
        if (const SectionEdit* edit = addedAfter[i])
            lines.insert(lines.end(), edit->added.begin(), edit->added.end());
    }
    for (size_t e = fileSections; e < edits.size(); ++e) {
        if (edits[e].blankBefore)
            lines.push_back(QByteArray());
        lines.push_back(edits[e].header);
        lines.insert(lines.end(), edits[e].added.begin(), edits[e].added.end());
    }
    m_lines = std::move(lines);
    return true;
}

QByteArray IniDocument::toBytes() const {
    QByteArray out;
    if (m_bom)
        out += "\xEF\xBB\xBF";
    for (size_t i = 0; i < m_lines.size(); ++i) {
        out += m_lines[i];
        if (i + 1 < m_lines.size() || m_finalEol)
            out += m_eol;
    }
    return out;
}

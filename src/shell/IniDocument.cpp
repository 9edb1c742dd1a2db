#include "IniDocument.h"

#include "TextCodec.h"

#include <QStringDecoder>


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
    if (!isWritable(section, key, value))
        return false;
    const QString wantSection = IniText::trimBlanks(section);
    const QString wantKey = IniText::trimBlanks(key);
    const auto newEntry = encode(wantKey + u'=' + value);
    const auto newHeader = encode(u'[' + wantSection + u']');
    if (!newEntry || !newHeader)
        return false;

    // Find the first matching section, then the first matching key in it.
    qsizetype sectionLine = -1;
    qsizetype lastContentLine = -1; // last non-empty line of that section
    bool seenFirst = false;
    for (qsizetype i = 0; i < qsizetype(m_lines.size()); ++i) {
        const QString text = decode(m_lines[i]);
        const ParsedLine line = parseLine(text);
        if (line.kind == ParsedLine::Section) {
            if (sectionLine >= 0)
                break; // the section ended
            if (!seenFirst && line.name.compare(wantSection, Qt::CaseInsensitive) == 0) {
                seenFirst = true;
                sectionLine = i;
                lastContentLine = i;
            }
            continue;
        }
        if (sectionLine < 0)
            continue;
        if (line.kind == ParsedLine::Key && line.name.compare(wantKey, Qt::CaseInsensitive) == 0) {
            // Keep the key's own spelling in the file; only the value changes.
            const auto replaced = encode(line.name + u'=' + value);
            if (!replaced)
                return false;
            m_lines[i] = *replaced;
            m_indexed = false;
            return true;
        }
        if (!IniText::trimBlanks(text).isEmpty())
            lastContentLine = i;
    }

    if (sectionLine >= 0) {
        if (lastContentLine + 1 == qsizetype(m_lines.size()))
            m_finalEol = true;
        m_lines.insert(m_lines.begin() + lastContentLine + 1, *newEntry);
    } else {
        // A blank line before a new section keeps hand-read files tidy.
        if (!m_lines.empty() && !m_lines.back().trimmed().isEmpty())
            m_lines.push_back(QByteArray());
        m_lines.push_back(*newHeader);
        m_lines.push_back(*newEntry);
        m_finalEol = true;
    }
    m_indexed = false;
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

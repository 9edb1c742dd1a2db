#include "controls/BindingsWriter.h"

#include "base/IniDocument.h"
#include "base/TextCodec.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

namespace {

// One category's step of the rewrite pass: every "[bare]" of the text becomes keyName.
struct HeaderStep {
    QString bare; // KeyName without brackets and outer blanks: never holds a bracket
    QString keyName;
};

bool isOneBracketedName(const QString& text) {
    return text.size() >= 2 && text.front() == u'[' && text.back() == u']' &&
           text.count(u'[') == 1 && text.count(u']') == 1;
}

// The names of the bracket pairs of a text that hold no bracket: "[x]" occurs in the text
// exactly when x is one of them, as x never holds a bracket.
QSet<QString> bracketedNames(const QString& text) {
    QSet<QString> names;
    qsizetype open = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'[')
            open = i;
        else if (text[i] == u']' && open >= 0) {
            names.insert(text.sliced(open + 1, i - open - 1));
            open = -1;
        }
    }
    return names;
}

// Applies the steps in category order. Done literally, that is a pass over the whole file per
// category: minutes for tens of thousands of categories. When every KeyName is one bracketed
// name, as headers are, a step only turns a bracketed name into another one where it stands,
// so each bracketed name of the text follows the steps on its own, in a single pass. Other
// KeyNames take the literal way, skipping the steps whose "[bare]" the text does not hold.
QString restoreHeaders(const QString& text, const std::vector<HeaderStep>& steps) {
    const auto changes = [](const HeaderStep& s) { return s.keyName != u'[' + s.bare + u']'; };
    if (!std::all_of(steps.begin(), steps.end(),
                     [](const HeaderStep& s) { return isOneBracketedName(s.keyName); })) {
        QString result = text;
        QSet<QString> present = bracketedNames(result);
        for (const HeaderStep& step : steps) {
            if (!changes(step) || !present.contains(step.bare))
                continue;
            result.replace(u'[' + step.bare + u']', step.keyName);
            present = bracketedNames(result);
        }
        return result;
    }

    QHash<QString, std::vector<size_t>> stepsOf; // bare name -> its steps, in order
    for (size_t i = 0; i < steps.size(); ++i)
        if (changes(steps[i]))
            stepsOf[steps[i].bare].push_back(i);
    QString result;
    result.reserve(text.size() + text.size() / 8);
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype open = text.indexOf(u'[', i);
        if (open < 0)
            break;
        qsizetype close = open + 1;
        while (close < text.size() && text[close] != u'[' && text[close] != u']')
            ++close;
        if (close == text.size() || text[close] == u'[') {
            result += QStringView(text).sliced(i, close - i);
            i = close;
            continue;
        }
        result += QStringView(text).sliced(i, open + 1 - i);
        QString name = text.sliced(open + 1, close - open - 1);
        size_t from = 0;
        for (auto it = stepsOf.constFind(name); it != stepsOf.constEnd();
             it = stepsOf.constFind(name)) {
            const auto next = std::lower_bound(it->begin(), it->end(), from);
            if (next == it->end())
                break;
            const QString& keyName = steps[*next].keyName;
            name = keyName.sliced(1, keyName.size() - 2);
            from = *next + 1;
        }
        result += name;
        result += u']';
        i = close + 1;
    }
    result += QStringView(text).sliced(i);
    return result;
}

} // namespace

BindingsWriter::BindingsWriter(const ControlTables& tables, const IniSnapshot& definitions)
    : m_tables(tables), m_definitions(definitions) {}

QString BindingsWriter::keyNameOf(int c) const {
    return m_definitions.read(ControlDefinitions::categorySection(c), QStringLiteral("KeyName"));
}

QString BindingsWriter::valueOf(int n) const {
    const InputRow& row = m_tables.InputList[n];
    return row.binding.isEmpty() ? row.defaultBinding : row.binding;
}

std::vector<IniEntry> BindingsWriter::plainEntries() const {
    std::vector<IniEntry> entries;
    for (size_t c = 0; c < m_tables.CatIndex.size(); ++c) {
        const CategoryEntry& category = m_tables.CatIndex[c];
        const QString section = ControlDefinitions::sectionName(keyNameOf(int(c) + 1));
        for (int n = category.first; n < category.first + category.count; ++n)
            entries.push_back({section, m_tables.InputList[n].iniKey, valueOf(n)});
    }
    return entries;
}

std::optional<QByteArray> BindingsWriter::rewriteBytes(const QByteArray& before) const {
    // The INI writer on an empty file builds the same lines as it would on a deleted one.
    std::vector<IniEntry> entries = plainEntries();
    for (IniEntry& e : entries) {
        e.key += u' ';
        e.value = QStringLiteral(" \"") + e.value + u'"';
    }
    IniDocument doc;
    if (!doc.set(entries))
        return std::nullopt;

    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = QString::fromUtf8(doc.toBytes()).split(lineBreak);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the break after the last line ends it; it starts no new one

    // The writer's lines are headers ("[" first), entries (a key holds no "=", so the first
    // "=" ends it) and blank lines. Only the headers and the entries' "=" take the emulator's
    // spelling: the values' own text is left alone, brackets and "=" included, so that the
    // file reads back as saved and saving again changes nothing.
    QStringList headers;
    std::vector<qsizetype> headerLines;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString& line = lines[i];
        if (line.startsWith(u'[')) {
            headers.append(line);
            headerLines.push_back(i);
        } else if (const qsizetype eq = line.indexOf(u'='); eq >= 0) {
            line.insert(eq, u' ');
        }
    }
    std::vector<HeaderStep> steps;
    steps.reserve(m_tables.CatIndex.size());
    for (int c = 1; c <= int(m_tables.CatIndex.size()); ++c) {
        const QString keyName = keyNameOf(c);
        steps.push_back({IniText::trimBlanks(ControlDefinitions::sectionName(keyName)), keyName});
    }
    // No header or KeyName holds a line break, so the headers go through the steps as one text.
    const QStringList restored = restoreHeaders(headers.join(u'\n'), steps).split(u'\n');
    for (size_t h = 0; h < headerLines.size() && h < size_t(restored.size()); ++h)
        lines[headerLines[h]] = restored[qsizetype(h)];

    const QString text = lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    if (!before.isEmpty() && !IsValidUtf8(before)) {
        for (const QChar ch : text)
            if (ch.unicode() > 0xFF)
                return std::nullopt;
        return text.toLatin1();
    }
    const QByteArray bom("\xEF\xBB\xBF");
    return (before.startsWith(bom) ? bom : QByteArray()) + text.toUtf8();
}

BindingsWriter::Outcome BindingsWriter::save(const QString& emulatorIniFile) const {
    if (m_tables.EmuIniName.isEmpty() || m_tables.inputCount() == 0)
        return Outcome::NothingToSave;
    if (!m_tables.isRewriteMode())
        return WriteIniEntries(emulatorIniFile, plainEntries()) ? Outcome::Saved : Outcome::Failed;
    const std::optional<QByteArray> bytes = rewriteBytes(ReadFileBytes(emulatorIniFile));
    if (!bytes)
        return Outcome::Failed;
    return WriteFileAtomically(emulatorIniFile, *bytes) ? Outcome::Saved : Outcome::Failed;
}

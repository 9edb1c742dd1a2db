#include "BindingsWriter.h"

#include "IniDocument.h"

#include <QRegularExpression>

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

std::optional<QByteArray> BindingsWriter::rewriteBytes() const {
    // The INI writer on an empty file builds the same lines as it would on a deleted one.
    IniDocument doc;
    for (const IniEntry& e : plainEntries())
        if (!doc.set(e.section, e.key + u' ', QStringLiteral(" \"") + e.value + u'"'))
            return std::nullopt;

    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = QString::fromUtf8(doc.toBytes()).split(lineBreak);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the break after the last line ends it; it starts no new one
    QString text = lines.join(QStringLiteral("\r\n"));

    for (int c = 1; c <= int(m_tables.CatIndex.size()); ++c) {
        const QString keyName = keyNameOf(c);
        const QString bare = IniText::trimBlanks(ControlDefinitions::sectionName(keyName));
        text.replace(u'[' + bare + u']', keyName);
    }
    text.replace(u'=', QStringLiteral(" ="));
    return (text + QStringLiteral("\r\n")).toUtf8();
}

BindingsWriter::Outcome BindingsWriter::save(const QString& emulatorIniFile) const {
    if (m_tables.EmuIniName.isEmpty() || m_tables.inputCount() == 0)
        return Outcome::NothingToSave;
    if (!m_tables.isRewriteMode())
        return WriteIniEntries(emulatorIniFile, plainEntries()) ? Outcome::Saved : Outcome::Failed;
    const std::optional<QByteArray> bytes = rewriteBytes();
    if (!bytes)
        return Outcome::Failed;
    return WriteFileAtomically(emulatorIniFile, *bytes) ? Outcome::Saved : Outcome::Failed;
}

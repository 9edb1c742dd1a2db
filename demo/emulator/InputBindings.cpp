#include "InputBindings.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

namespace {

// Files edited on Windows may be in an 8-bit code page; reading them as Latin-1 keeps every
// byte visible instead of turning it into replacement characters.
QString decode(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

QString unquoted(QString value) {
    value = value.trimmed();
    if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
        value = value.mid(1, value.size() - 2).trimmed();
    return value;
}

} // namespace

InputBindings InputBindings::fromBytes(const QByteArray& bytes) {
    InputBindings result;
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    const QStringList lines = decode(bytes).split(lineBreak);

    Section* current = nullptr;
    for (const QString& rawLine : lines) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#'))
            continue;
        const qsizetype close = line.indexOf(u']');
        if (line.startsWith(u'[') && close > 0) {
            result.m_sections.append({line.mid(1, close - 1).trimmed(), {}});
            current = &result.m_sections.last();
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (current == nullptr || equals <= 0)
            continue;
        const QString key = line.left(equals).trimmed();
        if (!key.isEmpty())
            current->entries.append({key, unquoted(line.mid(equals + 1))});
    }
    return result;
}

std::optional<InputBindings> InputBindings::fromFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return fromBytes(file.readAll());
}

QList<InputBindings::Entry> InputBindings::section(const QString& name) const {
    QList<Entry> entries;
    for (const Section& section : m_sections) {
        if (section.name.compare(name.trimmed(), Qt::CaseInsensitive) == 0)
            entries += section.entries;
    }
    return entries;
}

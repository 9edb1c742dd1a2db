#include "gamelist/RomFileName.h"

#include "profiles/ProfilePaths.h"

#include <QFile>

#include <algorithm>

QStringList ParseRomExtensions(const QString& value) {
    QStringList extensions;
    for (const QString& part : value.split(u';', Qt::SkipEmptyParts)) {
        QString extension = part.trimmed().toLower();
        if (extension.isEmpty() || extension == u".")
            continue;
        if (!extension.startsWith(u'.'))
            extension.prepend(u'.');
        if (!extensions.contains(extension))
            extensions.append(extension);
    }
    std::stable_sort(extensions.begin(), extensions.end(),
                     [](const QString& a, const QString& b) { return a.size() > b.size(); });
    return extensions;
}

namespace {

RomEntryName unusable(const QString& reason) {
    return {RomEntryName::Kind::Unusable, QString(), reason, true};
}

} // namespace

RomEntryName NameRomEntry(QByteArrayView entry, bool isFolder, const QStringList& extensions) {
    if (entry.isEmpty() || entry.front() == '.')
        return {};
    const QString name = QFile::decodeName(entry.toByteArray());
    QString rom;
    if (isFolder) {
        rom = name;
    } else {
        const auto matched = std::find_if(
            extensions.begin(), extensions.end(), [&name](const QString& extension) {
                return name.size() > extension.size() &&
                       name.endsWith(extension, Qt::CaseInsensitive);
            });
        if (matched == extensions.end())
            return {};
        rom = name.chopped(matched->size());
    }
    // Checked once the entry is known to be a game: a folder full of other files with odd
    // names is no business of the list's.
    if (QFile::encodeName(name) != entry)
        return unusable(QStringLiteral("its name is not valid UTF-8"));
    if (rom.contains(u'|') || rom.contains(u'\n') || rom.contains(u'\r'))
        return unusable(QStringLiteral("its name holds \"|\" or a line break, which the game "
                                       "list cannot hold"));
    return {RomEntryName::Kind::Game, rom, QString(), IsSafeRomName(rom)};
}

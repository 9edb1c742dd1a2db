#include "launch/RomFileMap.h"

#include "base/Ini.h"

#include <QByteArrayView>

QByteArray RomFileMap::bytes(const QList<RomFile>& files) {
    QByteArray out;
    for (const RomFile& file : files) {
        out += file.rom.toUtf8();
        out += '|';
        out += file.path.toUtf8();
        out += "\r\n";
    }
    return out;
}

std::optional<QString> RomFileMap::find(const QByteArray& mapBytes, const QString& rom) {
    // Compared as bytes, so that a map of 50,000 games costs no string per line.
    const QByteArray wanted = rom.toUtf8() + '|';
    QByteArrayView rest(mapBytes);
    while (!rest.isEmpty()) {
        const qsizetype end = rest.indexOf('\n');
        QByteArrayView line = end < 0 ? rest : rest.first(end);
        rest = end < 0 ? QByteArrayView() : rest.sliced(end + 1);
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.startsWith(wanted))
            return QString::fromUtf8(line.sliced(wanted.size()));
    }
    return std::nullopt;
}

std::optional<QString> RomFileMap::findInFile(const QString& mapFile, const QString& rom) {
    return find(ReadFileBytes(mapFile), rom);
}

#include "GameListCache.h"

#include "Ini.h"
#include "TextLines.h"

QByteArray GameListCacheBytes(const QList<GameEntry>& games) {
    // One text converted once: a conversion per field would cost a buffer per field.
    QString text;
    qsizetype size = 0;
    for (const GameEntry& game : games)
        size += game.rom.size() + game.description.size() + 3;
    text.reserve(size);
    for (const GameEntry& game : games) {
        text += game.rom;
        text += u'|';
        text += game.description;
        text += QStringLiteral("\r\n");
    }
    return text.toUtf8();
}

QList<GameEntry> ReadGameListCache(const QString& file) {
    return ParseGameListCache(ReadFileBytes(file));
}

QList<GameEntry> ParseGameListCache(const QByteArray& bytes) {
    const QString text = DecodeText(bytes);
    TextLineReader reader(text);
    QList<GameEntry> games;
    for (QStringView line; reader.next(line);) {
        if (line.isEmpty())
            continue;
        const qsizetype bar = line.indexOf(u'|');
        if (bar < 0) {
            const QString whole = line.toString();
            games.append({whole, whole});
            continue;
        }
        const qsizetype next = line.indexOf(u'|', bar + 1);
        const qsizetype end = next < 0 ? line.size() : next;
        games.append({line.first(bar).toString(), line.sliced(bar + 1, end - bar - 1).toString()});
    }
    return games;
}

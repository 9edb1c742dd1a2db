#include "gamelist/GameListCache.h"

#include "base/Ini.h"
#include "gamelist/TextLines.h"

#include <QStringDecoder>

GameListCacheWriter::GameListCacheWriter(qsizetype expectedCharacters) {
    // One text converted once: a conversion per field would cost a buffer per field.
    m_text.reserve(expectedCharacters);
}

void GameListCacheWriter::add(QStringView rom, QStringView description) {
    m_text += rom;
    m_text += u'|';
    m_text += description;
    m_text += QStringLiteral("\r\n");
}

QByteArray GameListCacheWriter::bytes() const {
    // The reader drops a byte-order mark that begins the file, so a first ROM name that itself
    // begins with U+FEFF gets a mark of its own in front and stays whole.
    if (m_text.startsWith(QChar(0xFEFF)))
        return QByteArrayLiteral("\xEF\xBB\xBF") + m_text.toUtf8();
    return m_text.toUtf8();
}

GameListCacheUtf8Writer::GameListCacheUtf8Writer(qsizetype expectedBytes) {
    m_bytes.reserve(expectedBytes);
}

void GameListCacheUtf8Writer::add(QByteArrayView rom, QByteArrayView description) {
    m_bytes += rom;
    m_bytes += '|';
    m_bytes += description;
    m_bytes += "\r\n";
}

QByteArray GameListCacheUtf8Writer::bytes() const {
    // The mark rule of the text writer: U+FEFF is EF BB BF in UTF-8.
    if (m_bytes.startsWith("\xEF\xBB\xBF"))
        return QByteArrayLiteral("\xEF\xBB\xBF") + m_bytes;
    return m_bytes;
}

QByteArray GameListCacheBytes(const QList<GameEntry>& games) {
    qsizetype size = 0;
    for (const GameEntry& game : games)
        size += game.rom.size() + game.description.size() + 3;
    GameListCacheWriter cache(size);
    for (const GameEntry& game : games)
        cache.add(game.rom, game.description);
    return cache.bytes();
}

QList<GameEntry> ReadGameListCache(const QString& file) {
    return ParseGameListCache(ReadFileBytes(file));
}

namespace {

// Decodes the fields of a cache as decoding the whole file would (UTF-8 when the whole file
// is valid UTF-8, its leading byte-order mark dropped; Latin-1 otherwise), one field at a
// time, so that the file never exists a second time as one decoded text. The fields end at
// "|" or a line end, never inside a UTF-8 sequence.
class FieldDecoder {
public:
    explicit FieldDecoder(QByteArrayView bytes) : m_utf8(IsValidUtf8(bytes)) {}
    bool utf8() const { return m_utf8; }
    QString operator()(QByteArrayView field) {
        // ASCII reads the same in both; its widening is the fast one.
        if (!m_utf8 || IsAscii(field))
            return QString::fromLatin1(field);
        return m_decoder.decode(field);
    }

private:
    bool m_utf8;
    // A U+FEFF that begins a field is part of it, as it is inside the whole text.
    QStringDecoder m_decoder{QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                         QStringConverter::Flag::ConvertInitialBom};
};

} // namespace

QList<GameEntry> ParseGameListCache(const QByteArray& bytes) {
    return ParseGameListCache(bytes, nullptr);
}

QList<GameEntry> ParseGameListCache(const QByteArray& bytes,
                                    const std::function<bool(const QString& rom)>& keep) {
    FieldDecoder decode(bytes);
    QByteArrayView text(bytes);
    if (decode.utf8() && text.startsWith("\xEF\xBB\xBF"))
        text = text.sliced(3);
    ByteLineReader reader(text);
    QList<GameEntry> games;
    // Cache lines run to some 30 bytes; growing a list of 50,000 games step by step would
    // copy it many times. Reserved room that no game uses is never touched.
    games.reserve(text.size() / 32);
    for (QByteArrayView line; reader.next(line);) {
        if (line.isEmpty())
            continue;
        const qsizetype bar = line.indexOf('|');
        const QString rom = decode(bar < 0 ? line : line.first(bar));
        if (keep && !keep(rom))
            continue;
        if (bar < 0) {
            games.append({rom, rom});
            continue;
        }
        const qsizetype next = line.indexOf('|', bar + 1);
        const qsizetype end = next < 0 ? line.size() : next;
        games.append({rom, decode(line.sliced(bar + 1, end - bar - 1))});
    }
    return games;
}

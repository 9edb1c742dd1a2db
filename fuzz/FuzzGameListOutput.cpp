// The emulator's list output with any bytes and any start line, help end and ROM-name width.
// Input: a first line "StartLine HelpEnd RomLen" (16-bit numbers), then the output's bytes.
// Nothing of a game line is lost (its ROM name and description hold all its characters but
// the blanks), the outcome follows the line counts, and what the cache keeps reads back the
// same.
#include "gamelist/GameListCache.h"
#include "gamelist/GameListOutput.h"
#include "gamelist/TextLines.h"

#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

qint16 number(const QList<QByteArray>& words, int i) {
    // Wrapping lets small inputs reach every 16-bit value, negative ones included.
    return qint16(words.value(i).toLongLong());
}

// Lines split independently of the parser: CR LF, LF or CR end a line; a final line end starts
// no new line.
QStringList linesOf(const QString& text) {
    QStringList lines;
    QString current;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            lines.append(current);
            current.clear();
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else {
            current += c;
        }
    }
    if (!current.isEmpty())
        lines.append(current);
    return lines;
}

QString withoutBlanks(QString text) {
    return text.remove(u' ');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype headerEnd = input.indexOf('\n');
    if (headerEnd < 0)
        return 0;
    const QList<QByteArray> words = input.left(headerEnd).simplified().split(' ');
    const qint16 startLine = number(words, 0);
    const qint16 helpEnd = number(words, 1);
    const qint16 romLen = number(words, 2);
    const QString text = DecodeText(input.mid(headerEnd + 1));

    const GameListOutput out = ParseGameListOutput(text, startLine, helpEnd, romLen);
    const QStringList lines = linesOf(text);
    const qsizetype head = qMax<qsizetype>(0, qsizetype(startLine) + 1);

    if (lines.size() < head) {
        require(out.outcome == GameListOutput::Outcome::TooShort);
        return 0;
    }
    QStringList gameLines = lines.mid(head);
    gameLines.removeAll(QString());
    if (romLen < 0 && !gameLines.isEmpty()) {
        require(out.outcome == GameListOutput::Outcome::Unusable && out.games.isEmpty());
        return 0;
    }
    require(out.outcome == GameListOutput::Outcome::Parsed);

    const qsizetype helpLines = qBound<qsizetype>(0, qsizetype(helpEnd) + 1, head);
    QString help;
    for (qsizetype i = 0; i < helpLines; ++i)
        help += lines[i] + QStringLiteral("\r\n");
    require(out.helpText == help);

    require(out.games.size() == gameLines.size());
    bool cacheable = true;
    for (qsizetype i = 0; i < out.games.size(); ++i) {
        const GameEntry& game = out.games[i];
        require(!game.rom.startsWith(u' ') && !game.rom.endsWith(u' '));
        require(!game.description.startsWith(u' ') && !game.description.endsWith(u' '));
        require(withoutBlanks(game.rom + game.description) == withoutBlanks(gameLines[i]));
        cacheable = cacheable && !game.rom.contains(u'|') && !game.description.contains(u'|');
    }
    // "|" separates the cache's fields, so only games without one can come back whole.
    if (cacheable)
        require(ParseGameListCache(GameListCacheBytes(out.games)) == out.games);
    return 0;
}

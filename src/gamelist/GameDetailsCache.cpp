#include "gamelist/GameDetailsCache.h"

#include "base/Ini.h"
#include "gamelist/TextLines.h"

#include <QDir>
#include <QHash>
#include <QStringDecoder>

namespace {

const QByteArray kHead = QByteArrayLiteral("#Tarvelin details");

QByteArray headLine(const QStringList& fields) {
    QByteArray line = kHead;
    for (const QString& field : fields)
        line += '\t' + field.toUtf8();
    return line;
}

qsizetype find(QStringView text, char c, qsizetype from = 0) {
    return text.indexOf(QLatin1Char(c), from);
}
qsizetype find(QByteArrayView bytes, char c, qsizetype from = 0) {
    return bytes.indexOf(c, from);
}

// The cache's reader ends a ROM name at "|".
template <class View> View asCacheGivesIt(View rom) {
    const qsizetype bar = find(rom, '|');
    return bar < 0 ? rom : rom.first(bar);
}

// Calls onValue for each of `count` values of a details text, missing ones empty.
template <class View, class OnValue> void eachValue(View details, qsizetype count, OnValue&& onValue) {
    qsizetype pos = 0;
    for (qsizetype i = 0; i < count; ++i) {
        if (pos > details.size()) {
            onValue(View());
            continue;
        }
        qsizetype tab = find(details, '\t', pos);
        if (tab < 0)
            tab = details.size();
        onValue(TrimBlanks(details.sliced(pos, tab - pos)));
        pos = tab + 1;
    }
}

} // namespace

GameDetailsCacheWriter::GameDetailsCacheWriter(const QStringList& fields, qsizetype expectedBytes)
    : m_fieldCount(fields.size()) {
    m_bytes.reserve(expectedBytes);
    m_bytes += headLine(fields);
    m_bytes += "\r\n";
}

void GameDetailsCacheWriter::add(QStringView rom, QStringView details) {
    m_bytes += asCacheGivesIt(rom).toUtf8();
    eachValue(details, m_fieldCount, [this](QStringView value) {
        m_bytes += '\t';
        m_bytes += value.toUtf8();
    });
    m_bytes += "\r\n";
}

void GameDetailsCacheWriter::add(QByteArrayView rom, QByteArrayView details) {
    m_bytes += asCacheGivesIt(rom);
    eachValue(details, m_fieldCount, [this](QByteArrayView value) {
        m_bytes += '\t';
        m_bytes += value;
    });
    m_bytes += "\r\n";
}

std::optional<GameDetails> ReadGameDetailsCache(const QByteArray& bytes, const QStringList& fields,
                                                const QList<GameEntry>& games, bool allGames,
                                                QString* problem) {
    const auto fail = [problem](const char* why) -> std::optional<GameDetails> {
        if (problem)
            *problem = QString::fromLatin1(why);
        return std::nullopt;
    };
    if (bytes.isEmpty())
        return fail("it is missing or empty");
    const bool utf8 = IsValidUtf8(bytes);
    ByteLineReader reader{QByteArrayView(bytes)};
    QByteArrayView line;
    if (!reader.next(line) || line != headLine(fields))
        return fail("it was written for other fields");

    GameDetails details(fields);
    details.reserve(games.size());
    // One string per distinct value of a column: the views point into `bytes`, which outlives
    // the table.
    std::vector<QHash<QByteArrayView, QString>> seen(size_t(fields.size()));
    // A U+FEFF that begins a field is part of it, as the game cache keeps it in a ROM name.
    QStringDecoder fromUtf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                        QStringConverter::Flag::ConvertInitialBom);
    const auto decode = [utf8, &fromUtf8](QByteArrayView b) {
        return utf8 && !IsAscii(b) ? QString(fromUtf8.decode(b)) : QString::fromLatin1(b);
    };
    QStringList values;
    for (const GameEntry& game : games) {
        for (;;) {
            if (!reader.next(line))
                return fail("it does not hold every game of the list");
            const qsizetype tab = line.indexOf('\t');
            const QByteArrayView rom = tab < 0 ? line : line.first(tab);
            if (line.count('\t') != fields.size())
                return fail("a line has another number of fields");
            if (IsAscii(rom) ? game.rom == QLatin1String(rom) : decode(rom) == game.rom) {
                values.clear();
                qsizetype pos = tab + 1;
                for (int c = 0; c < fields.size(); ++c) {
                    qsizetype end = line.indexOf('\t', pos);
                    if (end < 0)
                        end = line.size();
                    // Blanks around a value go, as when it was written.
                    const QByteArrayView value = TrimBlanks(line.sliced(pos, end - pos));
                    auto found = seen[size_t(c)].constFind(value);
                    if (found == seen[size_t(c)].constEnd())
                        found = seen[size_t(c)].insert(value, decode(value));
                    values.append(*found);
                    pos = end + 1;
                }
                details.appendRow(values);
                break;
            }
            if (allGames)
                return fail("its games are not those of the list");
        }
    }
    if (allGames && reader.next(line))
        return fail("it holds games the list does not");
    return details;
}

GameDetails LoadGameDetails(const QString& file, const QStringList& fields,
                            const QList<GameEntry>& games, bool allGames, QString* warning) {
    QString problem;
    std::optional<GameDetails> details =
        ReadGameDetailsCache(ReadFileBytes(file), fields, games, allGames, &problem);
    if (details)
        return std::move(*details);
    if (warning)
        *warning = QStringLiteral("Game details in ") + QDir::toNativeSeparators(file) +
                   QStringLiteral(" are not shown, since ") + problem +
                   QStringLiteral("; the next list writes them anew.");
    return GameDetails();
}

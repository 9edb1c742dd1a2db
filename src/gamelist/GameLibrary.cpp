#include "gamelist/GameLibrary.h"

#include "base/Ini.h"
#include "base/IniDocument.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLocale>
#include <QStringList>
#include <QTextStream>

namespace {

const QString kFavourites = QStringLiteral("Favourites");
const QString kPlayed = QStringLiteral("Played");

// Bounds that no real record reaches: a million launches, a million hours, the year 9999.
constexpr qint64 kMaxLaunches = 1'000'000;
constexpr qint64 kMaxSeconds = 3'600'000'000;
constexpr qint64 kMaxTime = 253'402'300'799;

std::optional<qint64> wholeIn(const QString& text, qint64 max) {
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    if (!ok || value < 0 || value > max)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<PlayRecord> GameLibrary::parseRecord(const QString& text) {
    const QStringList fields = text.split(u',');
    if (fields.size() != 3)
        return std::nullopt;
    const auto launches = wholeIn(fields[0], kMaxLaunches);
    const auto seconds = wholeIn(fields[1], kMaxSeconds);
    const auto lastStart = wholeIn(fields[2], kMaxTime);
    if (!launches || !seconds || !lastStart || *launches == 0)
        return std::nullopt;
    return PlayRecord{*launches, *seconds, *lastStart};
}

QString GameLibrary::recordText(const PlayRecord& record) {
    return QStringLiteral("%1,%2,%3")
        .arg(record.launches)
        .arg(record.seconds)
        .arg(record.lastStart);
}

GameLibrary GameLibrary::read(const QString& file) {
    GameLibrary library;
    library.m_file = file;
    library.m_kept = QFileInfo(file).isFile();
    const IniDocument doc = IniDocument::fromBytes(ReadFileBytes(file));
    if (doc.isEmpty())
        return library;
    int unreadable = 0;
    for (const auto& [section, key] : doc.keys()) {
        const QString value = doc.value(section, key).value_or(QString());
        if (section.compare(kFavourites, Qt::CaseInsensitive) == 0) {
            if (value == u"1")
                library.m_favourites.insert(key);
            else if (value != u"0")
                ++unreadable;
        } else if (section.compare(kPlayed, Qt::CaseInsensitive) == 0) {
            if (const std::optional<PlayRecord> record = parseRecord(value))
                library.m_records.insert(key, *record);
            else
                ++unreadable;
        }
    }
    if (unreadable > 0)
        QTextStream(stderr) << QStringLiteral("tarvelin: %1: %2 entries are not favourites or "
                                              "play records and are left out\n")
                                   .arg(file)
                                   .arg(unreadable);
    return library;
}

std::optional<PlayRecord> GameLibrary::record(const QString& rom) const {
    const auto it = m_records.constFind(rom);
    return it == m_records.constEnd() ? std::nullopt : std::optional<PlayRecord>(*it);
}

bool GameLibrary::keep() {
    if (m_file.isEmpty())
        return false;
    if (!m_kept && !QFileInfo::exists(m_file))
        m_kept = WriteFileAtomically(m_file, "; Favourites and play records, by ROM name\n"
                                             "[Favourites]\n[Played]\n");
    else
        m_kept = QFileInfo(m_file).isFile();
    return m_kept;
}

bool GameLibrary::setFavourite(const QString& rom, bool favourite) {
    if (m_file.isEmpty() ||
        !WriteIni(m_file, kFavourites, rom, favourite ? QStringLiteral("1") : QStringLiteral("0")))
        return false;
    m_kept = true;
    if (favourite)
        m_favourites.insert(rom);
    else
        m_favourites.remove(rom);
    return true;
}

bool GameLibrary::recordLaunch(const QString& rom, qint64 startedAt, qint64 seconds) {
    if (!m_kept)
        return false;
    // Counted on from the record as stored now: another window on this folder may have
    // recorded a launch of the game since this library was read.
    PlayRecord record;
    const std::optional<QString> written =
        UpdateIni(m_file, kPlayed, rom, [&](const std::optional<QString>& stored) {
            record = stored ? parseRecord(*stored).value_or(PlayRecord{}) : PlayRecord{};
            record.launches = qMin(record.launches + 1, kMaxLaunches);
            record.seconds = qMin(record.seconds + qMax<qint64>(0, seconds), kMaxSeconds);
            record.lastStart = qBound<qint64>(0, startedAt, kMaxTime);
            return std::optional<QString>(recordText(record));
        });
    if (!written)
        return false;
    m_records.insert(rom, record);
    return true;
}

QString GameLibrary::describe(const PlayRecord& record) {
    if (record.launches == 0)
        return {};
    const qint64 minutes = record.seconds / 60;
    QString time = minutes >= 60 ? QStringLiteral("%1 h %2 min").arg(minutes / 60).arg(minutes % 60)
                                 : QStringLiteral("%1 min").arg(minutes);
    const QString day =
        QLocale::c().toString(QDateTime::fromSecsSinceEpoch(record.lastStart).toLocalTime().date(),
                              QStringLiteral("d MMM yyyy"));
    return QStringLiteral("Played %1, %2, last on %3")
        .arg(record.launches == 1 ? QStringLiteral("once")
                                  : QStringLiteral("%1 times").arg(record.launches),
             time, day);
}

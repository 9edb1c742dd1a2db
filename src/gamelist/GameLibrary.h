#pragma once

#include <QHash>
#include <QSet>
#include <QString>

#include <optional>

// How much a game has been played: launches, the time the emulator ran in all, and when the
// last launch started (seconds since 1970, UTC).
struct PlayRecord {
    qint64 launches = 0;
    qint64 seconds = 0;
    qint64 lastStart = 0;

    friend bool operator==(const PlayRecord&, const PlayRecord&) = default;
};

// The user's favourites and play records, keyed by ROM name, kept in dovrel/library.ini:
//   [Favourites]  rom=1            (0 once taken back)
//   [Played]      rom=launches,seconds,last start
// Every change is one write of one key with the INI writer, so the rest of the file, games
// that left the emulator's list included, stays as it is. The file exists only once the user
// has asked for it (a favourite marked, the recently played view turned on): until then
// launches are not recorded and nothing is written.
class GameLibrary {
public:
    GameLibrary() = default;

    // Reads the file. A missing file is an empty library. Entries that cannot be read (a
    // value that is not a record, a count or a time out of range) are left out, with one
    // warning on stderr for the file; the file itself is never changed by reading.
    static GameLibrary read(const QString& file);

    bool isFavourite(const QString& rom) const { return m_favourites.contains(rom); }
    qsizetype favouriteCount() const { return m_favourites.size(); }
    std::optional<PlayRecord> record(const QString& rom) const;
    const QHash<QString, PlayRecord>& records() const { return m_records; }

    // Creates the file when it is missing, so that launches are recorded from now on.
    bool keep();
    bool isKept() const { return m_kept; }

    // Stores the change and keeps it in memory when it was written; false (nothing changed)
    // when the file cannot be written or holds no key of that name (a ROM name with a line
    // break, or one that starts with "[" or holds "="). A favourite creates the file; a
    // launch is recorded only in a file that exists.
    bool setFavourite(const QString& rom, bool favourite);
    bool recordLaunch(const QString& rom, qint64 startedAt, qint64 seconds);

    // "Played 12 times, 3 h 20 min, last on 7 Dec 2026"; empty for a game never played.
    static QString describe(const PlayRecord& record);

    // The stored forms, exposed for the tests of the file format.
    static QString recordText(const PlayRecord& record);
    static std::optional<PlayRecord> parseRecord(const QString& text);

private:
    QString m_file;
    bool m_kept = false;
    QSet<QString> m_favourites;
    QHash<QString, PlayRecord> m_records;
};

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// One emulator among several in a data folder: a data folder of the usual kind (its own
// dovrel/, profiles, cache, library and pictures) and the name the user knows it by.
struct SystemEntry {
    QString name;
    // As stored: relative to the data folder that lists it, with '/', or absolute. "." is the
    // listing folder itself.
    QString folder;

    friend bool operator==(const SystemEntry&, const SystemEntry&) = default;
};

// The systems of a data folder, kept in its dovrel/systems.ini:
//   [Systems]
//   Count=2
//   Current=MAME
//   Name1=MAME        Folder1=mame
//   Name2=ScummVM     Folder2=/home/me/games/scummvm
// A data folder without that file is one system, itself, as it has always been.
struct SystemList {
    std::vector<SystemEntry> systems;
    QString current; // the name of the system shown last; empty for the first

    // The system of that name, letter case ignored; -1 when there is none.
    int indexOf(const QString& name) const;
    // The current system's index: 0 when `current` names none (or there is no system).
    int currentIndex() const;
    // The absolute folder of a system of this list, kept in `dataDir`.
    static QString folderPath(const QString& dataDir, const SystemEntry& system);
    // Why a name cannot be given to another system of this list, or empty when it can:
    // `except` is the index of the system being renamed, or -1.
    QString nameProblem(const QString& name, int except = -1) const;
};

// A list as read, and one line for each stored entry that was left out.
struct SystemListRead {
    SystemList list;
    QStringList warnings;
    // The entries left out only because their folder is not set up now (a drive not mounted,
    // a folder deleted by hand): kept in the file, so that they come back with the folder.
    std::vector<SystemEntry> absent;
};

namespace SystemLists {

inline constexpr int kMaxSystems = 99;

// Whether the folder has a list of systems at all.
bool exists(const QString& dataDir);

// The list from the file's bytes. An entry without a name or folder, with a name another
// entry has, or whose folder `isSetUp` rejects (deleted by hand, holding no
// dovrel/dovrel.ini) is left out with a warning; reading never fails. At most kMaxSystems
// entries are read, however large Count is.
SystemListRead parse(const QByteArray& bytes, const QString& dataDir,
                     const std::function<bool(const QString& folder)>& isSetUp);
// The same from the folder's dovrel/systems.ini, a folder counting as set up when it holds a
// dovrel/dovrel.ini file.
SystemListRead read(const QString& dataDir);

// Stores the list (through the INI writer, atomically), then the stored entries that are absent
// now (see SystemListRead) and not listed again. Entries of a longer list stored before are
// blanked, so that nothing of them is read back. False when it cannot be written
// or a name or folder cannot be stored (a line break); the file is then as it was.
bool write(const QString& dataDir, const SystemList& list);
// Stores only which system was shown last.
bool writeCurrent(const QString& dataDir, const QString& name);

// The entry for a folder inside `dataDir` (stored relative, so the whole folder can move) or
// elsewhere (stored absolute).
SystemEntry entryFor(const QString& dataDir, const QString& name, const QString& folder);

} // namespace SystemLists

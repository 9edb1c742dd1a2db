#pragma once

#include "systems/SystemList.h"

#include <QString>

class Dialogs;
class QTextStream;

// The command line's actions on a set-up data folder that may list several systems
// (dovrel/systems.ini), each run by GameCommands on one system's folder. A folder without a
// list is one system, and every action is then GameCommands' on the folder itself, byte for
// byte. The list is read once, when the commands are made: each entry it leaves out is one
// line on `err` then, and stops nothing.
class SystemCommands {
public:
    SystemCommands(const QString& dataDir, bool refresh, Dialogs& dialogs, QTextStream& out,
                   QTextStream& err);

    // One line a system: name, folder (absolute, native separators), ExeName of its dovrel.ini
    // as stored, and the number of games in its dovrel/glist.lst ("-" without one), separated
    // by tabs. A folder without a list is the one system, named by its WindowCaption or else
    // by the folder's name. The emulator is never asked. Returns 0.
    int systems();

    // GameCommands::list on the named system (letter case ignored). With no name in a folder
    // that lists systems, every system's games in the list's order, each line starting with
    // the system's name; a system whose list cannot be made is reported on `err`, the others
    // are still printed, and the status is 1.
    int list(const QString& system);
    // GameCommands' on the named system; with no name, on the system shown last.
    int printCommand(const QString& system, const QString& rom);
    int launch(const QString& system, const QString& rom);
    // Each of them ends with status 2, and does nothing, for a name that is none of the
    // list's, and for any name where there is no list.

private:
    bool listsSystems() const { return !m_list.systems.empty(); }
    // The folder the actions on that system run in: the named one, the one shown last, or the
    // data folder itself without a list. Empty, after one line on `err`, for an unknown name.
    QString folderOf(const QString& system);

    QString m_dataDir;
    bool m_refresh;
    Dialogs& m_dialogs;
    QTextStream& m_out;
    QTextStream& m_err;
    SystemList m_list;
};

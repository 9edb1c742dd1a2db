#pragma once

#include "session/GameSession.h"

#include <QString>

#include <optional>

class Dialogs;
class QTextStream;

// The actions of the command line on one set-up data folder, each run as start-up and Launch
// run it in the window, through the folder's session: the game list of the last start (or the
// emulator's, when there is none or `refresh` asks for it), the profiles applied to the
// options, the emulator started through the same launch. Each returns the exit status: 0, 1
// when the game list could not be made (the message that would end start-up goes to `err`), 2
// for a ROM name that is not in the list.
class GameCommands {
public:
    GameCommands(const QString& dataDir, bool refresh, Dialogs& dialogs, QTextStream& out,
                 QTextStream& err);

    // Every game of the list in its order: ROM name, tab, description, tab, 1 when its ROM file
    // exists (RomPath, name, RomExt) or 0. A tab or line break inside a field is written as a
    // blank, so each game stays one line of three fields. With a system's name, each line
    // starts with that name (written the same way) as a field of its own.
    int list(const std::optional<QString>& system = std::nullopt);
    // The program as it would be started (ExeName found in the data folder or on PATH), then
    // every argument, one a line.
    int printCommand(const QString& rom);
    // Starts the emulator on the game and waits; the play record is kept as Launch keeps it.
    // The emulator's exit status, 128 + its signal when it was killed, 127 when it could not
    // be started, 1 when the wait failed.
    int launch(const QString& rom);

    // A text as one field of such a line: a tab or line break in it written as a blank.
    static QString oneField(QString text);

private:
    bool loadGames();
    bool knows(const QString& rom);

    GameSession m_session;
    bool m_refresh;
    Dialogs& m_dialogs;
    QTextStream& m_out;
    QTextStream& m_err;
};

#include "cli/GameCommands.h"

#include <QSet>
#include <QTextStream>

#include <algorithm>

GameCommands::GameCommands(const QString& dataDir, bool refresh, Dialogs& dialogs, QTextStream& out,
                           QTextStream& err)
    : m_session(dataDir), m_refresh(refresh), m_dialogs(dialogs), m_out(out), m_err(err) {}

QString GameCommands::oneField(QString text) {
    std::replace_if(
        text.begin(), text.end(), [](QChar c) { return c == u'\t' || c == u'\n' || c == u'\r'; },
        QChar(u' '));
    return text;
}

bool GameCommands::loadGames() {
    // Relative paths (RomPath, the emulator) mean the data folder's files, as in the window.
    m_session.enterFolder();
    m_session.readSettings();
    // The list the window shows with quick start: asking the emulator takes seconds for a big
    // one (MAME), and its list changes only with a new version of it. A ROM folder is read
    // afresh: that takes milliseconds, and its games change whenever the user adds one.
    if (m_refresh || !m_session.hasCache() || ListsRomFolder(m_session.settings())) {
        const GameListResult result = m_session.generateList(m_dialogs);
        if (!result.ok) {
            GameSession::reportListFailure(result, m_err);
            return false;
        }
    }
    m_session.applySettingsDefaults();
    return true;
}

bool GameCommands::knows(const QString& rom) {
    m_session.loadGames(false);
    if (m_session.hasGame(rom))
        return true;
    m_err << QStringLiteral("tarvelin: no game with the ROM name \"%1\" in the game list\n")
                 .arg(oneField(rom));
    m_err.flush();
    return false;
}

int GameCommands::list(const std::optional<QString>& system) {
    if (!loadGames())
        return 1;
    // The same filter as the window's list of available games.
    QSet<QString> present;
    for (const GameEntry& game : m_session.loadGames(true))
        present.insert(game.rom);
    const QString first = system ? oneField(*system) + u'\t' : QString();
    for (const GameEntry& game : m_session.loadGames(false))
        m_out << first << oneField(game.rom) << u'\t' << oneField(game.description) << u'\t'
              << (present.contains(game.rom) ? u'1' : u'0') << u'\n';
    m_out.flush();
    return 0;
}

int GameCommands::printCommand(const QString& rom) {
    if (!loadGames())
        return 1;
    if (!knows(rom))
        return 2;
    m_out << m_session.programPath() << u'\n';
    for (const QString& argument : m_session.launchArguments(rom, m_session.optionsFor(rom)))
        m_out << argument << u'\n';
    m_out.flush();
    return 0;
}

int GameCommands::launch(const QString& rom) {
    if (!loadGames())
        return 1;
    if (!knows(rom))
        return 2;
    const RunResult result = m_session.launch(m_dialogs, rom, m_session.optionsFor(rom)).run;
    if (!result.started)
        return 127;
    if (!result.ended)
        return 1;
    if (result.crashed)
        return 128 + result.exitCode;
    return result.exitCode;
}

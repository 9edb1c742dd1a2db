#include "cli/GameCommands.h"

#include "base/AppPaths.h"
#include "gamelist/EndingMessage.h"
#include "gamelist/GameLibrary.h"
#include "gamelist/GameListGenerator.h"
#include "gamelist/GameListLoader.h"
#include "launch/LaunchEmulator.h"
#include "launch/ProgramLookup.h"
#include "options/CreateCLOString.h"
#include "options/MemoryPanelBuilder.h"
#include "options/MemoryPanelValues.h"
#include "options/OptionDefinitionReader.h"
#include "options/OptionTable.h"
#include "profiles/ProfileLoad.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QProcessEnvironment>
#include <QSet>
#include <QTextStream>

#include <algorithm>

namespace {

QString oneField(QString text) {
    std::replace_if(
        text.begin(), text.end(), [](QChar c) { return c == u'\t' || c == u'\n' || c == u'\r'; },
        QChar(u' '));
    return text;
}

} // namespace

GameCommands::GameCommands(const QString& dataDir, Dialogs& dialogs, QTextStream& out,
                           QTextStream& err)
    : m_dataDir(dataDir), m_dialogs(dialogs), m_out(out), m_err(err) {}

bool GameCommands::loadGames() {
    // Relative paths (RomPath, the emulator) mean the data folder's files, as in the window.
    QDir::setCurrent(m_dataDir);
    m_settings = ReadFrontEndSettings(m_dataDir);
    const FrontEndSettings& s = m_settings;
    const GameListResult result =
        GenerateGameList(m_dialogs, GameListRequestFor(m_dataDir, s), ListLayoutFor(s));
    if (!result.ok) {
        if (!result.cause.isEmpty())
            m_err << EndingMessageForStderr(result.cause);
        m_err << EndingMessageForStderr(result.message);
        m_err.flush();
        return false;
    }
    ApplySettingsDefaults(m_settings, m_dataDir);
    m_games = LoadGameEntries(AppPaths::gameListCache(m_dataDir), false, m_settings.RomPath,
                              m_settings.RomExt);
    return true;
}

bool GameCommands::knows(const QString& rom) {
    if (std::any_of(m_games.begin(), m_games.end(),
                    [&rom](const GameEntry& game) { return game.rom == rom; }))
        return true;
    m_err << QStringLiteral("tarvelin: no game with the ROM name \"%1\" in the game list\n")
                 .arg(oneField(rom));
    m_err.flush();
    return false;
}

QString GameCommands::optionsFor(const QString& rom) const {
    // The panel as start-up builds it and selecting the game loads it, without widgets and
    // without writing the default profile that the window writes when it is missing.
    OptionTable table;
    MemoryPanelValues panel;
    MemoryPanelBuilder builder(panel);
    Options::ReadOptionDefinitions(AppPaths::optionDefinitions(m_dataDir), table, builder);
    ProfileLoad::showValues(m_dataDir, rom, table, panel, ProfileLoad::MissingDefaults::FromPanel);
    return Options::CreateCLOString(table, panel);
}

int GameCommands::list() {
    if (!loadGames())
        return 1;
    // The same filter as the window's list of available games.
    QSet<QString> present;
    for (const GameEntry& game : LoadGameEntries(AppPaths::gameListCache(m_dataDir), true,
                                                 m_settings.RomPath, m_settings.RomExt))
        present.insert(game.rom);
    for (const GameEntry& game : std::as_const(m_games))
        m_out << oneField(game.rom) << u'\t' << oneField(game.description) << u'\t'
              << (present.contains(game.rom) ? u'1' : u'0') << u'\n';
    m_out.flush();
    return 0;
}

int GameCommands::printCommand(const QString& rom) {
    if (!loadGames())
        return 1;
    if (!knows(rom))
        return 2;
    const QString path = QProcessEnvironment::systemEnvironment().value(QStringLiteral("PATH"));
    m_out << FindProgram(m_settings.ExeName, m_dataDir, SearchPathFolders(path)) << u'\n';
    for (const QString& argument : LaunchArguments(m_settings, rom, optionsFor(rom)))
        m_out << argument << u'\n';
    m_out.flush();
    return 0;
}

int GameCommands::launch(const QString& rom) {
    if (!loadGames())
        return 1;
    if (!knows(rom))
        return 2;
    const QString options = optionsFor(rom);
    const qint64 startedAt = QDateTime::currentSecsSinceEpoch();
    QElapsedTimer ran;
    ran.start();
    const RunResult result = LaunchEmulator(m_dialogs, m_dataDir, m_settings, rom, options);
    GameLibrary library = GameLibrary::read(AppPaths::library(m_dataDir));
    library.recordLaunch(rom, startedAt, (ran.elapsed() + 500) / 1000);
    if (!result.started)
        return 127;
    if (!result.ended)
        return 1;
    if (result.crashed)
        return 128 + result.exitCode;
    return result.exitCode;
}

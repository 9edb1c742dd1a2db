#include "session/GameSession.h"

#include "base/AppPaths.h"
#include "base/Ini.h"
#include "gamelist/BackgroundGameList.h"
#include "gamelist/GameDetailsCache.h"
#include "gamelist/EndingMessage.h"
#include "gamelist/GameListLoader.h"
#include "launch/LaunchEmulator.h"
#include "launch/ProgramLookup.h"
#include "options/CreateCLOString.h"
#include "options/MemoryPanelBuilder.h"
#include "options/MemoryPanelValues.h"
#include "options/OptionDefinitionReader.h"
#include "profiles/ProfileLoad.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QTextStream>

#include <algorithm>

namespace {

QString flag(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

GameSession::GameSession(QString dataDir, QObject* parent)
    : QObject(parent), m_appDir(std::move(dataDir)) {}

GameSession::~GameSession() = default;

void GameSession::enterFolder() const {
    QDir::setCurrent(m_appDir);
}

void GameSession::readSettings() {
    m_settings = ReadFrontEndSettings(m_appDir);
    m_library = GameLibrary::read(AppPaths::library(m_appDir));
}

void GameSession::applySettingsDefaults() {
    ApplySettingsDefaults(m_settings, m_appDir);
}

ViewChoices GameSession::storedViewChoices() const {
    const IniSnapshot stored(AppPaths::settingsFile(m_appDir));
    const auto on = [&stored](const char* key) {
        return stored.read(QStringLiteral("Settings"), QString::fromLatin1(key)) == u"1";
    };
    ViewChoices choices;
    choices.favouritesOnly = on("FavouritesOnly");
    choices.recentlyPlayed = on("RecentlyPlayed");
    choices.sortByTitle = on("SortByTitle") && !choices.recentlyPlayed;
    if (!detailFields().isEmpty()) {
        // Ranking came with the details; a list without them keeps its order, as it always has.
        choices.rankMatches = true;
        choices.hideClones = on("HideClones");
        choices.workingOnly = on("WorkingOnly");
        choices.detailsTable = on("Details");
        choices.sortField = stored.read(QStringLiteral("Settings"), QStringLiteral("DetailsSort"));
        choices.sortDescending = on("DetailsSortDescending");
    }
    return choices;
}

QByteArray GameSession::storedDetailsColumns() const {
    return QByteArray::fromBase64(
        ReadIni(AppPaths::settingsFile(m_appDir), "Settings", "DetailsColumns").toLatin1());
}

void GameSession::storeDetailsColumns(const QByteArray& state) const {
    writeSetting("DetailsColumns", QString::fromLatin1(state.toBase64()));
}

void GameSession::writeSetting(const char* key, const QString& value) const {
    WriteIni(AppPaths::settingsFile(m_appDir), QStringLiteral("Settings"), QString::fromLatin1(key),
             value);
}

void GameSession::storeShowConfig(bool shown) const {
    writeSetting("ShowConfig", flag(shown));
}

void GameSession::storeShowMissingRoms(bool listed) const {
    writeSetting("ShowMissingRoms", flag(listed));
}

void GameSession::storeViewChoices(const ViewChoices& choices) const {
    std::vector<IniEntry> entries{{"Settings", "FavouritesOnly", flag(choices.favouritesOnly)},
                                  {"Settings", "RecentlyPlayed", flag(choices.recentlyPlayed)},
                                  {"Settings", "SortByTitle", flag(choices.sortByTitle)}};
    // A list without details keeps the standard keys alone.
    if (!detailFields().isEmpty())
        entries.insert(entries.end(),
                       {{"Settings", "HideClones", flag(choices.hideClones)},
                        {"Settings", "WorkingOnly", flag(choices.workingOnly)},
                        {"Settings", "Details", flag(choices.detailsTable)},
                        {"Settings", "DetailsSort", choices.sortField},
                        {"Settings", "DetailsSortDescending", flag(choices.sortDescending)}});
    WriteIniEntries(AppPaths::settingsFile(m_appDir), entries);
}

void GameSession::setRomPath(const QString& path) {
    m_settings.RomPath = path;
    writeSetting("RomPath", path);
}

void GameSession::setQuickStart(bool on) {
    m_settings.QuickStart = on;
    writeSetting("QuickStart", flag(on));
}

GameListResult GameSession::generateList(Dialogs& dialogs) {
    const GameListResult result = GenerateGameList(
        dialogs, GameListRequestFor(m_appDir, m_settings), ListLayoutFor(m_settings));
    if (result.ok) {
        m_helpText = result.HelpText;
        m_listChanged = result.cacheChanged;
    }
    return result;
}

bool GameSession::hasCache() const {
    return QFileInfo(AppPaths::gameListCache(m_appDir)).isFile();
}

bool GameSession::startsQuickly() const {
    // Without a list command or a ROM folder to list there is nothing to wait for; without a
    // cache nothing to show.
    return m_settings.QuickStart &&
           (!m_settings.GameListCommand.isEmpty() || ListsRomFolder(m_settings)) && hasCache();
}

const QList<GameEntry>& GameSession::loadGames(bool onlyAvailable) {
    // A relative RomPath is this folder's, as the emulator started here reads it, even while
    // another session's folder is the current one (several systems in one process).
    const QString romPath =
        m_settings.RomPath.isEmpty() ? m_settings.RomPath
                                     : QDir(m_appDir).absoluteFilePath(m_settings.RomPath);
    m_games = LoadGameEntries(AppPaths::gameListCache(m_appDir), onlyAvailable, romPath,
                              m_settings.RomExt);
    const QStringList fields = detailFields();
    QString warning;
    // With the missing-ROM filter on, the details file holds games that were not loaded.
    m_details = fields.isEmpty() || m_games.isEmpty()
                    ? GameDetails()
                    : LoadGameDetails(AppPaths::gameDetails(m_appDir), fields, m_games,
                                      !onlyAvailable, &warning);
    // Start-up may load the list twice; the user hears of the file once, until it is good.
    if (!warning.isEmpty() && warning != m_detailsWarning)
        QTextStream(stderr) << "tarvelin: " << warning << '\n';
    m_detailsWarning = warning;
    return m_games;
}

QStringList GameSession::detailFields() const {
    return GameDetails::fieldsFrom(m_settings.DetailFields);
}

bool GameSession::hasGame(const QString& rom) const {
    return std::any_of(m_games.begin(), m_games.end(),
                       [&rom](const GameEntry& game) { return game.rom == rom; });
}

void GameSession::reportListFailure(const GameListResult& result, QTextStream& err) {
    if (!result.cause.isEmpty())
        err << EndingMessageForStderr(result.cause);
    err << EndingMessageForStderr(result.message);
    err.flush();
}

void GameSession::startBackgroundList() {
    m_backgroundList = new BackgroundGameList(GameListRequestFor(m_appDir, m_settings),
                                              ListLayoutFor(m_settings), this);
    connect(m_backgroundList, &BackgroundGameList::finished, this,
            &GameSession::backgroundListEnded);
    m_backgroundList->start();
}

bool GameSession::backgroundListRunning() const {
    return m_backgroundList && m_backgroundList->running();
}

void GameSession::backgroundListEnded(const GameListResult& result) {
    m_pendingList = std::make_unique<GameListResult>(result);
    // A launch's wait processes events: the list is replaced when the launch has returned.
    if (!m_launchBusy)
        finishLaunch(false);
}

void GameSession::finishLaunch(bool windowGoing) {
    const std::unique_ptr<GameListResult> result = std::move(m_pendingList);
    // A window that is going needs no list; the cache is written already.
    if (!result || windowGoing)
        return;
    if (!result->ok) {
        // The list from the last start stays; the cause goes to stderr, the user hears of it.
        QTextStream err(stderr);
        reportListFailure(*result, err);
        emit listRefreshFailed(*result);
        return;
    }
    m_helpText = result->HelpText;
    if (result->cacheChanged)
        emit listReplaced();
}

QString GameSession::commandOptions(const PanelValues& panel) const {
    return Options::CreateCLOString(m_optionTable, panel);
}

QString GameSession::optionsFor(const QString& rom) const {
    // The panel as start-up builds it and selecting the game loads it, without widgets and
    // without writing the default profile that the window writes when it is missing.
    OptionTable table;
    MemoryPanelValues panel;
    MemoryPanelBuilder builder(panel);
    Options::ReadOptionDefinitions(AppPaths::optionDefinitions(m_appDir), table, builder);
    ProfileLoad::showValues(m_appDir, rom, table, panel, ProfileLoad::MissingDefaults::FromPanel);
    return Options::CreateCLOString(table, panel);
}

QString GameSession::programPath() const {
    const QString path = QProcessEnvironment::systemEnvironment().value(QStringLiteral("PATH"));
    return FindProgram(m_settings.ExeName, m_appDir, SearchPathFolders(path));
}

QStringList GameSession::launchArguments(const QString& rom, const QString& options) const {
    return LaunchArguments(m_settings, rom, options);
}

GameSession::Launched GameSession::launch(Dialogs& dialogs, const QString& rom,
                                          const QString& options) {
    m_launchBusy = true;
    const qint64 startedAt = QDateTime::currentSecsSinceEpoch();
    QElapsedTimer ran;
    ran.start();
    Launched launched;
    emit launchStarting();
    launched.run = LaunchEmulator(dialogs, m_appDir, m_settings, rom, options);
    emit launchEnded();
    // A game the play record cannot be stored for is simply not recorded.
    launched.recorded = m_library.recordLaunch(rom, startedAt, (ran.elapsed() + 500) / 1000);
    m_launchBusy = false;
    return launched;
}

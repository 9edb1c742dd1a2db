#pragma once

#include "base/Settings.h"
#include "gamelist/GameDetails.h"
#include "gamelist/GameEntry.h"
#include "gamelist/GameLibrary.h"
#include "gamelist/GameListGenerator.h"
#include "gamelist/GameListView.h"
#include "launch/RunAndWait.h"
#include "options/OptionTable.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class BackgroundGameList;
class Dialogs;
class PanelValues;
class QTextStream;

// One data folder as the window and the command line use it: its front-end settings, the game
// list from the emulator or the cache (and, with quick start, the emulator's new list in the
// background), the play library, the option table, the composed command line and the launch
// with its play record. It keeps no process-wide state of its own, so two sessions of two
// folders can live in one process; the one process-wide thing the standard behaviour changes,
// the current folder, is set by enterFolder() alone.
class GameSession : public QObject {
    Q_OBJECT
public:
    explicit GameSession(QString dataDir, QObject* parent = nullptr);
    ~GameSession() override;

    const QString& appDir() const { return m_appDir; }
    FrontEndSettings& settings() { return m_settings; }
    const FrontEndSettings& settings() const { return m_settings; }
    // The head of the emulator's list output, for the About window.
    const QString& HelpText() const { return m_helpText; }
    void setHelpText(const QString& text) { m_helpText = text; }
    // While the emulator runs; a second launch is refused meanwhile.
    bool LaunchBusy() const { return m_launchBusy; }
    GameLibrary& library() { return m_library; }
    const GameLibrary& library() const { return m_library; }
    OptionTable& optionTable() { return m_optionTable; }
    const OptionTable& optionTable() const { return m_optionTable; }

    // Makes the data folder the current one, so that relative paths (RomPath, the emulator)
    // mean its files, as the emulator's own start leaves it.
    void enterFolder() const;

    // Reads the settings (without the RomPath and RomExt defaults, see applySettingsDefaults)
    // and the play library.
    void readSettings();
    void applySettingsDefaults();
    // The view choices stored with the settings.
    ViewChoices storedViewChoices() const;

    // The settings keys that the window's menus change, each written at once.
    void storeShowConfig(bool shown) const;
    void storeShowMissingRoms(bool listed) const;
    void storeViewChoices(const ViewChoices& choices) const;
    // The details table's column widths and order, as its header saves them.
    QByteArray storedDetailsColumns() const;
    void storeDetailsColumns(const QByteArray& state) const;
    void setRomPath(const QString& path);
    void setQuickStart(bool on);

    // The emulator's list command run as at start-up, waiting for it: writes the cache and
    // keeps the help text. A failed run leaves the cache as it was.
    GameListResult generateList(Dialogs& dialogs);
    // Whether the last generateList left other bytes in the cache than it found.
    bool listChanged() const { return m_listChanged; }
    bool hasCache() const;
    // Quick start applies: it is on, there is a list command and a cache to show meanwhile.
    bool startsQuickly() const;
    // Loads the games of the cache: every game, or only those whose ROM file exists.
    const QList<GameEntry>& loadGames(bool onlyAvailable);
    // The games of the last load, in the cache's order.
    const QList<GameEntry>& games() const { return m_games; }
    // The details of the last load's games, row r for games()[r]; empty when DetailFields is
    // not set or the details cache could not be used.
    const GameDetails& details() const { return m_details; }
    // The fields DetailFields names; none for a list without details.
    QStringList detailFields() const;
    bool hasGame(const QString& rom) const;
    // Writes a failed list's message, and the cause it does not give, to `err`.
    static void reportListFailure(const GameListResult& result, QTextStream& err);

    // Quick start: the list command in the background. When it has ended (and no launch is
    // waiting: its end is held until finishLaunch), listReplaced or listRefreshFailed follows.
    void startBackgroundList();
    bool backgroundListRunning() const;

    // The option string of the panel, and of a game's profile without a panel (the profile
    // values over the defaults, nothing written).
    QString commandOptions(const PanelValues& panel) const;
    QString optionsFor(const QString& rom) const;
    // The program as it would be started, and its arguments for one game.
    QString programPath() const;
    QStringList launchArguments(const QString& rom, const QString& options) const;

    struct Launched {
        RunResult run;
        bool recorded = false; // the play record was stored
    };
    // Starts the emulator on the game and waits; the launch is recorded in the library.
    Launched launch(Dialogs& dialogs, const QString& rom, const QString& options);
    // After a launch in the window: a background list that ended meanwhile is reported now,
    // or dropped when the window is going.
    void finishLaunch(bool windowGoing);

signals:
    // Around the emulator's run in launch(): whatever reads a controller leaves it to the
    // emulator meanwhile.
    void launchStarting();
    void launchEnded();
    // The background list is in the cache and holds other games than before.
    void listReplaced();
    void listRefreshFailed(const GameListResult& result);

private:
    void backgroundListEnded(const GameListResult& result);
    void writeSetting(const char* key, const QString& value) const;

    const QString m_appDir;
    FrontEndSettings m_settings;
    QString m_helpText;
    bool m_launchBusy = false;
    bool m_listChanged = true;
    GameLibrary m_library;
    OptionTable m_optionTable;
    QList<GameEntry> m_games;
    GameDetails m_details;
    QString m_detailsWarning; // the last one given, so that it is given once
    BackgroundGameList* m_backgroundList = nullptr;
    // A background list that ended during a launch, reported when the launch returns.
    std::unique_ptr<GameListResult> m_pendingList;
};

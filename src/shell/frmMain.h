#pragma once

#include "gamelist/GameLibrary.h"
#include "gamelist/GameListTable.h"
#include "gamelist/GameListView.h"
#include "gamelist/ui/GameListBox.h"
#include "options/CreateCLOString.h"
#include "options/OptionTable.h"
#include "options/ui/OptionsPanel.h"
#include "profiles/Profiles.h"
#include "shell/AppState.h"
#include "ui/Twips.h"

#include <QGroupBox>
#include <QMainWindow>
#include <QPointer>

#include <memory>
#include <optional>

class BackgroundGameList;
class Dialogs;
class ListWaitWindow;
struct GameListResult;
class GameFilterField;
class PicturePane;
class frmAbout;
class frmControls;
class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTimer;

// The main window: the game list, the launch and profile buttons, the options panel built from
// its templates, and the menus. It binds the subsystem cores to these widgets.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    frmMain(AppState& state, Dialogs& dialogs, QWidget* parent = nullptr);
    ~frmMain() override;

    // The start-up sequence. Returns false when the program must end without showing a window.
    // With quick start on and a cache in place, the list comes from the cache and the emulator
    // is asked for a new one in the background (see backgroundListRunning()).
    bool Form_Load();
    void ReadDovrelCFG();

    // Game list: generation at start-up (false = the program must end), filling the list.
    bool MakeGamelist(const QString& GlName, qint16 StartLine, double HelpEnd, qint16 RomLen);
    // Whether the last MakeGamelist left other bytes in the cache than it found.
    bool gameListChanged() const { return m_gameListChanged; }
    void LoadGameList(bool OnlyAvailable);
    // Options panel: built once at start-up from the option definitions.
    void InitCfg();
    QString CreateCLOString() const;
    // The option table and the panel's values by row number.
    OptionTable& optionTable() { return m_optionTable; }
    const OptionTable& optionTable() const { return m_optionTable; }
    OptionsPanel& optionsPanel() { return m_optionsPanel; }
    const OptionsPanel& optionsPanel() const { return m_optionsPanel; }
    // Where the first category frame is on the window, before and after InitCfg moves it into
    // the panel's scroll area: the window width that shows the panel is computed from these.
    double fraCat1LeftTw() const { return m_optionsPanel.firstFrameLeftTw(fraCat1); }
    double fraCat1WidthTw() const { return Twips::fromPx(fraCat1->width()); }
    // Selecting a game loads its profile into the panel.
    void lstGames_Click();
    void ReadCfg();
    // Launch (also a double-click or Enter on a game) and the three profile buttons. Save,
    // Revert and Launch do nothing while no game is selected.
    void cmdLaunch_Click();
    void cmdSaveDefault_Click();
    void cmdSaveRom_Click();
    void cmdRevert_Click();
    // Menu actions; start-up also runs the two toggles to apply the stored settings.
    void mnuViewShowGameConfig_Click();
    void mnuShowMissingRoms_Click();
    void mnuConfigSetRomPath_Click();
    void mnuConfigEmulator_Click();
    void mnuHelpAbout_Click();
    // Finding games: the filter field above the list, favourites and the other views. Each
    // view's check mark is stored in dovrel.ini; none set shows the list as loaded.
    void openFilter(const QString& typed = QString());
    void closeFilter();
    void mnuViewFavourite_Click();
    void setViewChoices(const ViewChoices& choices);
    const ViewChoices& viewChoices() const { return m_view; }
    GameLibrary& library() { return m_library; }
    // Quick start: the menu toggle, and whether the background list command still runs.
    void mnuConfigQuickStart_Click();
    bool backgroundListRunning() const;
    // The window that tells of a slow list command at start-up; null once the window shows.
    ListWaitWindow* listWaitWindow() const { return m_listWait.get(); }

    // Outer sizes in twips: client area plus menu bar plus the window frame (0 until the
    // window manager has framed the window).
    double outerHeightTw() const;
    void setOuterHeightTw(double twips);
    double outerWidthTw() const;
    void setOuterWidthTw(double twips);
    // The tallest outer height the screen's available area allows, in twips.
    double maxOuterHeightTw() const;

    AppState& state() { return m_state; }
    Dialogs& dialogs() { return m_dialogs; }

    // Fixed controls.
    QWidget* client = nullptr;
    GameListBox* lstGames = nullptr;
    GameFilterField* txtFilter = nullptr; // hidden until the user types in the list
    QPushButton* cmdLaunch = nullptr;
    QPushButton* cmdSaveDefault = nullptr;
    QPushButton* cmdSaveRom = nullptr;
    QPushButton* cmdRevert = nullptr;
    // The selected game's picture beside the options panel; only when PictureSources is set.
    PicturePane* picGame = nullptr;

    // Templates of the options panel (element 1 of each control array).
    QGroupBox* fraCat1 = nullptr;
    QLabel* lblConfig1 = nullptr;
    QLineEdit* txtConfig1 = nullptr;
    QComboBox* cmbConfig1 = nullptr;
    QCheckBox* chkCfg1 = nullptr;

    // Menus.
    QMenu* mnuConfig = nullptr;
    QAction* mnuConfigControls = nullptr;
    QAction* mnuConfigEmulator = nullptr;
    QAction* mnuConfigSetRomPath = nullptr;
    QAction* mnuConfigQuickStart = nullptr;
    QMenu* mnuView = nullptr;
    QAction* mnuShowMissingRoms = nullptr;
    QAction* mnuViewShowGameConfig = nullptr;
    QAction* mnuViewFind = nullptr;
    QAction* mnuViewFavourite = nullptr;
    QAction* mnuViewFavouritesOnly = nullptr;
    QAction* mnuViewRecentlyPlayed = nullptr;
    QAction* mnuViewSortByTitle = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuHelpAbout = nullptr;

    // ROM name and description of each lstGames entry, row = list index.
    GameListTable GameList;

    // Opens the control assignment window, or brings the open one to the front. Without
    // control definitions it says that the emulator's inputs are set in the emulator.
    void mnuConfigControls_Click();

protected:
    void showEvent(QShowEvent* event) override;
    // While the emulator runs, closing only hides the window: the launch's wait returns into
    // it, and the program ends then.
    void closeEvent(QCloseEvent* event) override;
    // Enter or Return in the game list launches the selected game.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildFixedControls();
    void fitGameListToEntries();
    void buildTemplates();
    void buildMenus();
    void buildViewMenu();
    // Fills lstGames with the games the view shows. With `keep`, the game of that ROM name
    // stays selected, its profile untouched, when it is still listed; otherwise the first
    // entry is selected and its profile loaded, as after every fill.
    void showGames(const std::optional<QString>& keep);
    void fillList();
    // Quick start: the list command in the background, and its outcome.
    bool startsQuickly() const;
    void startBackgroundListSoon();
    void startBackgroundList();
    void closeListWait();
    void backgroundListEnded(const GameListResult& result);
    void applyBackgroundList();
    // The list filled anew from the cache with the selected game, its panel and the scroll
    // position kept.
    void reloadGamesInPlace();
    void fitListKeepingFilter();
    void placeFilterField();
    void updateFavouriteMark();
    void storeViewChoices() const;
    void setClientSizePx(int width, int height);
    void buildPicturePane();
    void showPicture();
    // The outer width that shows the options panel (and the pictures beside it).
    double panelShownWidthTw() const;
    // The ROM name of the selected game; nullopt when no game is selected.
    std::optional<QString> selectedRom() const;

    AppState& m_state;
    Dialogs& m_dialogs;
    QPointer<frmControls> m_controls; // null once the window has closed
    QPointer<frmAbout> m_about;
    double m_requestedOuterWidthTw = 0; // re-applied once the window frame is known
    // The states behind the two check marks (Qt flips a checkable action before it reports the
    // click, so the mark alone cannot say what it was).
    bool m_panelShown = false;
    bool m_missingListed = false;
    GameLibrary m_library;
    GameListView m_listView;
    ViewChoices m_view;
    QRect m_listGeometry; // lstGames where the filter field does not take its top
    OptionTable m_optionTable;
    OptionsPanel m_optionsPanel;
    Profiles m_profiles{m_state.appDir, m_dialogs, m_optionTable, m_optionsPanel};
    bool m_closeWhenLaunchEnds = false;
    QTimer* m_listWaitDelay = nullptr;
    std::unique_ptr<ListWaitWindow> m_listWait;
    // Quick start: the list command waits for the list's first paint (or a second at most).
    bool m_backgroundPending = false;
    bool m_gameListChanged = true;
    BackgroundGameList* m_backgroundList = nullptr;
    // A background list that ended during a launch, applied when the launch returns.
    std::unique_ptr<GameListResult> m_pendingList;
};

#pragma once

#include "gamelist/GameListRows.h"
#include "gamelist/GameListView.h"
#include "gamelist/ui/GameDetailsTable.h"
#include "gamelist/ui/GameListBox.h"
#include "gamelist/ui/GameListPane.h"
#include "gamelist/ui/GameListSource.h"
#include "options/ui/OptionsPanel.h"
#include "profiles/Profiles.h"
#include "session/GameSession.h"
#include "shell/MainMenus.h"
#include "ui/FixedWindowSize.h"
#include "ui/Twips.h"

#include <QGroupBox>
#include <QMainWindow>
#include <QPointer>

#include <optional>

class Dialogs;
class FullScreenView;
class ListWaitWindow;
class PadControl;
class PicturePane;
class frmAbout;
class frmControls;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The main window: the game list, the launch and profile buttons, the options panel built from
// its templates, and the menus, laid out at their fixed places. It wires them to the session
// of its data folder, which does the work.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    frmMain(GameSession& session, Dialogs& dialogs, QWidget* parent = nullptr);
    ~frmMain() override;

    // The start-up sequence. Returns false when the program must end without showing a window.
    // With quick start on and a cache in place, the list comes from the cache and the emulator
    // is asked for a new one in the background (see backgroundListRunning()).
    bool Form_Load();
    void ReadDovrelCFG();
    // Fills lstGames from the cache (every game, or those whose ROM file exists), grows the
    // list to its entries and selects the first.
    void LoadGameList(bool OnlyAvailable);
    // Options panel: built once at start-up from the option definitions.
    void InitCfg();
    QString CreateCLOString() const { return m_session.commandOptions(m_optionsPanel); }
    OptionTable& optionTable() { return m_session.optionTable(); }
    const OptionTable& optionTable() const { return m_session.optionTable(); }
    OptionsPanel& optionsPanel() { return m_optionsPanel; }
    const OptionsPanel& optionsPanel() const { return m_optionsPanel; }
    // GameList: the ROM name and description of each lstGames entry, row = list index.
    const GameListRows& GameList() const { return m_pane->rows(); }
    // Where the games show: the details table while it is on, else lstGames.
    QAbstractItemView* gameView() const { return m_pane->activeView(); }
    // Where the first category frame is on the window, before and after InitCfg moves it into
    // the panel's scroll area: the window width that shows the panel is computed from these.
    double fraCat1LeftTw() const { return m_optionsPanel.firstFrameLeftTw(fraCat1); }
    double fraCat1WidthTw() const { return Twips::fromPx(fraCat1->width()); }
    // Selecting a game loads its profile into the panel.
    void lstGames_Click();
    void ReadCfg() { m_profiles.ReadCfg(selectedRom()); }
    // Launch (also a double-click or Enter on a game) and the three profile buttons. Save,
    // Revert and Launch do nothing while no game is selected.
    void cmdLaunch_Click();
    void cmdSaveDefault_Click() { m_profiles.SaveToDefault(); }
    void cmdSaveRom_Click();
    void cmdRevert_Click();
    // Menu actions; start-up also runs the two toggles to apply the stored settings.
    void mnuViewShowGameConfig_Click();
    void mnuShowMissingRoms_Click();
    void mnuConfigSetRomPath_Click();
    void mnuConfigEmulator_Click();
    void mnuConfigControls_Click();
    void mnuHelpAbout_Click();
    // Full Screen (F11): the list and the picture large; Full Screen again or Escape go back.
    void mnuViewFullScreen_Click();
    FullScreenView& fullScreenView() { return *m_fullScreen; }
    // Game controllers, unless the settings turn them off; main() calls it after Form_Load.
    // Null until then, and when off.
    void enableControllers();
    PadControl* padControl() const { return m_pad; }
    // Finding games: the filter field above the list, favourites and the other views. Each
    // view's check mark is stored in dovrel.ini; none set shows the list as loaded.
    void openFilter(const QString& typed = QString()) { m_pane->openFilter(typed); }
    void closeFilter() { m_pane->closeFilter(); }
    void mnuViewFavourite_Click();
    void setViewChoices(const ViewChoices& choices);
    const ViewChoices& viewChoices() const { return m_pane->viewChoices(); }
    GameLibrary& library() { return m_session.library(); }
    // Whether quick start's background list command is still to come or still runs.
    bool backgroundListRunning() const { return m_listSource->backgroundListRunning(); }
    // The window that tells of a slow list command at start-up; null once the window shows.
    ListWaitWindow* listWaitWindow() const { return m_listSource->listWaitWindow(); }

    // Outer sizes in twips: client area plus menu bar plus the window frame (0 until the
    // window manager has framed the window). The height stops at the screen's.
    double outerHeightTw() const { return m_size.outerHeightTw(); }
    void setOuterHeightTw(double twips) { m_size.setOuterHeightTw(twips); }
    double outerWidthTw() const { return m_size.outerWidthTw(); }
    void setOuterWidthTw(double twips) { m_size.setOuterWidthTw(twips); }
    double maxOuterHeightTw() const { return m_size.maxOuterHeightTw(); }

    GameSession& session() { return m_session; }
    Dialogs& dialogs() { return m_dialogs; }
    const MainMenus& menus() const { return *m_menus; }
    MainMenus& menus() { return *m_menus; }

    // The controls of the fixed layout and the templates of the options panel (element 1 of
    // each control array), by their standard names.
    GameListBox* lstGames = nullptr;
    QPushButton* cmdLaunch = nullptr;
    QPushButton* cmdSaveDefault = nullptr;
    QPushButton* cmdSaveRom = nullptr;
    QPushButton* cmdRevert = nullptr;
    QGroupBox* fraCat1 = nullptr;
    QLabel* lblConfig1 = nullptr;
    QLineEdit* txtConfig1 = nullptr;
    QComboBox* cmbConfig1 = nullptr;
    QCheckBox* chkCfg1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    // While the emulator runs, closing only hides the window: the launch's wait returns into
    // it, and the program ends then.
    void closeEvent(QCloseEvent* event) override;

private:
    void buildFixedControls();
    void buildTemplates();
    void wireMenus();
    void fitGameListToEntries();
    void reloadGamesInPlace();
    void updateFavouriteMark();
    void viewChoicesToggled(bool recentlyPlayedOn);
    void buildPicturePane();
    void showPicture();
    // The outer width that shows the options panel (and the pictures beside it).
    double panelShownWidthTw() const;
    std::optional<QString> selectedRom() const { return m_pane->selectedRom(); }

    GameSession& m_session;
    Dialogs& m_dialogs;
    QWidget* m_client;
    FixedWindowSize m_size;
    GameListPane* m_pane = nullptr;
    MainMenus* m_menus = nullptr;
    GameListSource* m_listSource = nullptr;
    PicturePane* m_picture = nullptr; // only when PictureSources is set
    FullScreenView* m_fullScreen = nullptr;
    PadControl* m_pad = nullptr;
    QPointer<frmControls> m_controls; // null once the window has closed
    QPointer<frmAbout> m_about;
    // The states behind the two check marks.
    bool m_panelShown = false;
    bool m_missingListed = false;
    OptionsPanel m_optionsPanel;
    Profiles m_profiles;
    bool m_closeWhenLaunchEnds = false;
};

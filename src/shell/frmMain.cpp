#include "shell/frmMain.h"

#include "about/ui/frmAbout.h"
#include "base/AppPaths.h"
#include "base/Dialogs.h"
#include "controls/ui/frmControls.h"
#include "gamelist/ListFit.h"
#include "pictures/PictureSources.h"
#include "pictures/ui/PicturePane.h"
#include "shell/FullScreenView.h"
#include "shell/PadControl.h"
#include "ui/WidgetPlacement.h"
#include "ui/WindowFrame.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>

using namespace WidgetPlacement;

namespace {

// Design-time client area of the main window, in twips.
constexpr double kClientWidthTw = 5940;
constexpr double kClientHeightTw = 5145;

} // namespace

frmMain::frmMain(GameSession& session, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), m_session(session), m_dialogs(dialogs),
      m_client(named(new QWidget(this), "client")), m_size(this, m_client),
      m_profiles(session.appDir(), dialogs, session.optionTable(), m_optionsPanel) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Tarvelin Launcher"));
    setFont(QFont(QStringLiteral("Arial"), 12));
    setCentralWidget(m_client);
    buildFixedControls();
    buildTemplates();
    m_menus = new MainMenus(menuBar());
    wireMenus();
    m_fullScreen = new FullScreenView(this, m_client, lstGames, m_menus->mnuViewFullScreen,
                                      [this] { closeFilter(); });
    m_listSource = new GameListSource(m_session, m_dialogs, this);
    connect(&m_session, &GameSession::listReplaced, this, &frmMain::reloadGamesInPlace);
    m_size.setClientSizePx(Twips::toPx(kClientWidthTw), Twips::toPx(kClientHeightTw));
}

frmMain::~frmMain() = default;

void frmMain::buildFixedControls() {
    m_pane = new GameListPane(m_session.library(), m_client);
    lstGames = m_pane->list();
    placeTw(lstGames, 240, 120, 5535, 4380);
    // Every change of the selected game, the user's or LoadGameList's, loads its profile.
    connect(m_pane, &GameListPane::selectionChanged, this, &frmMain::lstGames_Click);
    connect(m_pane, &GameListPane::launchAsked, this, &frmMain::cmdLaunch_Click);
    connect(m_pane, &GameListPane::refilled, this, &frmMain::updateFavouriteMark);
    connect(m_pane, &GameListPane::detailsTableMade, this, [this] {
        m_pane->detailsTable()->restoreColumns(m_session.storedDetailsColumns());
        setTabOrder(m_pane->detailsTable(), cmdLaunch);
    });
    connect(m_pane, &GameListPane::detailsColumnsChanged, this, [this] {
        m_session.storeDetailsColumns(m_pane->detailsTable()->columnsState());
    });
    connect(m_pane, &GameListPane::detailsSortAsked, this,
            [this](const QString& column, bool descending) {
                ViewChoices choices = m_pane->viewChoices();
                choices.sortField = column;
                choices.sortDescending = descending;
                setViewChoices(choices);
            });

    const auto button = [this](const char* name, const QString& caption, double left,
                               double width) {
        auto* b = named(new QPushButton(caption, m_client), name);
        b->setFont(controlFont());
        b->setAutoDefault(false);
        placeTw(b, left, 4680, width, 375);
        return b;
    };
    cmdLaunch = button("cmdLaunch", QStringLiteral("Launch"), 240, 5535);
    cmdSaveDefault = button("cmdSaveDefault", QStringLiteral("Save to &Default"), 6000, 1335);
    cmdSaveRom = button("cmdSaveRom", QStringLiteral("&Save"), 7320, 1095);
    cmdRevert = button("cmdRevert", QStringLiteral("&Revert"), 8400, 1215);

    connect(cmdLaunch, &QPushButton::clicked, this, &frmMain::cmdLaunch_Click);
    connect(cmdSaveDefault, &QPushButton::clicked, this, &frmMain::cmdSaveDefault_Click);
    connect(cmdSaveRom, &QPushButton::clicked, this, &frmMain::cmdSaveRom_Click);
    connect(cmdRevert, &QPushButton::clicked, this, &frmMain::cmdRevert_Click);

    setTabOrder(lstGames, cmdLaunch);
    setTabOrder(cmdLaunch, cmdSaveDefault);
    setTabOrder(cmdSaveDefault, cmdSaveRom);
    setTabOrder(cmdSaveRom, cmdRevert);
}

void frmMain::buildTemplates() {
    fraCat1 = named(new QGroupBox(QStringLiteral("Frame1"), m_client), "fraCat_1");
    fraCat1->setFont(controlFont());
    placeTw(fraCat1, 6000, 120, 3615, 1455);

    lblConfig1 = named(new QLabel(QStringLiteral("Config 1:"), m_client), "lblConfig_1");
    lblConfig1->setFont(controlFont());
    placeTw(lblConfig1, 6120, 480, 630, 195);
    lblConfig1->adjustSize();

    txtConfig1 = named(new QLineEdit(QStringLiteral("Config 1"), m_client), "txtConfig_1");
    txtConfig1->setFont(controlFont());
    placeTw(txtConfig1, 9240, 480, 1095, 345);

    cmbConfig1 = named(new QComboBox(m_client), "cmbConfig_1");
    cmbConfig1->setFont(controlFont());
    placeTw(cmbConfig1, 9240, 480, 1095, 315);

    chkCfg1 = named(new QCheckBox(QStringLiteral("Config 1"), m_client), "chkCfg_1");
    chkCfg1->setFont(controlFont());
    placeTw(chkCfg1, 6120, 480, 2895, 345);
}

void frmMain::wireMenus() {
    connect(m_menus, &MainMenus::controlsAsked, this, &frmMain::mnuConfigControls_Click);
    connect(m_menus, &MainMenus::emulatorAsked, this, &frmMain::mnuConfigEmulator_Click);
    connect(m_menus, &MainMenus::romPathAsked, this, &frmMain::mnuConfigSetRomPath_Click);
    // Quick start takes effect at the next start.
    connect(m_menus, &MainMenus::quickStartToggled, &m_session, &GameSession::setQuickStart);
    connect(m_menus, &MainMenus::missingRomsToggled, this, &frmMain::mnuShowMissingRoms_Click);
    connect(m_menus, &MainMenus::gameConfigToggled, this, &frmMain::mnuViewShowGameConfig_Click);
    connect(m_menus, &MainMenus::findAsked, this, [this] { openFilter(); });
    connect(m_menus, &MainMenus::favouriteToggled, this, &frmMain::mnuViewFavourite_Click);
    connect(m_menus, &MainMenus::viewChoicesToggled, this, &frmMain::viewChoicesToggled);
    connect(m_menus, &MainMenus::aboutAsked, this, &frmMain::mnuHelpAbout_Click);
    connect(m_menus, &MainMenus::fullScreenToggled, this, &frmMain::mnuViewFullScreen_Click);
}

bool frmMain::Form_Load() {
    ReadDovrelCFG();
    if (m_session.startsQuickly()) {
        // The folder is made current as the standard start-up's list command leaves it.
        m_session.enterFolder();
        // With missing games listed, the stored toggle has just filled the list from this
        // very cache.
        if (!m_missingListed)
            LoadGameList(true);
        InitCfg();
        m_listSource->refreshWhenDrawn(*m_pane);
        return true;
    }
    if (!m_listSource->generate())
        return false;
    // With missing games listed, the stored toggle has filled the list from the cache as it was
    // before the emulator was asked; a new cache of the same bytes would fill it the same again.
    if (!m_missingListed || m_session.listChanged())
        LoadGameList(!m_missingListed);
    InitCfg();
    return true;
}

void frmMain::ReadDovrelCFG() {
    m_session.readSettings();
    const FrontEndSettings& s = m_session.settings();
    buildPicturePane(); // before the stored toggle widens the window for it
    // The views come first: the stored missing-games toggle fills the list.
    if (!m_session.detailFields().isEmpty())
        m_menus->addDetailsChoices();
    m_pane->restoreViewChoices(m_session.storedViewChoices());
    m_menus->showViewChoices(m_pane->viewChoices());
    m_menus->mnuConfigQuickStart->setChecked(s.QuickStart);
    // Qt shows the application name in place of an empty title; a lone blank shows nothing.
    setWindowTitle(s.WindowCaption.isEmpty() ? QStringLiteral(" ") : s.WindowCaption);
    // The stored toggles run before the RomPath and RomExt defaults, as they always have: the
    // list fill of the missing-games toggle lists every game and needs neither.
    if (s.ShowConfig == 1)
        mnuViewShowGameConfig_Click();
    if (s.ShowMissingRoms == 1)
        mnuShowMissingRoms_Click();
    m_session.applySettingsDefaults();
    const QString icon = AppPaths::icon(m_session.appDir());
    if (QFileInfo(icon).isFile())
        setWindowIcon(QIcon(icon));
}

void frmMain::LoadGameList(bool OnlyAvailable) {
    const QList<GameEntry>& games = m_session.loadGames(OnlyAvailable);
    m_pane->setGames(games, [this] { fitGameListToEntries(); }, m_session.details());
}

void frmMain::reloadGamesInPlace() {
    const QList<GameEntry>& games = m_session.loadGames(!m_missingListed);
    m_pane->replaceGames(games, [this] { fitGameListToEntries(); }, m_session.details());
}

void frmMain::fitGameListToEntries() {
    // One line of the list as it draws its entries: the window's font plus the item margins of
    // the style, which a bare text height would leave out, making a grown list scroll anyway.
    const int rowPx = lstGames->count() > 0 ? lstGames->sizeHintForRow(0) : 0;
    const float lineHeight =
        static_cast<float>(Twips::fromPx(qMax(rowPx, QFontMetrics(font()).height())));
    const ListFit fit = FitListToEntries(
        {static_cast<float>(outerHeightTw()), static_cast<float>(Twips::fromPx(cmdLaunch->y())),
         static_cast<float>(Twips::fromPx(lstGames->y())),
         static_cast<float>(Twips::fromPx(lstGames->height())), static_cast<int>(lstGames->count()),
         lineHeight, static_cast<float>(maxOuterHeightTw())});
    if (!fit.grows)
        return;
    const double belowLaunch = outerHeightTw() - Twips::fromPx(cmdLaunch->y());
    lstGames->resize(lstGames->width(), Twips::toPx(fit.listHeight));
    setOuterHeightTw(fit.outerHeight);
    cmdLaunch->move(cmdLaunch->x(), Twips::toPx(outerHeightTw() - belowLaunch));
}

void frmMain::InitCfg() {
    m_optionsPanel.build(
        {m_client, fraCat1, lblConfig1, txtConfig1, cmbConfig1, chkCfg1, cmdRevert},
        AppPaths::optionDefinitions(m_session.appDir()), m_session.optionTable());
    m_optionsPanel.fitWindow(
        {cmdSaveDefault, cmdSaveRom, cmdRevert, cmdLaunch, [this] { return outerHeightTw(); },
         [this](double twips) { setOuterHeightTw(twips); }, maxOuterHeightTw()});
    if (lstGames->count() > 0)
        lstGames_Click();
}

void frmMain::lstGames_Click() {
    ReadCfg();
    updateFavouriteMark();
    showPicture();
}

void frmMain::cmdSaveRom_Click() {
    if (const std::optional<QString> rom = selectedRom())
        m_profiles.SaveRom(*rom);
}

void frmMain::cmdRevert_Click() {
    if (const std::optional<QString> rom = selectedRom(); rom && m_profiles.Revert(*rom))
        lstGames_Click();
}

void frmMain::cmdLaunch_Click() {
    if (m_session.LaunchBusy())
        return;
    if (const std::optional<QString> rom = selectedRom()) {
        // The panel as it is at the click, saved or not.
        if (m_session.launch(m_dialogs, *rom, CreateCLOString()).recorded &&
            m_pane->viewChoices().recentlyPlayed)
            m_pane->setViewChoices(m_pane->viewChoices()); // the game just played comes first
    }
    if (m_closeWhenLaunchEnds) {
        m_closeWhenLaunchEnds = false;
        m_session.finishLaunch(true);
        // The user closed the window during the run. Qt does not count the close of a window
        // that is already hidden as the last window closing, so the program ends here.
        if (close())
            QCoreApplication::quit();
        return;
    }
    m_session.finishLaunch(false);
}

void frmMain::setViewChoices(const ViewChoices& choices) {
    ViewChoices shown = choices;
    const ViewChoices& current = m_pane->viewChoices();
    shown.query = current.query; // the filter field's words stay
    shown.expanded = current.expanded;
    shown.rankMatches = current.rankMatches;
    // The table's sort is changed by its header, and ends when an order is chosen from the
    // menu (the last order chosen is the one shown); the other menu choices leave it.
    const bool orderChosen = shown.sortByTitle != current.sortByTitle ||
                             shown.recentlyPlayed != current.recentlyPlayed;
    if (shown.sortField.isEmpty() && !orderChosen) {
        shown.sortField = current.sortField;
        shown.sortDescending = current.sortDescending;
    }
    m_menus->showViewChoices(shown);
    m_session.storeViewChoices(shown);
    m_pane->setViewChoices(shown);
}

void frmMain::viewChoicesToggled(bool recentlyPlayedOn) {
    if (recentlyPlayedOn)
        m_session.library().keep(); // launches are recorded from now on
    setViewChoices(m_menus->checkedViewChoices());
}

void frmMain::mnuViewFavourite_Click() {
    const std::optional<QString> rom = selectedRom();
    if (!rom) {
        updateFavouriteMark();
        return;
    }
    GameLibrary& library = m_session.library();
    if (!library.setFavourite(*rom, !library.isFavourite(*rom)))
        m_dialogs.warning(
            QStringLiteral("The favourite could not be stored in\n%1")
                .arg(QDir::toNativeSeparators(AppPaths::library(m_session.appDir()))));
    m_pane->favouriteChanged();
    updateFavouriteMark();
}

void frmMain::updateFavouriteMark() {
    const std::optional<QString> rom = selectedRom();
    m_menus->mnuViewFavourite->setChecked(rom && m_session.library().isFavourite(*rom));
}

void frmMain::buildPicturePane() {
    const QStringList sources =
        PictureSources::paths(m_session.settings().PictureSources, m_session.appDir());
    if (sources.isEmpty() || m_picture)
        return;
    m_picture = named(new PicturePane(sources, m_client), "picGame");
    // Right of the first frame and of the scroll bar the panel may show, as high as the list
    // and the Launch button; the window keeps its margin right of it.
    const int left = Twips::toPx(fraCat1LeftTw() + fraCat1WidthTw() + 120) +
                     style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    m_picture->setDesignedGeometry(
        QRect(left, Twips::toPx(120), Twips::toPx(4800), Twips::toPx(4935)), Twips::toPx(120));
    // A refill of the list may end with no game selected, or with the same one kept without
    // a click: the queued call sees the selection the refill ends with.
    connect(m_pane, &GameListPane::refilled, this, &frmMain::showPicture, Qt::QueuedConnection);
}

void frmMain::showPicture() {
    if (!m_picture)
        return;
    const std::optional<QString> rom = selectedRom();
    m_picture->showGame(rom.value_or(QString()), m_pane->selectedDescription());
}

double frmMain::panelShownWidthTw() const {
    const double panel = fraCat1LeftTw() + fraCat1WidthTw() + 500;
    if (!m_picture)
        return panel;
    // The pictures widen the window by their own width, as far as the screen allows.
    const QRect pane = m_picture->designedGeometry();
    const double pictures =
        Twips::fromPx(pane.x() + pane.width()) - (fraCat1LeftTw() + fraCat1WidthTw());
    return qMax(panel, qMin(panel + pictures, WindowFrame::maxOuterWidthTw(this)));
}

// Each action reacts to its own menu item, whose check mark Qt has already flipped on a click,
// so the actions set the marks themselves from the state they had before.
void frmMain::mnuViewShowGameConfig_Click() {
    const bool wasShown = m_panelShown;
    if (!wasShown)
        setOuterWidthTw(panelShownWidthTw());
    else
        setOuterWidthTw(fraCat1LeftTw() + 150);
    m_panelShown = !wasShown;
    m_menus->mnuViewShowGameConfig->setChecked(m_panelShown);
    m_session.storeShowConfig(m_panelShown);
}

void frmMain::mnuShowMissingRoms_Click() {
    m_missingListed = !m_missingListed;
    m_menus->mnuShowMissingRoms->setChecked(m_missingListed);
    LoadGameList(!m_missingListed);
    m_session.storeShowMissingRoms(m_missingListed);
}

void frmMain::mnuConfigSetRomPath_Click() {
    const QString path =
        m_dialogs.inputText(QStringLiteral("Type Path to Roms"), QStringLiteral("Enter Rom Path"),
                            m_session.settings().RomPath);
    if (!path.isEmpty())
        m_session.setRomPath(path);
    LoadGameList(!m_missingListed);
}

void frmMain::mnuConfigEmulator_Click() {
    m_panelShown = false;
    mnuViewShowGameConfig_Click();
    // Row 1 is one of these three kinds; the templates of the other kinds are hidden and refuse
    // the focus. The last control that takes it keeps it.
    for (QWidget* candidate : {static_cast<QWidget*>(txtConfig1), static_cast<QWidget*>(cmbConfig1),
                               static_cast<QWidget*>(chkCfg1)}) {
        if (candidate && candidate->isVisibleTo(this) && candidate->isEnabled() &&
            (candidate->focusPolicy() & Qt::TabFocus))
            candidate->setFocus(Qt::OtherFocusReason);
    }
}

void frmMain::mnuConfigControls_Click() {
    const QString& appDir = m_session.appDir();
    // An emulator that keeps its inputs in a format of its own (MAME) comes without control
    // definitions: say so, rather than open an empty window.
    if (!QFileInfo(AppPaths::controlDefinitions(appDir)).isFile()) {
        m_dialogs.information(QStringLiteral("Controls"),
                              QStringLiteral("This emulator's inputs are set in the emulator "
                                             "itself, not here."));
        return;
    }
    // A closed window deletes itself; a fresh one reads the definitions and bindings again.
    if (!m_controls || !m_controls->isVisible())
        m_controls = new frmControls(appDir, m_dialogs, this);
    WindowFrame::bringToFront(m_controls);
}

void frmMain::mnuHelpAbout_Click() {
    if (!m_about)
        m_about = new frmAbout(m_session.appDir(), m_session.HelpText(), this, this);
    WindowFrame::bringToFront(m_about);
}

void frmMain::mnuViewFullScreen_Click() {
    m_fullScreen->toggle();
}

void frmMain::enableControllers() {
    if (!m_pad && m_session.settings().Controllers)
        m_pad = new PadControl(*this, m_session);
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (m_session.LaunchBusy()) {
        // The emulator runs on, and the launch's wait will return into this window: hide it
        // now and close for real when the wait is over.
        m_closeWhenLaunchEnds = true;
        hide();
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void frmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    m_listSource->closeListWait();
    m_size.frameKnown();
}

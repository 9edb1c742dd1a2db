#include "shell/frmMain.h"

#include "about/ui/frmAbout.h"
#include "base/AppPaths.h"
#include "base/Dialogs.h"
#include "base/Ini.h"
#include "controls/ui/frmControls.h"
#include "gamelist/BackgroundGameList.h"
#include "gamelist/EndingMessage.h"
#include "gamelist/GameListGenerator.h"
#include "gamelist/GameListLoader.h"
#include "gamelist/ListFit.h"
#include "gamelist/ui/GameFilterField.h"
#include "gamelist/ui/ListWaitWindow.h"
#include "launch/LaunchEmulator.h"
#include "pictures/PictureSources.h"
#include "pictures/ui/PicturePane.h"
#include "ui/Twips.h"
#include "ui/WidgetPlacement.h"
#include "ui/WindowFrame.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTextStream>
#include <QTimer>

#include <algorithm>

using namespace WidgetPlacement;

namespace {

// Design-time client area of the main window, in twips.
constexpr double kClientWidthTw = 5940;
constexpr double kClientHeightTw = 5145;

QFont windowFont() { return QFont(QStringLiteral("Arial"), 12); }

// The gap between the filter field and the list below it, in pixels.
constexpr int kFilterGapPx = 2;

// A key that starts finding games when typed into the list: a visible character, typed without
// Control, Alt or Meta. A blank starts nothing, as no word begins with one.
bool startsFinding(const QKeyEvent& key) {
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = key.text();
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return c.isPrint() && !c.isSpace();
    });
}

} // namespace

frmMain::frmMain(AppState& state, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), m_state(state), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Tarvelin Launcher"));
    setFont(windowFont());
    client = named(new QWidget(this), "client");
    setCentralWidget(client);
    buildFixedControls();
    buildTemplates();
    buildMenus();
    setClientSizePx(Twips::toPx(kClientWidthTw), Twips::toPx(kClientHeightTw));
}

frmMain::~frmMain() = default;

void frmMain::buildFixedControls() {
    lstGames = named(new GameListBox(client), "lstGames");
    // Every change of the selected game, the user's or LoadGameList's, loads its profile.
    connect(lstGames, &GameListBox::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            lstGames_Click();
    });
    placeTw(lstGames, 240, 120, 5535, 4380);
    // A double-click or Enter launches the game; not `activated`, which some styles send on a
    // single click.
    connect(lstGames, &GameListBox::rowDoubleClicked, this, [this] { cmdLaunch_Click(); });
    lstGames->installEventFilter(this);
    // A star before the title marks a favourite.
    lstGames->setMarkSource([this](int row) {
        return m_library.favouriteCount() > 0 && m_library.isFavourite(GameList.romName(row));
    });
    lstGames->setToolTipSource([this](int row) {
        const std::optional<PlayRecord> record = m_library.record(GameList.romName(row));
        return record ? GameLibrary::describe(*record) : QString();
    });

    txtFilter = named(new GameFilterField(lstGames, client), "txtFilter");
    txtFilter->hide();
    connect(txtFilter, &QLineEdit::textChanged, this, [this](const QString& text) {
        const std::optional<QString> selected = selectedRom();
        m_view.query = text;
        showGames(selected);
    });
    connect(txtFilter, &GameFilterField::escapePressed, this, &frmMain::closeFilter);
    connect(txtFilter, &QLineEdit::returnPressed, this, &frmMain::cmdLaunch_Click);

    const auto button = [this](const char* name, const QString& caption, double left, double width) {
        auto* b = named(new QPushButton(caption, client), name);
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
    fraCat1 = named(new QGroupBox(QStringLiteral("Frame1"), client), "fraCat_1");
    fraCat1->setFont(controlFont());
    placeTw(fraCat1, 6000, 120, 3615, 1455);

    lblConfig1 = named(new QLabel(QStringLiteral("Config 1:"), client), "lblConfig_1");
    lblConfig1->setFont(controlFont());
    placeTw(lblConfig1, 6120, 480, 630, 195);
    lblConfig1->adjustSize();

    txtConfig1 = named(new QLineEdit(QStringLiteral("Config 1"), client), "txtConfig_1");
    txtConfig1->setFont(controlFont());
    placeTw(txtConfig1, 9240, 480, 1095, 345);

    cmbConfig1 = named(new QComboBox(client), "cmbConfig_1");
    cmbConfig1->setFont(controlFont());
    placeTw(cmbConfig1, 9240, 480, 1095, 315);

    chkCfg1 = named(new QCheckBox(QStringLiteral("Config 1"), client), "chkCfg_1");
    chkCfg1->setFont(controlFont());
    placeTw(chkCfg1, 6120, 480, 2895, 345);
}

void frmMain::buildMenus() {
    // Menus keep the desktop's own font; the window font is for the game list.
    menuBar()->setFont(QApplication::font());
    mnuConfig = named(menuBar()->addMenu(QStringLiteral("&Config")), "mnuConfig");
    mnuConfigControls = named(mnuConfig->addAction(QStringLiteral("&Controls")), "mnuConfigControls");
    mnuConfigEmulator = named(mnuConfig->addAction(QStringLiteral("&Emulator")), "mnuConfigEmulator");
    mnuConfigSetRomPath =
        named(mnuConfig->addAction(QStringLiteral("Set &Rom Path")), "mnuConfigSetRomPath");

    mnuConfig->addSeparator();
    mnuConfigQuickStart =
        named(mnuConfig->addAction(QStringLiteral("&Quick Start")), "mnuConfigQuickStart");
    mnuConfigQuickStart->setCheckable(true);
    connect(mnuConfigQuickStart, &QAction::triggered, this, &frmMain::mnuConfigQuickStart_Click);

    mnuView = named(menuBar()->addMenu(QStringLiteral("&View")), "mnuView");
    mnuShowMissingRoms =
        named(mnuView->addAction(QStringLiteral("Show &Missing Roms")), "mnuShowMissingRoms");
    mnuShowMissingRoms->setCheckable(true);
    mnuViewShowGameConfig =
        named(mnuView->addAction(QStringLiteral("Show &Game Config")), "mnuViewShowGameConfig");
    mnuViewShowGameConfig->setCheckable(true);
    buildViewMenu();

    mnuHelp = named(menuBar()->addMenu(QStringLiteral("&Help")), "mnuHelp");
    mnuHelpAbout = named(mnuHelp->addAction(QStringLiteral("&About")), "mnuHelpAbout");

    connect(mnuConfigControls, &QAction::triggered, this, &frmMain::mnuConfigControls_Click);
    connect(mnuConfigEmulator, &QAction::triggered, this, &frmMain::mnuConfigEmulator_Click);
    connect(mnuConfigSetRomPath, &QAction::triggered, this, &frmMain::mnuConfigSetRomPath_Click);
    connect(mnuShowMissingRoms, &QAction::triggered, this, &frmMain::mnuShowMissingRoms_Click);
    connect(mnuViewShowGameConfig, &QAction::triggered, this,
            &frmMain::mnuViewShowGameConfig_Click);
    connect(mnuHelpAbout, &QAction::triggered, this, &frmMain::mnuHelpAbout_Click);
}

void frmMain::mnuConfigControls_Click() {
    // An emulator that keeps its inputs in a format of its own (MAME) comes without control
    // definitions: say so, rather than open an empty window.
    if (!QFileInfo(AppPaths::controlDefinitions(m_state.appDir)).isFile()) {
        m_dialogs.information(QStringLiteral("Controls"),
                              QStringLiteral("This emulator's inputs are set in the emulator "
                                             "itself, not here."));
        return;
    }
    // A closed window deletes itself; a fresh one reads the definitions and bindings again.
    if (!m_controls || !m_controls->isVisible())
        m_controls = new frmControls(m_state.appDir, m_dialogs, this);
    WindowFrame::bringToFront(m_controls);
}

void frmMain::buildViewMenu() {
    mnuView->addSeparator();
    mnuViewFind = named(mnuView->addAction(QStringLiteral("&Find Games...")), "mnuViewFind");
    mnuViewFind->setShortcut(QKeySequence::Find);
    connect(mnuViewFind, &QAction::triggered, this, [this] { openFilter(); });
    mnuViewFavourite = named(mnuView->addAction(QStringLiteral("Fa&vourite")), "mnuViewFavourite");
    mnuViewFavourite->setCheckable(true);
    mnuViewFavourite->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    connect(mnuViewFavourite, &QAction::triggered, this, &frmMain::mnuViewFavourite_Click);

    const auto choice = [this](const char* name, const QString& caption, bool ViewChoices::*member,
                               bool ViewChoices::*excluded) {
        QAction* action = named(mnuView->addAction(caption), name);
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, member, excluded](bool on) {
            ViewChoices choices = m_view;
            choices.*member = on;
            if (on && excluded)
                choices.*excluded = false; // one order at a time
            if (on && member == &ViewChoices::recentlyPlayed)
                m_library.keep(); // launches are recorded from now on
            setViewChoices(choices);
        });
        return action;
    };
    mnuView->addSeparator();
    mnuViewFavouritesOnly = choice("mnuViewFavouritesOnly", QStringLiteral("Fav&ourites Only"),
                                   &ViewChoices::favouritesOnly, nullptr);
    mnuViewRecentlyPlayed = choice("mnuViewRecentlyPlayed", QStringLiteral("Recently &Played"),
                                   &ViewChoices::recentlyPlayed, &ViewChoices::sortByTitle);
    mnuViewSortByTitle = choice("mnuViewSortByTitle", QStringLiteral("Sort by &Title"),
                                &ViewChoices::sortByTitle, &ViewChoices::recentlyPlayed);
}

bool frmMain::Form_Load() {
    ReadDovrelCFG();
    const FrontEndSettings& s = m_state.settings;
    if (startsQuickly()) {
        // The folder is made current as the standard start-up's list command leaves it.
        QDir::setCurrent(m_state.appDir);
        // With missing games listed, the stored toggle has just filled the list from this
        // very cache.
        if (!m_missingListed)
            LoadGameList(true);
        InitCfg();
        startBackgroundListSoon();
        return true;
    }
    m_listWaitDelay = new QTimer(this);
    m_listWaitDelay->setSingleShot(true);
    connect(m_listWaitDelay, &QTimer::timeout, this, [this] {
        m_listWait = std::make_unique<ListWaitWindow>(m_state.settings.WindowCaption);
        m_listWait->showCentred();
    });
    m_listWaitDelay->start(ListWaitWindow::delayMs);
    if (!MakeGamelist(QStringLiteral("gamelist.txt"), s.GameListStartLine, s.HelpEndLine,
                      s.GameListRomLen))
        return false;
    // With missing games listed, the stored toggle has filled the list from the cache as it was
    // before the emulator was asked; a new cache of the same bytes would fill it the same again.
    if (!m_missingListed || m_gameListChanged)
        LoadGameList(!m_missingListed);
    InitCfg();
    return true;
}

bool frmMain::startsQuickly() const {
    const FrontEndSettings& s = m_state.settings;
    // Without a list command there is no emulator to wait for; without a cache nothing to show.
    return s.QuickStart && (!s.GameListCommand.isEmpty() || ListsRomFolder(s)) &&
           QFileInfo(AppPaths::gameListCache(m_state.appDir)).isFile();
}

void frmMain::startBackgroundListSoon() {
    // The emulator's list run competes for the processor with the window's first paint (MAME
    // keeps two cores busy for seconds), so it starts once the list has been drawn, or after a
    // second when the window is not drawn by then.
    m_backgroundPending = true;
    lstGames->viewport()->installEventFilter(this);
    QTimer::singleShot(1000, this, &frmMain::startBackgroundList);
}

void frmMain::startBackgroundList() {
    if (!m_backgroundPending)
        return;
    m_backgroundPending = false;
    lstGames->viewport()->removeEventFilter(this);
    const FrontEndSettings& s = m_state.settings;
    m_backgroundList = new BackgroundGameList(GameListRequestFor(m_state.appDir, s),
                                              ListLayoutFor(s), this);
    connect(m_backgroundList, &BackgroundGameList::finished, this, &frmMain::backgroundListEnded);
    m_backgroundList->start();
}

bool frmMain::backgroundListRunning() const {
    return m_backgroundPending || (m_backgroundList && m_backgroundList->running());
}

void frmMain::backgroundListEnded(const GameListResult& result) {
    m_pendingList = std::make_unique<GameListResult>(result);
    // A launch's wait processes events: the list is replaced when the launch has returned.
    if (!m_state.LaunchBusy)
        applyBackgroundList();
}

void frmMain::applyBackgroundList() {
    const std::unique_ptr<GameListResult> result = std::move(m_pendingList);
    if (!result)
        return;
    if (!result->ok) {
        // The list from the last start stays; the user hears of it once, and works on.
        QTextStream err(stderr);
        if (!result->cause.isEmpty())
            err << EndingMessageForStderr(result->cause);
        err << EndingMessageForStderr(result->message);
        err.flush();
        m_dialogs.warning(QStringLiteral("The game list could not be read from the emulator; "
                                         "the list shown is the one from the last start.") +
                          QStringLiteral("\n\n") + result->message);
        return;
    }
    m_state.HelpText = result->HelpText;
    if (result->cacheChanged)
        reloadGamesInPlace();
}

void frmMain::reloadGamesInPlace() {
    const std::optional<QString> selected = selectedRom();
    const int scrolled = lstGames->verticalScrollBar()->value();
    const FrontEndSettings& s = m_state.settings;
    m_listView.setGames(LoadGameEntries(AppPaths::gameListCache(m_state.appDir), !m_missingListed,
                                        s.RomPath, s.RomExt));
    showGames(selected);
    fitListKeepingFilter();
    lstGames->verticalScrollBar()->setValue(scrolled);
}

void frmMain::mnuConfigQuickStart_Click() {
    // Qt has flipped the mark already; it takes effect at the next start.
    m_state.settings.QuickStart = mnuConfigQuickStart->isChecked();
    WriteIni(AppPaths::settingsFile(m_state.appDir), "Settings", "QuickStart",
             m_state.settings.QuickStart ? "1" : "0");
}

void frmMain::ReadDovrelCFG() {
    FrontEndSettings& s = m_state.settings;
    s = ReadFrontEndSettings(m_state.appDir);
    buildPicturePane(); // before the stored toggle widens the window for it
    // The views and the library come first: the stored missing-games toggle fills the list.
    const IniSnapshot settings(AppPaths::settingsFile(m_state.appDir));
    const auto stored = [&settings](const char* key) {
        return settings.read(QStringLiteral("Settings"), QString::fromLatin1(key)) == u"1";
    };
    m_view.favouritesOnly = stored("FavouritesOnly");
    m_view.recentlyPlayed = stored("RecentlyPlayed");
    m_view.sortByTitle = stored("SortByTitle") && !m_view.recentlyPlayed;
    mnuViewFavouritesOnly->setChecked(m_view.favouritesOnly);
    mnuViewRecentlyPlayed->setChecked(m_view.recentlyPlayed);
    mnuViewSortByTitle->setChecked(m_view.sortByTitle);
    m_library = GameLibrary::read(AppPaths::library(m_state.appDir));
    mnuConfigQuickStart->setChecked(s.QuickStart);
    // Qt shows the application name in place of an empty title; a lone blank shows nothing.
    setWindowTitle(s.WindowCaption.isEmpty() ? QStringLiteral(" ") : s.WindowCaption);
    // The stored toggles run before the RomPath and RomExt defaults, as they always have: the
    // list fill of the missing-games toggle lists every game and needs neither.
    if (s.ShowConfig == 1)
        mnuViewShowGameConfig_Click();
    if (s.ShowMissingRoms == 1)
        mnuShowMissingRoms_Click();
    ApplySettingsDefaults(s, m_state.appDir);
    const QString icon = AppPaths::icon(m_state.appDir);
    if (QFileInfo(icon).isFile())
        setWindowIcon(QIcon(icon));
}

void frmMain::setClientSizePx(int width, int height) {
    client->setFixedSize(width, height);
    setFixedSize(width, height + WindowFrame::menuHeightPx(this));
}

double frmMain::outerHeightTw() const {
    return Twips::fromPx(client->height() + WindowFrame::menuHeightPx(this) +
                         WindowFrame::extraPx(this).height());
}

double frmMain::outerWidthTw() const {
    return Twips::fromPx(client->width() + WindowFrame::extraPx(this).width());
}

double frmMain::maxOuterHeightTw() const { return WindowFrame::maxOuterHeightTw(this); }

void frmMain::setOuterHeightTw(double twips) {
    const double clamped = qMin(twips, maxOuterHeightTw());
    const int clientH = Twips::toPx(clamped) - WindowFrame::menuHeightPx(this) -
                        WindowFrame::extraPx(this).height();
    setClientSizePx(client->width(), qMax(0, clientH));
}

void frmMain::setOuterWidthTw(double twips) {
    m_requestedOuterWidthTw = twips;
    const int clientW = Twips::toPx(twips) - WindowFrame::extraPx(this).width();
    setClientSizePx(qMax(0, clientW), client->height());
}

bool frmMain::MakeGamelist(const QString& GlName, qint16 StartLine, double HelpEnd, qint16 RomLen) {
    const FrontEndSettings& s = m_state.settings;
    GameListRequest request = GameListRequestFor(m_state.appDir, s);
    request.GlName = GlName;
    request.StartLine = StartLine;
    request.HelpEnd = HelpEnd;
    request.RomLen = RomLen;
    const GameListResult result = GenerateGameList(m_dialogs, request, ListLayoutFor(s));
    if (!result.ok) {
        closeListWait();
        ShowEndingMessage(m_dialogs, result.message, result.cause);
        return false;
    }
    m_state.HelpText = result.HelpText;
    m_gameListChanged = result.cacheChanged;
    return true;
}

void frmMain::LoadGameList(bool OnlyAvailable) {
    const FrontEndSettings& s = m_state.settings;
    m_listView.setGames(LoadGameEntries(AppPaths::gameListCache(m_state.appDir), OnlyAvailable,
                                        s.RomPath, s.RomExt));
    fillList();
    fitListKeepingFilter();
    if (lstGames->count() > 0)
        lstGames->setCurrentRow(0);
}

void frmMain::fitListKeepingFilter() {
    // The list grows to its entries from its own place, not from below the filter field.
    const bool filtering = !txtFilter->isHidden();
    if (filtering)
        lstGames->setGeometry(m_listGeometry);
    fitGameListToEntries();
    if (filtering) {
        m_listGeometry = lstGames->geometry();
        placeFilterField();
    }
}

void frmMain::fillList() {
    QList<GameEntry> games = m_listView.visible(m_view, m_library);
    QStringList texts = Descriptions(games);
    {
        // The selection handler runs once, for the entry selected afterwards, not for the
        // clearing. Replacing the entries also drops the current row, so selecting entry 0
        // always signals, even when entry 0 was the selected one before this fill.
        const QSignalBlocker blocker(lstGames);
        lstGames->setItems(std::move(texts));
    }
    GameList.fill(std::move(games));
}

void frmMain::showGames(const std::optional<QString>& keep) {
    fillList();
    if (keep) {
        for (int row = 0; row < lstGames->count(); ++row) {
            if (GameList.romName(row) == *keep) {
                // Still the selected game: its profile, edits and all, stays on the panel.
                const QSignalBlocker blocker(lstGames);
                lstGames->setCurrentRow(row);
                lstGames->scrollTo(lstGames->currentIndex());
                updateFavouriteMark();
                return;
            }
        }
    }
    if (lstGames->count() > 0)
        lstGames->setCurrentRow(0);
    updateFavouriteMark();
}

void frmMain::placeFilterField() {
    const int height = txtFilter->sizeHint().height();
    const QRect list = m_listGeometry;
    txtFilter->setGeometry(list.x(), list.y(), list.width(), height);
    lstGames->setGeometry(list.x(), list.y() + height + kFilterGapPx, list.width(),
                          qMax(0, list.height() - height - kFilterGapPx));
}

void frmMain::openFilter(const QString& typed) {
    if (txtFilter->isHidden()) {
        m_listGeometry = lstGames->geometry();
        placeFilterField();
        txtFilter->show();
    }
    txtFilter->setFocus(Qt::ShortcutFocusReason);
    if (!typed.isEmpty())
        txtFilter->insert(typed);
}

void frmMain::closeFilter() {
    if (txtFilter->isHidden())
        return;
    txtFilter->clear(); // refills the list, the selected game kept
    txtFilter->hide();
    lstGames->setGeometry(m_listGeometry);
    lstGames->setFocus(Qt::OtherFocusReason);
    lstGames->scrollTo(lstGames->currentIndex());
}

void frmMain::setViewChoices(const ViewChoices& choices) {
    const std::optional<QString> selected = selectedRom();
    m_view = choices;
    mnuViewFavouritesOnly->setChecked(m_view.favouritesOnly);
    mnuViewRecentlyPlayed->setChecked(m_view.recentlyPlayed);
    mnuViewSortByTitle->setChecked(m_view.sortByTitle);
    storeViewChoices();
    showGames(selected);
}

void frmMain::storeViewChoices() const {
    const auto flag = [](bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); };
    WriteIniEntries(AppPaths::settingsFile(m_state.appDir),
                    {{"Settings", "FavouritesOnly", flag(m_view.favouritesOnly)},
                     {"Settings", "RecentlyPlayed", flag(m_view.recentlyPlayed)},
                     {"Settings", "SortByTitle", flag(m_view.sortByTitle)}});
}

void frmMain::mnuViewFavourite_Click() {
    const std::optional<QString> rom = selectedRom();
    if (!rom) {
        updateFavouriteMark();
        return;
    }
    if (!m_library.setFavourite(*rom, !m_library.isFavourite(*rom)))
        m_dialogs.warning(QStringLiteral("The favourite could not be stored in\n%1")
                              .arg(QDir::toNativeSeparators(AppPaths::library(m_state.appDir))));
    // Only the view of favourites changes its entries; elsewhere the star is drawn anew.
    if (m_view.favouritesOnly)
        showGames(rom);
    else
        lstGames->updateRow(lstGames->currentRow());
    updateFavouriteMark();
}

void frmMain::updateFavouriteMark() {
    const std::optional<QString> rom = selectedRom();
    mnuViewFavourite->setChecked(rom && m_library.isFavourite(*rom));
}

void frmMain::fitGameListToEntries() {
    // One line of the list as it draws its entries: the window's font plus the item margins of
    // the style, which a bare text height would leave out, making a grown list scroll anyway.
    const int rowPx = lstGames->count() > 0 ? lstGames->sizeHintForRow(0) : 0;
    const float lineHeight =
        static_cast<float>(Twips::fromPx(qMax(rowPx, QFontMetrics(font()).height())));
    const ListFit fit = FitListToEntries({static_cast<float>(outerHeightTw()),
                                          static_cast<float>(Twips::fromPx(cmdLaunch->y())),
                                          static_cast<float>(Twips::fromPx(lstGames->y())),
                                          static_cast<float>(Twips::fromPx(lstGames->height())),
                                          static_cast<int>(lstGames->count()), lineHeight,
                                          static_cast<float>(maxOuterHeightTw())});
    if (!fit.grows)
        return;
    const double belowLaunch = outerHeightTw() - Twips::fromPx(cmdLaunch->y());
    lstGames->resize(lstGames->width(), Twips::toPx(fit.listHeight));
    setOuterHeightTw(fit.outerHeight);
    cmdLaunch->move(cmdLaunch->x(), Twips::toPx(outerHeightTw() - belowLaunch));
}

void frmMain::InitCfg() {
    m_optionsPanel.build({client, fraCat1, lblConfig1, txtConfig1, cmbConfig1, chkCfg1, cmdRevert},
                         AppPaths::optionDefinitions(m_state.appDir), m_optionTable);
    m_optionsPanel.fitWindow({cmdSaveDefault, cmdSaveRom, cmdRevert, cmdLaunch,
                              [this] { return outerHeightTw(); },
                              [this](double twips) { setOuterHeightTw(twips); },
                              maxOuterHeightTw()});
    if (lstGames->count() > 0)
        lstGames_Click();
}

QString frmMain::CreateCLOString() const {
    return Options::CreateCLOString(m_optionTable, m_optionsPanel);
}

void frmMain::lstGames_Click() {
    ReadCfg();
    updateFavouriteMark();
    showPicture();
}

void frmMain::buildPicturePane() {
    const QStringList sources =
        PictureSources::paths(m_state.settings.PictureSources, m_state.appDir);
    if (sources.isEmpty() || picGame)
        return;
    picGame = named(new PicturePane(sources, client), "picGame");
    // Right of the first frame and of the scroll bar the panel may show, as high as the list
    // and the Launch button; the window keeps its margin right of it.
    const int left = Twips::toPx(fraCat1LeftTw() + fraCat1WidthTw() + 120) +
                     style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    picGame->setDesignedGeometry(
        QRect(left, Twips::toPx(120), Twips::toPx(4800), Twips::toPx(4935)), Twips::toPx(120));
    // A refill of the list may end with no game selected, or with the same one kept without
    // a click: the queued call sees the selection the refill ends with.
    connect(lstGames->model(), &QAbstractItemModel::modelReset, this, &frmMain::showPicture,
            Qt::QueuedConnection);
}

void frmMain::showPicture() {
    if (!picGame)
        return;
    const std::optional<QString> rom = selectedRom();
    picGame->showGame(rom.value_or(QString()),
                      rom ? GameList.description(lstGames->currentRow()) : QString());
}

double frmMain::panelShownWidthTw() const {
    const double panel = fraCat1LeftTw() + fraCat1WidthTw() + 500;
    if (!picGame)
        return panel;
    // The pictures widen the window by their own width, as far as the screen allows.
    const QRect pane = picGame->designedGeometry();
    const double pictures = Twips::fromPx(pane.x() + pane.width()) -
                            (fraCat1LeftTw() + fraCat1WidthTw());
    return qMax(panel, qMin(panel + pictures, WindowFrame::maxOuterWidthTw(this)));
}

std::optional<QString> frmMain::selectedRom() const {
    const int row = lstGames->currentRow();
    if (row < 0 || row >= lstGames->count())
        return std::nullopt;
    return GameList.romName(row);
}

void frmMain::ReadCfg() { m_profiles.ReadCfg(selectedRom()); }

void frmMain::cmdSaveDefault_Click() { m_profiles.SaveToDefault(); }

void frmMain::cmdSaveRom_Click() {
    if (const std::optional<QString> rom = selectedRom())
        m_profiles.SaveRom(*rom);
}

void frmMain::cmdRevert_Click() {
    if (const std::optional<QString> rom = selectedRom(); rom && m_profiles.Revert(*rom))
        lstGames_Click();
}

void frmMain::cmdLaunch_Click() {
    if (m_state.LaunchBusy)
        return;
    m_state.LaunchBusy = true;
    if (const std::optional<QString> rom = selectedRom()) {
        // The panel as it is at the click, saved or not.
        const QString options = CreateCLOString();
        const qint64 startedAt = QDateTime::currentSecsSinceEpoch();
        QElapsedTimer ran;
        ran.start();
        LaunchEmulator(m_dialogs, m_state.appDir, m_state.settings, *rom, options);
        // A game the play record cannot be stored for is simply not recorded.
        if (m_library.recordLaunch(*rom, startedAt, (ran.elapsed() + 500) / 1000) &&
            m_view.recentlyPlayed)
            showGames(rom); // the game just played comes first
    }
    m_state.LaunchBusy = false;
    if (m_closeWhenLaunchEnds) {
        m_closeWhenLaunchEnds = false;
        m_pendingList.reset(); // the cache is written already; the window is going
        // The user closed the window during the run. Qt does not count the close of a window
        // that is already hidden as the last window closing, so the program ends here.
        if (close())
            QCoreApplication::quit();
        return;
    }
    applyBackgroundList();
}

void frmMain::closeListWait() {
    if (m_listWaitDelay)
        m_listWaitDelay->stop();
    m_listWait.reset();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (m_backgroundPending && watched == lstGames->viewport() && event->type() == QEvent::Paint)
        QTimer::singleShot(0, this, &frmMain::startBackgroundList); // once this paint is done
    if (watched == lstGames && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            modifiers == Qt::NoModifier) {
            cmdLaunch_Click();
            return true;
        }
        if (startsFinding(*key)) {
            openFilter(key->text());
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (m_state.LaunchBusy) {
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
    closeListWait();
    // Widths set before the window had a frame counted none; now the frame is known.
    if (m_requestedOuterWidthTw > 0 && !WindowFrame::extraPx(this).isNull())
        setOuterWidthTw(m_requestedOuterWidthTw);
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
    mnuViewShowGameConfig->setChecked(m_panelShown);
    WriteIni(AppPaths::settingsFile(m_state.appDir), "Settings", "ShowConfig",
             m_panelShown ? "1" : "0");
}

void frmMain::mnuShowMissingRoms_Click() {
    m_missingListed = !m_missingListed;
    mnuShowMissingRoms->setChecked(m_missingListed);
    LoadGameList(!m_missingListed);
    WriteIni(AppPaths::settingsFile(m_state.appDir), "Settings", "ShowMissingRoms",
             m_missingListed ? "1" : "0");
}

void frmMain::mnuConfigSetRomPath_Click() {
    FrontEndSettings& s = m_state.settings;
    const QString path =
        m_dialogs.inputText(QStringLiteral("Type Path to Roms"), QStringLiteral("Enter Rom Path"),
                            s.RomPath);
    if (!path.isEmpty()) {
        s.RomPath = path;
        WriteIni(AppPaths::settingsFile(m_state.appDir), "Settings", "RomPath", path);
    }
    LoadGameList(!m_missingListed);
}

void frmMain::mnuConfigEmulator_Click() {
    m_panelShown = false;
    mnuViewShowGameConfig_Click();
    // Row 1 is one of these three kinds; the templates of the other kinds are hidden and refuse
    // the focus. The last control that takes it keeps it.
    for (QWidget* candidate : {static_cast<QWidget*>(txtConfig1),
                               static_cast<QWidget*>(cmbConfig1), static_cast<QWidget*>(chkCfg1)}) {
        if (candidate && candidate->isVisibleTo(this) && candidate->isEnabled() &&
            (candidate->focusPolicy() & Qt::TabFocus))
            candidate->setFocus(Qt::OtherFocusReason);
    }
}

void frmMain::mnuHelpAbout_Click() {
    if (!m_about)
        m_about = new frmAbout(m_state.appDir, m_state.HelpText, this, this);
    WindowFrame::bringToFront(m_about);
}

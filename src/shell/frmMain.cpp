#include "frmMain.h"

#include "AppPaths.h"
#include "Dialogs.h"
#include "Twips.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>

namespace {

// Design-time client area of the main window, in twips.
constexpr double kClientWidthTw = 5940;
constexpr double kClientHeightTw = 5145;

QFont windowFont() { return QFont(QStringLiteral("Arial"), 12); }

QFont controlFont() {
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPointSizeF(8.25);
    return f;
}

void placeTw(QWidget* w, double left, double top, double width, double height) {
    w->setGeometry(Twips::toPx(left), Twips::toPx(top), Twips::toPx(width), Twips::toPx(height));
}

template <class T> T* named(T* object, const char* name) {
    object->setObjectName(QString::fromLatin1(name));
    return object;
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
    lstGames = named(new QListWidget(client), "lstGames");
    lstGames->setUniformItemSizes(true); // lists of 50,000 games must stay fast
    placeTw(lstGames, 240, 120, 5535, 4380);

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

    mnuView = named(menuBar()->addMenu(QStringLiteral("&View")), "mnuView");
    mnuShowMissingRoms =
        named(mnuView->addAction(QStringLiteral("Show &Missing Roms")), "mnuShowMissingRoms");
    mnuShowMissingRoms->setCheckable(true);
    mnuViewShowGameConfig =
        named(mnuView->addAction(QStringLiteral("Show &Game Config")), "mnuViewShowGameConfig");
    mnuViewShowGameConfig->setCheckable(true);

    mnuHelp = named(menuBar()->addMenu(QStringLiteral("&Help")), "mnuHelp");
    mnuHelpAbout = named(mnuHelp->addAction(QStringLiteral("&About")), "mnuHelpAbout");
}

bool frmMain::Form_Load() {
    ReadDovrelCFG();
    const FrontEndSettings& s = m_state.settings;
    if (!MakeGamelist(QStringLiteral("gamelist.txt"), s.GameListStartLine, s.HelpEndLine,
                      s.GameListRomLen))
        return false;
    LoadGameList(!mnuShowMissingRoms->isChecked());
    InitCfg();
    return true;
}

void frmMain::ReadDovrelCFG() {
    FrontEndSettings& s = m_state.settings;
    s = ReadFrontEndSettings(m_state.appDir);
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

QSize frmMain::frameExtraPx() const {
    if (!isVisible())
        return {0, 0};
    return frameGeometry().size() - geometry().size();
}

int frmMain::menuHeightPx() const { return menuBar()->sizeHint().height(); }

void frmMain::setClientSizePx(int width, int height) {
    client->setFixedSize(width, height);
    setFixedSize(width, height + menuHeightPx());
}

double frmMain::outerHeightTw() const {
    return Twips::fromPx(client->height() + menuHeightPx() + frameExtraPx().height());
}

double frmMain::outerWidthTw() const {
    return Twips::fromPx(client->width() + frameExtraPx().width());
}

double frmMain::maxOuterHeightTw() const {
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    return s ? Twips::fromPx(s->availableGeometry().height()) : 1e9;
}

void frmMain::setOuterHeightTw(double twips) {
    const double clamped = qMin(twips, maxOuterHeightTw());
    const int clientH = Twips::toPx(clamped) - menuHeightPx() - frameExtraPx().height();
    setClientSizePx(client->width(), qMax(0, clientH));
}

void frmMain::setOuterWidthTw(double twips) {
    const int clientW = Twips::toPx(twips) - frameExtraPx().width();
    setClientSizePx(qMax(0, clientW), client->height());
}

bool frmMain::MakeGamelist(const QString&, qint16, double, qint16) { return true; }

void frmMain::LoadGameList(bool) {}

void frmMain::InitCfg() {}

QString frmMain::CreateCLOString() const { return {}; }

void frmMain::lstGames_Click() {}

void frmMain::mnuViewShowGameConfig_Click() {}

void frmMain::mnuShowMissingRoms_Click() {}

#include "shell/MainMenus.h"

#include "ui/WidgetPlacement.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>

using WidgetPlacement::named;

namespace {

QAction* checkable(QAction* action) {
    action->setCheckable(true);
    return action;
}

} // namespace

MainMenus::MainMenus(QMenuBar* bar) : QObject(bar) {
    // Menus keep the desktop's own font; the window font is for the game list.
    bar->setFont(QApplication::font());
    mnuConfig = named(bar->addMenu(QStringLiteral("&Config")), "mnuConfig");
    mnuConfigControls =
        named(mnuConfig->addAction(QStringLiteral("&Controls")), "mnuConfigControls");
    mnuConfigEmulator =
        named(mnuConfig->addAction(QStringLiteral("&Emulator")), "mnuConfigEmulator");
    mnuConfigSetRomPath =
        named(mnuConfig->addAction(QStringLiteral("Set &Rom Path")), "mnuConfigSetRomPath");
    mnuConfig->addSeparator();
    mnuConfigQuickStart = checkable(
        named(mnuConfig->addAction(QStringLiteral("&Quick Start")), "mnuConfigQuickStart"));

    mnuView = named(bar->addMenu(QStringLiteral("&View")), "mnuView");
    mnuShowMissingRoms = checkable(
        named(mnuView->addAction(QStringLiteral("Show &Missing Roms")), "mnuShowMissingRoms"));
    mnuViewShowGameConfig = checkable(
        named(mnuView->addAction(QStringLiteral("Show &Game Config")), "mnuViewShowGameConfig"));
    buildViewMenu();
    buildFullScreen(bar);

    mnuHelp = named(bar->addMenu(QStringLiteral("&Help")), "mnuHelp");
    mnuHelpAbout = named(mnuHelp->addAction(QStringLiteral("&About")), "mnuHelpAbout");

    connect(mnuConfigControls, &QAction::triggered, this, &MainMenus::controlsAsked);
    connect(mnuConfigEmulator, &QAction::triggered, this, &MainMenus::emulatorAsked);
    connect(mnuConfigSetRomPath, &QAction::triggered, this, &MainMenus::romPathAsked);
    connect(mnuConfigQuickStart, &QAction::triggered, this, &MainMenus::quickStartToggled);
    connect(mnuShowMissingRoms, &QAction::triggered, this, &MainMenus::missingRomsToggled);
    connect(mnuViewShowGameConfig, &QAction::triggered, this, &MainMenus::gameConfigToggled);
    connect(mnuHelpAbout, &QAction::triggered, this, &MainMenus::aboutAsked);
}

void MainMenus::buildViewMenu() {
    mnuView->addSeparator();
    mnuViewFind = named(mnuView->addAction(QStringLiteral("&Find Games...")), "mnuViewFind");
    mnuViewFind->setShortcut(QKeySequence::Find);
    connect(mnuViewFind, &QAction::triggered, this, &MainMenus::findAsked);
    mnuViewFavourite =
        checkable(named(mnuView->addAction(QStringLiteral("Fa&vourite")), "mnuViewFavourite"));
    mnuViewFavourite->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    connect(mnuViewFavourite, &QAction::triggered, this, &MainMenus::favouriteToggled);

    mnuView->addSeparator();
    mnuViewFavouritesOnly = checkable(
        named(mnuView->addAction(QStringLiteral("Fav&ourites Only")), "mnuViewFavouritesOnly"));
    mnuViewRecentlyPlayed = checkable(
        named(mnuView->addAction(QStringLiteral("Recently &Played")), "mnuViewRecentlyPlayed"));
    mnuViewSortByTitle = checkable(
        named(mnuView->addAction(QStringLiteral("Sort by &Title")), "mnuViewSortByTitle"));
    connect(mnuViewFavouritesOnly, &QAction::triggered, this,
            [this] { emit viewChoicesToggled(false); });
    // One order at a time: turning one on turns the other off.
    connect(mnuViewRecentlyPlayed, &QAction::triggered, this, [this](bool on) {
        if (on)
            mnuViewSortByTitle->setChecked(false);
        emit viewChoicesToggled(on);
    });
    connect(mnuViewSortByTitle, &QAction::triggered, this, [this](bool on) {
        if (on)
            mnuViewRecentlyPlayed->setChecked(false);
        emit viewChoicesToggled(false);
    });
}

void MainMenus::addDetailsChoices() {
    if (mnuViewDetails)
        return;
    mnuView->addSeparator();
    mnuViewDetails =
        checkable(named(mnuView->addAction(QStringLiteral("&Details")), "mnuViewDetails"));
    mnuViewHideClones = checkable(
        named(mnuView->addAction(QStringLiteral("Hide &Clones")), "mnuViewHideClones"));
    mnuViewWorkingOnly = checkable(
        named(mnuView->addAction(QStringLiteral("&Working Only")), "mnuViewWorkingOnly"));
    for (QAction* action : {mnuViewDetails, mnuViewHideClones, mnuViewWorkingOnly})
        connect(action, &QAction::triggered, this, [this] { emit viewChoicesToggled(false); });
}

void MainMenus::buildFullScreen(QMenuBar* bar) {
    mnuViewFullScreen = checkable(new QAction(QStringLiteral("F&ull Screen"), this));
    mnuViewFullScreen->setObjectName(QStringLiteral("mnuViewFullScreen"));
    mnuViewFullScreen->setShortcut(QKeySequence(Qt::Key_F11));
    // Not in a menu yet, the action takes its key through the window.
    bar->window()->addAction(mnuViewFullScreen);
    connect(mnuViewFullScreen, &QAction::triggered, this, &MainMenus::fullScreenToggled);
}

void MainMenus::showFullScreenItem() {
    if (mnuView->actions().contains(mnuViewFullScreen))
        return;
    mnuView->addSeparator();
    mnuView->addAction(mnuViewFullScreen);
}

ViewChoices MainMenus::checkedViewChoices() const {
    ViewChoices choices;
    choices.favouritesOnly = mnuViewFavouritesOnly->isChecked();
    choices.recentlyPlayed = mnuViewRecentlyPlayed->isChecked();
    choices.sortByTitle = mnuViewSortByTitle->isChecked();
    if (mnuViewDetails) {
        choices.detailsTable = mnuViewDetails->isChecked();
        choices.hideClones = mnuViewHideClones->isChecked();
        choices.workingOnly = mnuViewWorkingOnly->isChecked();
    }
    return choices;
}

void MainMenus::showViewChoices(const ViewChoices& choices) {
    mnuViewFavouritesOnly->setChecked(choices.favouritesOnly);
    mnuViewRecentlyPlayed->setChecked(choices.recentlyPlayed);
    mnuViewSortByTitle->setChecked(choices.sortByTitle);
    if (mnuViewDetails) {
        mnuViewDetails->setChecked(choices.detailsTable);
        mnuViewHideClones->setChecked(choices.hideClones);
        mnuViewWorkingOnly->setChecked(choices.workingOnly);
    }
}

#pragma once

#include "gamelist/GameListView.h"

#include <QObject>

class QAction;
class QMenu;
class QMenuBar;

// The main window's menus. They only say what the user chose; the window acts on it and sets
// the check marks from what it then holds (Qt flips a checkable action's mark before it reports
// the click, so the mark alone cannot say what the state was).
class MainMenus : public QObject {
    Q_OBJECT
public:
    explicit MainMenus(QMenuBar* bar);

    // The marks of the view choices as they stand after a click; the query stays empty.
    ViewChoices checkedViewChoices() const;
    void showViewChoices(const ViewChoices& choices);
    // The choices of a list with details, at the end of the View menu; a list without them
    // has none of these.
    void addDetailsChoices();
    void showFullScreenItem();

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
    QAction* mnuViewDetails = nullptr;
    QAction* mnuViewHideClones = nullptr;
    QAction* mnuViewWorkingOnly = nullptr;
    // Full Screen answers F11 from the start; its item joins the View menu only once a game
    // controller is there (see showFullScreenItem), so a window without one is unchanged.
    QAction* mnuViewFullScreen = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuHelpAbout = nullptr;

signals:
    void controlsAsked();
    void emulatorAsked();
    void romPathAsked();
    void quickStartToggled(bool on);
    void missingRomsToggled();
    void gameConfigToggled();
    void findAsked();
    void favouriteToggled();
    // One of the three view choices was clicked; `recentlyPlayedOn` when that view was turned on.
    void viewChoicesToggled(bool recentlyPlayedOn);
    void aboutAsked();
    void fullScreenToggled();

private:
    void buildViewMenu();
    void buildFullScreen(QMenuBar* bar);
};

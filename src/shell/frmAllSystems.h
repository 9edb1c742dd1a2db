#pragma once

#include "shell/AllSystemsModel.h"

#include <QMainWindow>

#include <optional>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QTreeView;
class SystemMenus;

// Every system's games in one window: found by the words typed in the field above them,
// favourites and recently played across systems, each game marked with its system. Enter or a
// double-click asks for a launch of the selected game, which the owner starts with that
// system's options and emulator; Ctrl+D marks it a favourite of its system.
class frmAllSystems : public QMainWindow {
    Q_OBJECT
public:
    explicit frmAllSystems(QWidget* parent = nullptr);

    // The games (the owner keeps each system's library alive), and the systems that could not
    // be listed: they are named below the list.
    void setSystems(std::vector<AllSystemsGames::System> systems, const QStringList& unlisted);
    SystemMenus& systemMenus() { return *m_systemMenus; }
    // The rows the choices select, the selected game kept while listed when `keepSelected`,
    // else the first.
    void refill(bool keepSelected = true);
    // The selected game, as a row of the combined list.
    std::optional<AllSystemsGames::Row> selected() const;
    AllSystemsModel& model() { return m_model; }
    ViewChoices viewChoices() const;

    QLineEdit* txtFind = nullptr;
    QTreeView* tblAllGames = nullptr;
    QLabel* lblUnlisted = nullptr;
    QMenu* mnuConfig = nullptr;
    QMenu* mnuView = nullptr;
    QAction* mnuViewFavourite = nullptr;
    QAction* mnuViewFavouritesOnly = nullptr;
    QAction* mnuViewRecentlyPlayed = nullptr;
    QAction* mnuViewSortByTitle = nullptr;

signals:
    void launchAsked(const AllSystemsGames::Row& row);
    void favouriteAsked(const AllSystemsGames::Row& row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void askLaunch();

    AllSystemsModel m_model;
    SystemMenus* m_systemMenus = nullptr;
};

#pragma once

#include "session/AllSystemsGames.h"
#include "systems/SystemList.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class Dialogs;
class GameSession;
class PadControl;
class QMainWindow;
class QWidget;
class SystemMenus;
class frmAllSystems;
class frmMain;

// The systems of a data folder and their windows. Each system has a main window of its own,
// made when the system is first shown and kept while the user visits others, so that its
// selection, filter, views and unsaved panel edits are there on the way back; one window
// shows at a time, at the place of the one before. A folder without a list of systems is one
// system, whose window is the standard one with Config -> "Emulators..." added.
class SystemShelf : public QObject {
    Q_OBJECT
public:
    SystemShelf(QString dataDir, Dialogs& dialogs, QObject* parent = nullptr);
    ~SystemShelf() override;

    // Reads the list (the entries left out are told on stderr, once) and shows the system of
    // that name (--system; an unknown one is told on stderr), else the one shown last, else the
    // first; when its window cannot start (the list command failed), the next that can. False
    // when none can: the program then ends, as it always has.
    bool start(const QString& systemName = QString());

    int count() const { return int(m_slots.size()); }
    QStringList names() const;
    // The system whose window is shown, or was before All Systems.
    int currentIndex() const { return m_current; }
    bool allSystemsShown() const { return m_allShown; }
    // Null until the system has been shown.
    frmMain* window(int index) const;
    QMainWindow* shownWindow() const { return m_shown; }
    frmAllSystems* allSystemsWindow() const { return m_all.get(); }

    // Shows that system's window; refused with a message while a game runs. False when it was
    // refused or the window could not start.
    bool showSystem(int index);
    // The next (+1) or previous (-1) system, round the list.
    void step(int delta);
    // Every system's games in one window, or back to the current system.
    void toggleAllSystems();
    // Config -> "Emulators...": the systems added, renamed, reordered and removed, then
    // followed.
    void editSystems();
    // After the list was changed on disk: windows of systems still listed stay as they are.
    void reload();

signals:
    // Dialogs belong to this window now: the one shown, or the one starting.
    void dialogParentChanged(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Slot;

    bool openWindow(Slot& slot);
    GameSession& sessionOf(Slot& slot);
    bool listGamesForAll(Slot& slot);
    void bring(QMainWindow* next);
    bool refusedWhileRunning();
    void addMenus(SystemMenus* menus);
    void updateMenus();
    void showAllSystems();
    void launchFromAll(const AllSystemsGames::Row& row);
    void favouriteFromAll(const AllSystemsGames::Row& row);
    void readList();

    const QString m_dataDir;
    Dialogs& m_dialogs;
    bool m_listed = false; // the folder has a list of systems
    std::vector<std::unique_ptr<Slot>> m_slots;
    std::vector<std::unique_ptr<Slot>> m_retired; // removed, deleted once the loop is back
    int m_current = 0;
    bool m_allShown = false;
    std::unique_ptr<frmAllSystems> m_all;
    std::vector<Slot*> m_allSlots; // the system of each of All Systems' systems
    QMainWindow* m_shown = nullptr;
    PadControl* m_pad = nullptr;
    bool m_quitWhenLaunchEnds = false; // All Systems was closed during its launch
};

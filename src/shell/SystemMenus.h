#pragma once

#include <QList>
#include <QObject>
#include <QStringList>

class QAction;
class QActionGroup;
class QComboBox;
class QMainWindow;
class QMenu;

// What a window of a data folder with several systems adds to its menus: Config ->
// "Emulators...", the "System" menu (one radio item a system, Ctrl+1 ... Ctrl+9, the next and
// previous with Ctrl+PgDown and Ctrl+PgUp), View -> "All Systems" and, at the right of the
// menu bar, a compact switcher that shows the current system. With one system only the
// Emulators item shows, so that the window is otherwise the standard one. Like MainMenus it
// only says what the user chose.
class SystemMenus : public QObject {
    Q_OBJECT
public:
    // The System menu goes before `before` (the Help menu).
    SystemMenus(QMainWindow* window, QMenu* config, QMenu* view, QMenu* before);

    // The systems by name, and which one the window shows: -1 for All Systems.
    void setSystems(const QStringList& names, int current);

    QAction* mnuConfigEmulators = nullptr;
    QMenu* mnuSystem = nullptr;
    QList<QAction*> mnuSystemItems;
    QAction* mnuSystemNext = nullptr;
    QAction* mnuSystemPrevious = nullptr;
    QAction* mnuViewAllSystems = nullptr;
    QComboBox* cmbSystem = nullptr; // the systems, then "All Systems"

signals:
    void emulatorsAsked();
    void systemAsked(int index);
    void stepAsked(int step); // +1 the next system, -1 the previous
    void allSystemsToggled();

private:
    QMainWindow* m_window;
    QActionGroup* m_group;
    QAction* m_itemsEnd; // the separator after the systems' items
};

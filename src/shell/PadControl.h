#pragma once

#include "controllers/PadInput.h"
#include "controllers/PadNavigator.h"

#include <QObject>

class GameSession;
class QAbstractItemView;
class QWidget;
class frmMain;

// The game controllers bound to the main window: moves go to the list as its own keys would
// (or to the menu that is open), A or Start launches, B closes the filter field, Y marks the
// favourite, Back opens the View menu, Guide switches Full Screen. Only while the window is
// the active one, as for its keys; while the session's emulator runs, the controllers are the
// emulator's alone.
class PadControl : public QObject {
    Q_OBJECT
public:
    PadControl(frmMain& window, GameSession& session);

    PadNavigator& navigator() { return m_navigator; }
    void act(Pad::Action action);
    // Another system's window is shown: the controllers act there from now on.
    void follow(frmMain& window, GameSession& session);
    // A window of one list (All Systems) is shown: the moves, A and the triggers act there.
    void followList(QWidget* window, QAbstractItemView* list);
    // While any of these sessions' emulators runs, the controllers are its alone.
    void holdFor(GameSession& session);

signals:
    // The triggers: +1 the next system, -1 the previous.
    void systemStepAsked(int step);

private:
    static void sendKey(QWidget* target, int key);

    frmMain* m_window;
    QWidget* m_listWindow = nullptr;
    QAbstractItemView* m_list = nullptr; // while a window of one list is shown
    PadNavigator m_navigator;
    bool m_controllerSeen = false;
};

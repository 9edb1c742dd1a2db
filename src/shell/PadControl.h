#pragma once

#include "controllers/PadInput.h"
#include "controllers/PadNavigator.h"

#include <QObject>

class GameSession;
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

signals:
    // The triggers: +1 the next system, -1 the previous.
    void systemStepAsked(int step);

private:
    static void sendKey(QWidget* target, int key);

    frmMain* m_window;
    GameSession* m_session = nullptr;
    PadNavigator m_navigator;
    bool m_controllerSeen = false;
};

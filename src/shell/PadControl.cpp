#include "shell/PadControl.h"

#include "session/GameSession.h"
#include "shell/frmMain.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>

PadControl::PadControl(frmMain& window, GameSession& session)
    : QObject(&window), m_window(&window) {
    connect(&m_navigator, &PadNavigator::actionAsked, this, &PadControl::act);
    connect(&m_navigator, &PadNavigator::controllersChanged, this, [this](int count) {
        if (count > 0) {
            m_controllerSeen = true;
            m_window->menus().showFullScreenItem();
        }
    });
    follow(window, session);
}

void PadControl::follow(frmMain& window, GameSession& session) {
    m_window = &window;
    m_list = nullptr;
    holdFor(session);
    if (m_controllerSeen)
        window.menus().showFullScreenItem();
}

void PadControl::followList(QWidget* window, QAbstractItemView* list) {
    m_listWindow = window;
    m_list = list;
}

void PadControl::holdFor(GameSession& session) {
    connect(&session, &GameSession::launchStarting, &m_navigator, &PadNavigator::holdForLaunch,
            Qt::UniqueConnection);
    connect(&session, &GameSession::launchEnded, &m_navigator, &PadNavigator::launchEnded,
            Qt::UniqueConnection);
}

void PadControl::sendKey(QWidget* target, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &release);
}

void PadControl::act(Pad::Action action) {
    using Pad::Action;
    // An open menu takes the moves, A chooses and B closes it, as its keys would.
    QWidget* popup = QApplication::activePopupWidget();
    // Another window in front (a message, Config -> Controls) or another program: the
    // controller is not talking to this window, as the keyboard would not be.
    if (!popup && !(m_list ? m_listWindow : m_window)->isActiveWindow())
        return;
    QWidget* moves = popup ? popup : m_list ? m_list : m_window->gameView();
    // In a plain list the moves, A and the triggers work; the rest is the main window's.
    const bool mainWindow = !popup && !m_list;
    switch (action) {
    case Action::MoveUp:
        sendKey(moves, Qt::Key_Up);
        break;
    case Action::MoveDown:
        sendKey(moves, Qt::Key_Down);
        break;
    case Action::PageUp:
        sendKey(moves, Qt::Key_PageUp);
        break;
    case Action::PageDown:
        sendKey(moves, Qt::Key_PageDown);
        break;
    case Action::Launch:
        if (popup || m_list)
            sendKey(moves, Qt::Key_Return);
        else
            m_window->cmdLaunch_Click();
        break;
    case Action::CloseFilter:
        if (popup)
            sendKey(popup, Qt::Key_Escape);
        else if (mainWindow)
            m_window->closeFilter();
        break;
    case Action::Favourite:
        if (mainWindow)
            m_window->mnuViewFavourite_Click();
        break;
    case Action::ViewMenu:
        if (mainWindow)
            m_window->menus().mnuView->popup(
                m_window->gameView()->mapToGlobal(m_window->gameView()->rect().topLeft()));
        break;
    case Action::FullScreen:
        if (mainWindow)
            m_window->mnuViewFullScreen_Click();
        break;
    case Action::PreviousSystem:
        if (!popup)
            emit systemStepAsked(-1);
        break;
    case Action::NextSystem:
        if (!popup)
            emit systemStepAsked(1);
        break;
    case Action::None:
        break;
    }
}

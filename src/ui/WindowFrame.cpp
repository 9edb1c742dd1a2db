#include "ui/WindowFrame.h"

#include "ui/Twips.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QWidget>

#include <limits>

namespace WindowFrame {

QSize extraPx(const QWidget* window) {
    if (!window->isVisible())
        return {0, 0};
    return window->frameGeometry().size() - window->geometry().size();
}

int menuHeightPx(const QMainWindow* window) {
    return window->menuBar()->sizeHint().height();
}

double maxOuterHeightTw(const QWidget* window) {
    const QScreen* s = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return s ? Twips::fromPx(s->availableGeometry().height())
             : std::numeric_limits<double>::infinity();
}

double maxOuterWidthTw(const QWidget* window) {
    const QScreen* s = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return s ? Twips::fromPx(s->availableGeometry().width())
             : std::numeric_limits<double>::infinity();
}

void bringToFront(QWidget* window) {
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace WindowFrame

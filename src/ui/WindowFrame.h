#pragma once

#include <QSize>

class QMainWindow;
class QWidget;

// What every window of the program measures alike. Outer sizes add the menu bar and the frame
// that the window manager draws; that frame is known only once the window is shown.
namespace WindowFrame {

// Outer size minus client size; 0 until the window is shown (and 0 without a window manager).
QSize extraPx(const QWidget* window);

// The height of a main window's menu bar as laid out.
int menuHeightPx(const QMainWindow* window);

// The tallest outer height the available area of the window's screen allows, in twips; no
// limit without a screen.
double maxOuterHeightTw(const QWidget* window);
// The same for the width.
double maxOuterWidthTw(const QWidget* window);

// Shows a window that may be hidden or minimised and makes it the active one.
void bringToFront(QWidget* window);

} // namespace WindowFrame

#pragma once

class QMainWindow;
class QWidget;

// The fixed size of a main window whose central widget is its client area, set and read as
// outer sizes in twips: the client area plus the menu bar plus the window frame (0 until the
// window manager has framed the window). Heights stop at the screen's available area.
class FixedWindowSize {
public:
    FixedWindowSize(QMainWindow* window, QWidget* client) : m_window(window), m_client(client) {}

    void setClientSizePx(int width, int height);
    double outerHeightTw() const;
    void setOuterHeightTw(double twips);
    double outerWidthTw() const;
    void setOuterWidthTw(double twips);
    double maxOuterHeightTw() const;
    // Widths set before the window had a frame counted none: sets the last one again once the
    // frame is known.
    void frameKnown();

private:
    QMainWindow* m_window;
    QWidget* m_client;
    double m_requestedOuterWidthTw = 0;
};

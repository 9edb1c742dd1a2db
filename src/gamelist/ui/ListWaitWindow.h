#pragma once

#include <QWidget>

class QTimer;

// The small window that says the game list is being read from the emulator, with a busy
// indicator: shown only once the wait has lasted a moment, so that a fast emulator shows
// nothing but the main window. It lives until the main window shows.
class ListWaitWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int delayMs = 300;

    explicit ListWaitWindow(const QString& caption, QWidget* parent = nullptr);

    // Shows the window after the delay, when events are processed by then.
    void showAfterDelay();

private:
    QTimer* m_delay;
};

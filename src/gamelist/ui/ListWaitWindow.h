#pragma once

#include <QWidget>

// The small window that says the game list is being read from the emulator, with a busy
// indicator. Start-up makes it only once the wait has lasted a moment (delayMs), so that a
// fast emulator shows nothing but the main window and costs nothing; it lives until the main
// window shows.
class ListWaitWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int delayMs = 300;

    explicit ListWaitWindow(const QString& caption, QWidget* parent = nullptr);

    // Shows the window in the middle of the screen, where the main window will appear.
    void showCentred();
};

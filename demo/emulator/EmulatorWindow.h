#pragma once

#include <QString>
#include <QWidget>

class QLabel;
class QTimer;
class LaunchArguments;

// The "game screen": shows what the emulator was started with and which bindings it found,
// so a launch from a front-end can be checked by eye. Any key press or mouse click anywhere
// in the application ends it, as does the optional countdown.
class EmulatorWindow : public QWidget {
    Q_OBJECT

public:
    // bindingsReport is the ready text of the input file's sections.
    EmulatorWindow(const LaunchArguments& launch, const QString& bindingsReport,
                   QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void countDown();
    void showStatus();

    QLabel* m_status = nullptr;
    QTimer* m_countdown = nullptr;
    int m_secondsLeft = 0;
};

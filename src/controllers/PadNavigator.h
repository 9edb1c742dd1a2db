#pragma once

#include "controllers/ControllerReader.h"
#include "controllers/PadInput.h"

#include <QObject>
#include <QTimer>

#include <optional>

// The controllers as the window's thread sees them: the inputs of the current generation
// become actions, a held move repeats as a held key does (RepeatTiming), and nothing acts
// while the emulator runs. It owns the reader and starts it.
class PadNavigator : public QObject {
    Q_OBJECT
public:
    explicit PadNavigator(QObject* parent = nullptr);

    ControllerReader& reader() { return m_reader; }
    // The emulator has the controllers from holdForLaunch() to launchEnded(); what was pressed
    // meanwhile, the button that quit the game among it, does nothing here.
    void holdForLaunch();
    void launchEnded();
    bool held() const { return m_held; }
    // The move that repeats now, if any.
    std::optional<Pad::Input> repeating() const { return m_repeating; }

signals:
    void actionAsked(Pad::Action action);
    void controllersChanged(int count);

private:
    void inputChanged(Pad::Input input, bool pressed, quint64 generation);
    void repeatDue();
    void stopRepeat();

    ControllerReader m_reader;
    QTimer m_repeat;
    std::optional<Pad::Input> m_repeating;
    int m_repeats = 0;
    bool m_held = false;
};

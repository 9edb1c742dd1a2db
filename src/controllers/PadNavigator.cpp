#include "controllers/PadNavigator.h"

#include "controllers/PadMapping.h"
#include "controllers/RepeatTiming.h"

PadNavigator::PadNavigator(QObject* parent) : QObject(parent) {
    m_repeat.setSingleShot(true);
    connect(&m_repeat, &QTimer::timeout, this, &PadNavigator::repeatDue);
    connect(&m_reader, &ControllerReader::inputChanged, this, &PadNavigator::inputChanged,
            Qt::QueuedConnection);
    connect(&m_reader, &ControllerReader::controllersChanged, this,
            &PadNavigator::controllersChanged, Qt::QueuedConnection);
    m_reader.start();
}

void PadNavigator::holdForLaunch() {
    m_held = true;
    stopRepeat();
    m_reader.pause();
}

void PadNavigator::launchEnded() {
    m_held = false;
    m_reader.resume();
}

void PadNavigator::inputChanged(Pad::Input input, bool pressed, quint64 generation) {
    // Read before a launch (or during one, in the launch's own event loop): not for the window.
    if (m_held || generation != m_reader.generation())
        return;
    if (!pressed) {
        if (m_repeating == input)
            stopRepeat();
        return;
    }
    const Pad::Action action = PadMapping::actionFor(input);
    if (action == Pad::Action::None)
        return;
    if (PadMapping::repeats(action)) {
        m_repeating = input;
        m_repeats = 0;
        m_repeat.start(RepeatTiming::delayMs(0));
    }
    emit actionAsked(action);
}

void PadNavigator::repeatDue() {
    if (!m_repeating || m_held)
        return;
    ++m_repeats;
    m_repeat.start(RepeatTiming::delayMs(m_repeats));
    emit actionAsked(PadMapping::actionFor(*m_repeating));
}

void PadNavigator::stopRepeat() {
    m_repeat.stop();
    m_repeating.reset();
    m_repeats = 0;
}

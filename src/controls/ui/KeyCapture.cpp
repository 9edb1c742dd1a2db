#include "controls/ui/KeyCapture.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>

#include <utility>

KeyCapture::KeyCapture(QObject* parent)
    : QObject(parent), m_native(KeyCodeMap::nativeKeysOfThisPlatform()) {}

KeyCapture::~KeyCapture() {
    cancel();
}

void KeyCapture::setPhase(Phase phase) {
    m_phase = phase;
    const bool wanted = phase != Phase::Idle;
    if (wanted == m_installed || !QCoreApplication::instance())
        return;
    if (wanted)
        QCoreApplication::instance()->installEventFilter(this);
    else
        QCoreApplication::instance()->removeEventFilter(this);
    m_installed = wanted;
}

void KeyCapture::arm(Qt::MouseButtons heldButtons) {
    m_keys.reset();
    for (Qt::MouseButton b :
         {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton, Qt::BackButton, Qt::ForwardButton})
        if (heldButtons & b)
            m_keys.press(KeyCodeMap::virtualButton(b));
    m_scans = 0;
    setPhase(Phase::Armed);
}

void KeyCapture::cancel() {
    setPhase(Phase::Idle);
    if (m_loop)
        m_loop->quit();
}

void KeyCapture::finishDraining() {
    if (m_phase == Phase::Draining && !m_keys.anyDown())
        setPhase(Phase::Idle);
}

std::optional<ScanHit> KeyCapture::waitForPress() {
    m_scans = 0;
    m_hit.reset();
    if (m_phase != Phase::Armed)
        return std::nullopt;
    ++m_scans;
    if (const auto hit = ScanKeyStates(m_keys)) {
        setPhase(Phase::Draining);
        return hit;
    }
    QEventLoop loop;
    m_loop = &loop;
    loop.exec();
    m_loop = nullptr;
    if (m_hit)
        return std::exchange(m_hit, std::nullopt);
    // Cancelled, or the application is quitting: its end stops every running event loop.
    cancel();
    return std::nullopt;
}

void KeyCapture::tableChanged() {
    if (!m_loop)
        return; // still pending: the wait scans once it starts
    ++m_scans;
    if (const auto hit = ScanKeyStates(m_keys)) {
        m_hit = hit;
        setPhase(Phase::Draining); // later events of the same batch are the held key's
        m_loop->quit();
    }
}

bool KeyCapture::eventFilter(QObject* watched, QEvent* event) {
    // An input event reaches the window first and is then sent on to a widget; taking it at
    // the widget counts it once and leaves the window's own mouse bookkeeping intact.
    if (!watched->isWidgetType())
        return false;
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        const int code = KeyCodeMap::virtualKey(*static_cast<QKeyEvent*>(event), m_native);
        if (m_phase == Phase::Armed || (code && m_keys.isDown(code))) {
            event->accept(); // an accepted override keeps shortcuts and mnemonics from firing
            return true;
        }
        return false;
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return takeKey(static_cast<QKeyEvent*>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        return takeMouse(static_cast<QMouseEvent*>(event));
    default:
        return false;
    }
}

bool KeyCapture::takeKey(QKeyEvent* event) {
    const int code = KeyCodeMap::virtualKey(*event, m_native);
    const bool press = event->type() == QEvent::KeyPress;
    if (m_phase == Phase::Armed) {
        const qint16 before = m_keys.state(code);
        // Auto-repeat releases are not real releases; a repeated press of a held key is no
        // new press either.
        if (press && !(event->isAutoRepeat() && m_keys.isDown(code)))
            m_keys.press(code);
        else if (!press && !event->isAutoRepeat())
            m_keys.release(code);
        event->accept();
        if (code && m_keys.state(code) != before)
            tableChanged();
        return true;
    }
    if (!code || !m_keys.isDown(code))
        return false;
    if (event->isAutoRepeat()) {
        event->accept();
        return true;
    }
    // A fresh press of a key believed down: its release went elsewhere; let the press through.
    m_keys.release(code);
    finishDraining();
    if (press)
        return false;
    event->accept();
    return true;
}

bool KeyCapture::takeMouse(QMouseEvent* event) {
    const int code = KeyCodeMap::virtualButton(event->button());
    if (m_phase == Phase::Armed) {
        const qint16 before = m_keys.state(code);
        // A double click follows the press that already counted.
        if (event->type() == QEvent::MouseButtonPress && !m_keys.isDown(code))
            m_keys.press(code);
        else if (event->type() == QEvent::MouseButtonRelease)
            m_keys.release(code);
        event->accept();
        if (code && m_keys.state(code) != before)
            tableChanged();
        return true;
    }
    if (!code || !m_keys.isDown(code))
        return false;
    m_keys.release(code);
    finishDraining();
    if (event->type() != QEvent::MouseButtonRelease)
        return false;
    event->accept();
    return true;
}

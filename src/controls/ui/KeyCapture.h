#pragma once

#include "controls/KeyScan.h"
#include "controls/KeyStateTable.h"
#include "controls/ui/KeyCodeMap.h"

#include <QObject>

#include <optional>

class QEventLoop;
class QKeyEvent;
class QMouseEvent;

// Waits for the next key or mouse button. From the click that asks for a key until a key is
// taken, every key and mouse-button event of the application feeds the key-state table and
// goes no further: no shortcut, button or menu acts on it. After a key is taken, its own
// repeats and release still go to the capture, so the held key does not reach a widget.
//
// The wait blocks on the event loop and scans the table after each event that changed it, so
// a capture that waits for minutes costs no processor time, and a click whose press and
// release arrive together is still seen down.
class KeyCapture : public QObject {
    Q_OBJECT
public:
    explicit KeyCapture(QObject* parent = nullptr);
    ~KeyCapture() override;

    // Starts taking the events, with the table cleared except for the buttons still held
    // from the click that asked for the key.
    void arm(Qt::MouseButtons heldButtons);
    // Returns the first key or button down; nullopt when cancel() or the end of the
    // application stopped the wait.
    std::optional<ScanHit> waitForPress();
    void cancel();

    bool isArmed() const { return m_phase == Phase::Armed; }
    bool isWaiting() const { return m_loop != nullptr; }
    // Table scans made by the current or the last wait.
    int scans() const { return m_scans; }
    const KeyStateTable& keys() const { return m_keys; }

    void setNativeKeys(KeyCodeMap::NativeKeys native) { m_native = native; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Phase { Idle, Armed, Draining };

    bool takeKey(QKeyEvent* event);
    bool takeMouse(QMouseEvent* event);
    void tableChanged();
    void setPhase(Phase phase);
    void finishDraining();

    Phase m_phase = Phase::Idle;
    bool m_installed = false;
    KeyStateTable m_keys;
    KeyCodeMap::NativeKeys m_native;
    QEventLoop* m_loop = nullptr;
    std::optional<ScanHit> m_hit;
    int m_scans = 0;
};

#pragma once

#include <Qt>
#include <QtGlobal>

class QKeyEvent;

// Turns Qt's key and mouse identities into the Windows virtual-key codes that the key name
// file is keyed by. Qt reports Shift, Control and Alt without their hand; the native codes of
// the event tell left from right, and what they mean depends on the windowing system.
namespace KeyCodeMap {

enum class NativeKeys {
    Xkb,     // X11 and Wayland: the native virtual key is the key symbol (Shift_R ...)
    Windows, // the native virtual key, and the scan code with its extended-key bit
    Unknown, // no hand is known; the left-hand code stands for both
};

NativeKeys nativeKeysOfThisPlatform();

// The code of a key, 0 when the key has none. Shift, Control and Alt give their left- or
// right-hand code (160-165), never the either-hand code.
int virtualKey(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode,
               quint32 nativeVirtualKey, NativeKeys native);
int virtualKey(const QKeyEvent& event, NativeKeys native);

// 1, 2, 4, 5, 6 for the left, right, middle and the two extra buttons; 0 for any other.
int virtualButton(Qt::MouseButton button);

} // namespace KeyCodeMap

#include "controls/KeyStateTable.h"

int KeyStateTable::eitherHandCode(int code) {
    switch (code) {
    case VirtualKey::LeftShift:
    case VirtualKey::RightShift:
        return VirtualKey::Shift;
    case VirtualKey::LeftControl:
    case VirtualKey::RightControl:
        return VirtualKey::Control;
    case VirtualKey::LeftAlt:
    case VirtualKey::RightAlt:
        return VirtualKey::Alt;
    default:
        return 0;
    }
}

void KeyStateTable::setDown(int code, bool down) {
    Key& key = m_keys[code];
    if (down && !key.down)
        key.toggled = !key.toggled;
    key.down = down;
}

void KeyStateTable::press(int code) {
    if (!valid(code))
        return;
    setDown(code, true);
    if (const int either = eitherHandCode(code))
        setDown(either, true);
}

void KeyStateTable::release(int code) {
    if (!valid(code))
        return;
    setDown(code, false);
    if (const int either = eitherHandCode(code)) {
        // Shift stays down while the other hand still holds its Shift key.
        const int left = either == VirtualKey::Shift     ? VirtualKey::LeftShift
                         : either == VirtualKey::Control ? VirtualKey::LeftControl
                                                         : VirtualKey::LeftAlt;
        setDown(either, m_keys[left].down || m_keys[left + 1].down);
    }
}

void KeyStateTable::setToggled(int code, bool on) {
    if (valid(code))
        m_keys[code].toggled = on;
}

void KeyStateTable::reset() {
    m_keys = {};
}

qint16 KeyStateTable::state(int code) const {
    if (!valid(code))
        return 0;
    const Key& key = m_keys[code];
    return qint16((key.down ? -128 : 0) | (key.toggled ? 1 : 0));
}

bool KeyStateTable::isDown(int code) const {
    return valid(code) && m_keys[code].down;
}

bool KeyStateTable::anyDown() const {
    for (const Key& key : m_keys)
        if (key.down)
            return true;
    return false;
}

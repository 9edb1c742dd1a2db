#pragma once

#include <QtGlobal>

#include <array>

// Virtual-key codes with a role in the capture.
namespace VirtualKey {
inline constexpr int LeftButton = 1, RightButton = 2, MiddleButton = 4, XButton1 = 5, XButton2 = 6;
inline constexpr int Shift = 16, Control = 17, Alt = 18;
inline constexpr int CapsLock = 20, NumLock = 144, ScrollLock = 145;
inline constexpr int LeftShift = 160, RightShift = 161, LeftControl = 162, RightControl = 163,
                     LeftAlt = 164, RightAlt = 165;
inline constexpr int first = 1, last = 255;
} // namespace VirtualKey

// The state of every virtual-key code 1-255 as the input events seen so far leave it, in the
// form the platform's key-state query gives: negative while the key is down, bit 0 the toggle
// bit, which flips on every press. The either-hand codes of Shift, Control and Alt follow their
// left- and right-hand codes, so only those are ever pressed and released.
class KeyStateTable {
public:
    void press(int code);
    void release(int code);
    void setToggled(int code, bool on);
    void reset();

    qint16 state(int code) const;
    bool isDown(int code) const;
    bool anyDown() const;

private:
    struct Key {
        bool down = false;
        bool toggled = false;
    };
    static bool valid(int code) { return code >= VirtualKey::first && code <= VirtualKey::last; }
    static int eitherHandCode(int code); // 0 for codes without one
    void setDown(int code, bool down);

    std::array<Key, VirtualKey::last + 1> m_keys{};
};

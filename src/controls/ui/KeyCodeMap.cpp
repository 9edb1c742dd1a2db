#include "controls/ui/KeyCodeMap.h"

#include "controls/KeyStateTable.h"

#include <QGuiApplication>
#include <QHash>
#include <QKeyEvent>

namespace KeyCodeMap {

namespace {

// Keys whose code does not depend on the keypad or the hand. Shifted punctuation maps to the
// key that carries it on a US keyboard, since a virtual-key code names the key, not the
// character.
const QHash<int, int>& plainKeys() {
    static const QHash<int, int> table = [] {
        QHash<int, int> t{
            {Qt::Key_Cancel, 3},
            {Qt::Key_Backspace, 8},
            {Qt::Key_Tab, 9},
            {Qt::Key_Backtab, 9},
            {Qt::Key_Clear, 12},
            {Qt::Key_Return, 13},
            {Qt::Key_Enter, 13},
            {Qt::Key_Pause, 19},
            {Qt::Key_CapsLock, 20},
            {Qt::Key_Kana_Shift, 21},
            {Qt::Key_Hangul, 21},
            {Qt::Key_Hangul_Hanja, 25},
            {Qt::Key_Kanji, 25},
            {Qt::Key_Escape, 27},
            {Qt::Key_Henkan, 28},
            {Qt::Key_Muhenkan, 29},
            {Qt::Key_Mode_switch, 31},
            {Qt::Key_Space, 32},
            {Qt::Key_PageUp, 33},
            {Qt::Key_PageDown, 34},
            {Qt::Key_End, 35},
            {Qt::Key_Home, 36},
            {Qt::Key_Left, 37},
            {Qt::Key_Up, 38},
            {Qt::Key_Right, 39},
            {Qt::Key_Down, 40},
            {Qt::Key_Select, 41},
            {Qt::Key_Printer, 42},
            {Qt::Key_Execute, 43},
            {Qt::Key_Print, 44},
            {Qt::Key_SysReq, 44},
            {Qt::Key_Insert, 45},
            {Qt::Key_Delete, 46},
            {Qt::Key_Help, 47},
            {Qt::Key_Meta, 91},
            {Qt::Key_Super_L, 91},
            {Qt::Key_Super_R, 92},
            {Qt::Key_Menu, 93},
            {Qt::Key_Sleep, 95},
            {Qt::Key_NumLock, 144},
            {Qt::Key_ScrollLock, 145},
            {Qt::Key_Back, 166},
            {Qt::Key_Forward, 167},
            {Qt::Key_Refresh, 168},
            {Qt::Key_Stop, 169},
            {Qt::Key_Search, 170},
            {Qt::Key_Favorites, 171},
            {Qt::Key_HomePage, 172},
            {Qt::Key_VolumeMute, 173},
            {Qt::Key_VolumeDown, 174},
            {Qt::Key_VolumeUp, 175},
            {Qt::Key_MediaNext, 176},
            {Qt::Key_MediaPrevious, 177},
            {Qt::Key_MediaStop, 178},
            {Qt::Key_MediaPlay, 179},
            {Qt::Key_MediaTogglePlayPause, 179},
            {Qt::Key_LaunchMail, 180},
            {Qt::Key_LaunchMedia, 181},
            {Qt::Key_Launch0, 182},
            {Qt::Key_Launch1, 183},
            {Qt::Key_Semicolon, 186},
            {Qt::Key_Colon, 186},
            {Qt::Key_Equal, 187},
            {Qt::Key_Plus, 187},
            {Qt::Key_Comma, 188},
            {Qt::Key_Less, 188},
            {Qt::Key_Minus, 189},
            {Qt::Key_Underscore, 189},
            {Qt::Key_Period, 190},
            {Qt::Key_Greater, 190},
            {Qt::Key_Slash, 191},
            {Qt::Key_Question, 191},
            {Qt::Key_QuoteLeft, 192},
            {Qt::Key_AsciiTilde, 192},
            {Qt::Key_BracketLeft, 219},
            {Qt::Key_BraceLeft, 219},
            {Qt::Key_Backslash, 220},
            {Qt::Key_Bar, 220},
            {Qt::Key_BracketRight, 221},
            {Qt::Key_BraceRight, 221},
            {Qt::Key_Apostrophe, 222},
            {Qt::Key_QuoteDbl, 222},
            {Qt::Key_Play, 250},
            {Qt::Key_Zoom, 251},
            // The shifted digits of a US keyboard.
            {Qt::Key_ParenRight, 48},
            {Qt::Key_Exclam, 49},
            {Qt::Key_At, 50},
            {Qt::Key_NumberSign, 51},
            {Qt::Key_Dollar, 52},
            {Qt::Key_Percent, 53},
            {Qt::Key_AsciiCircum, 54},
            {Qt::Key_Ampersand, 55},
            {Qt::Key_Asterisk, 56},
            {Qt::Key_ParenLeft, 57},
        };
        for (int i = 0; i < 10; ++i)
            t.insert(Qt::Key_0 + i, 48 + i);
        for (int i = 0; i < 26; ++i)
            t.insert(Qt::Key_A + i, 65 + i);
        for (int i = 0; i < 24; ++i)
            t.insert(Qt::Key_F1 + i, 112 + i);
        return t;
    }();
    return table;
}

// The keypad's digits and operators have codes of their own; its other keys (Home, arrows,
// Enter) share the main block's codes, as they do on Windows.
int keypadKey(int qtKey) {
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return 96 + (qtKey - Qt::Key_0);
    switch (qtKey) {
    case Qt::Key_Asterisk:
        return 106;
    case Qt::Key_Plus:
        return 107;
    case Qt::Key_Minus:
        return 109;
    case Qt::Key_Period:
    case Qt::Key_Comma: // the decimal key of layouts that type a comma with it
        return 110;
    case Qt::Key_Slash:
        return 111;
    default:
        return 0;
    }
}

// X11 key symbols of the right-hand modifiers (X11/keysymdef.h).
namespace XkbSymbol {
constexpr quint32 ShiftRight = 0xffe2;
constexpr quint32 ControlRight = 0xffe4;
constexpr quint32 AltRight = 0xffea;
constexpr quint32 Level3Shift = 0xfe03; // AltGr on many layouts, where Alt_R would be
} // namespace XkbSymbol

bool isRightHand(int qtKey, quint32 scanCode, quint32 nativeVirtualKey, NativeKeys native) {
    switch (native) {
    case NativeKeys::Xkb:
        // The key symbol, which names the hand whatever keymap put it on which keycode.
        switch (nativeVirtualKey) {
        case XkbSymbol::ShiftRight:
            return qtKey == Qt::Key_Shift;
        case XkbSymbol::ControlRight:
            return qtKey == Qt::Key_Control;
        case XkbSymbol::AltRight:
        case XkbSymbol::Level3Shift:
            return qtKey == Qt::Key_Alt;
        default:
            return false;
        }
    case NativeKeys::Windows:
        if (nativeVirtualKey >= VirtualKey::LeftShift && nativeVirtualKey <= VirtualKey::RightAlt)
            return (nativeVirtualKey - VirtualKey::LeftShift) % 2 == 1;
        // Right Shift has a scan code of its own; right Control and Alt are the left ones
        // with the extended-key bit.
        if (qtKey == Qt::Key_Shift)
            return (scanCode & 0xFF) == 0x36;
        return (scanCode & 0x100) != 0;
    case NativeKeys::Unknown:
        break;
    }
    return false;
}

} // namespace

NativeKeys nativeKeysOfThisPlatform() {
#ifdef Q_OS_WIN
    return NativeKeys::Windows;
#else
    const QString platform = QGuiApplication::platformName();
    // Tests synthesise X11 scan codes on the offscreen platform.
    if (platform == u"xcb" || platform.startsWith(u"wayland") || platform == u"offscreen")
        return NativeKeys::Xkb;
    return NativeKeys::Unknown;
#endif
}

int virtualKey(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode,
               quint32 nativeVirtualKey, NativeKeys native) {
    int left = 0;
    switch (qtKey) {
    case Qt::Key_Shift:
        left = VirtualKey::LeftShift;
        break;
    case Qt::Key_Control:
        left = VirtualKey::LeftControl;
        break;
    case Qt::Key_Alt:
        left = VirtualKey::LeftAlt;
        break;
    case Qt::Key_AltGr:
        return VirtualKey::RightAlt;
    default:
        break;
    }
    if (left)
        return isRightHand(qtKey, nativeScanCode, nativeVirtualKey, native) ? left + 1 : left;
    if (modifiers & Qt::KeypadModifier)
        if (const int code = keypadKey(qtKey))
            return code;
    return plainKeys().value(qtKey, 0);
}

int virtualKey(const QKeyEvent& event, NativeKeys native) {
    return virtualKey(event.key(), event.modifiers(), event.nativeScanCode(),
                      event.nativeVirtualKey(), native);
}

int virtualButton(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return VirtualKey::LeftButton;
    case Qt::RightButton:
        return VirtualKey::RightButton;
    case Qt::MiddleButton:
        return VirtualKey::MiddleButton;
    case Qt::BackButton:
        return VirtualKey::XButton1;
    case Qt::ForwardButton:
        return VirtualKey::XButton2;
    default:
        return 0;
    }
}

} // namespace KeyCodeMap

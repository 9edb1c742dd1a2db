#include "controls/ui/KeyCodeMap.h"

#include <QKeyEvent>
#include <QtTest>

using KeyCodeMap::NativeKeys;

// Qt's keys and buttons turned into virtual-key codes.
class tst_KeyCodeMap : public QObject {
    Q_OBJECT
private slots:
    void keys_data();
    void keys();
    void hands_data();
    void hands();
    void fromEvent();
    void buttons_data();
    void buttons();
};

void tst_KeyCodeMap::keys_data() {
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<bool>("keypad");
    QTest::addColumn<int>("code");
    QTest::newRow("A") << int(Qt::Key_A) << false << 65;
    QTest::newRow("Z") << int(Qt::Key_Z) << false << 90;
    QTest::newRow("0") << int(Qt::Key_0) << false << 48;
    QTest::newRow("9") << int(Qt::Key_9) << false << 57;
    QTest::newRow("keypad 0") << int(Qt::Key_0) << true << 96;
    QTest::newRow("keypad 9") << int(Qt::Key_9) << true << 105;
    QTest::newRow("keypad *") << int(Qt::Key_Asterisk) << true << 106;
    QTest::newRow("keypad +") << int(Qt::Key_Plus) << true << 107;
    QTest::newRow("keypad -") << int(Qt::Key_Minus) << true << 109;
    QTest::newRow("keypad .") << int(Qt::Key_Period) << true << 110;
    QTest::newRow("keypad ,") << int(Qt::Key_Comma) << true << 110;
    QTest::newRow("keypad /") << int(Qt::Key_Slash) << true << 111;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << true << 13;
    QTest::newRow("keypad Home") << int(Qt::Key_Home) << true << 36;
    QTest::newRow("F1") << int(Qt::Key_F1) << false << 112;
    QTest::newRow("F24") << int(Qt::Key_F24) << false << 135;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << false << 27;
    QTest::newRow("Return") << int(Qt::Key_Return) << false << 13;
    QTest::newRow("Space") << int(Qt::Key_Space) << false << 32;
    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << false << 8;
    QTest::newRow("Tab") << int(Qt::Key_Tab) << false << 9;
    QTest::newRow("Left") << int(Qt::Key_Left) << false << 37;
    QTest::newRow("Up") << int(Qt::Key_Up) << false << 38;
    QTest::newRow("Right") << int(Qt::Key_Right) << false << 39;
    QTest::newRow("Down") << int(Qt::Key_Down) << false << 40;
    QTest::newRow("Insert") << int(Qt::Key_Insert) << false << 45;
    QTest::newRow("Delete") << int(Qt::Key_Delete) << false << 46;
    QTest::newRow("Pause") << int(Qt::Key_Pause) << false << 19;
    QTest::newRow("Caps Lock") << int(Qt::Key_CapsLock) << false << 20;
    QTest::newRow("Num Lock") << int(Qt::Key_NumLock) << false << 144;
    QTest::newRow("Scroll Lock") << int(Qt::Key_ScrollLock) << false << 145;
    QTest::newRow("Print") << int(Qt::Key_Print) << false << 44;
    QTest::newRow("Menu") << int(Qt::Key_Menu) << false << 93;
    QTest::newRow("Super L") << int(Qt::Key_Super_L) << false << 91;
    QTest::newRow("Super R") << int(Qt::Key_Super_R) << false << 92;
    QTest::newRow(";") << int(Qt::Key_Semicolon) << false << 186;
    QTest::newRow("=") << int(Qt::Key_Equal) << false << 187;
    QTest::newRow("main -") << int(Qt::Key_Minus) << false << 189;
    QTest::newRow("main +") << int(Qt::Key_Plus) << false << 187;
    QTest::newRow("/") << int(Qt::Key_Slash) << false << 191;
    QTest::newRow("`") << int(Qt::Key_QuoteLeft) << false << 192;
    QTest::newRow("[") << int(Qt::Key_BracketLeft) << false << 219;
    QTest::newRow("\\") << int(Qt::Key_Backslash) << false << 220;
    QTest::newRow("]") << int(Qt::Key_BracketRight) << false << 221;
    QTest::newRow("'") << int(Qt::Key_Apostrophe) << false << 222;
    QTest::newRow("shifted 1") << int(Qt::Key_Exclam) << false << 49;
    QTest::newRow("shifted 0") << int(Qt::Key_ParenRight) << false << 48;
    QTest::newRow("shifted ;") << int(Qt::Key_Colon) << false << 186;
    QTest::newRow("volume up") << int(Qt::Key_VolumeUp) << false << 175;
    QTest::newRow("unknown key") << int(Qt::Key_unknown) << false << 0;
    QTest::newRow("key without a code") << int(Qt::Key_Eject) << false << 0;
}

void tst_KeyCodeMap::keys() {
    QFETCH(int, qtKey);
    QFETCH(bool, keypad);
    QFETCH(int, code);
    const Qt::KeyboardModifiers mods = keypad ? Qt::KeypadModifier : Qt::NoModifier;
    for (NativeKeys native : {NativeKeys::Xkb, NativeKeys::Windows, NativeKeys::Unknown})
        QCOMPARE(KeyCodeMap::virtualKey(qtKey, mods, 0, 0, native), code);
}

void tst_KeyCodeMap::hands_data() {
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<quint32>("scanCode");
    QTest::addColumn<quint32>("nativeVirtualKey");
    QTest::addColumn<NativeKeys>("native");
    QTest::addColumn<int>("code");
    // X11 and Wayland: the key symbol, whichever keycode the keymap gives the key.
    QTest::newRow("xkb left shift")
        << int(Qt::Key_Shift) << 50u << 0xffe1u << NativeKeys::Xkb << 160;
    QTest::newRow("xkb right shift")
        << int(Qt::Key_Shift) << 62u << 0xffe2u << NativeKeys::Xkb << 161;
    QTest::newRow("xkb left control")
        << int(Qt::Key_Control) << 37u << 0xffe3u << NativeKeys::Xkb << 162;
    QTest::newRow("xkb right control")
        << int(Qt::Key_Control) << 105u << 0xffe4u << NativeKeys::Xkb << 163;
    QTest::newRow("xkb left alt") << int(Qt::Key_Alt) << 64u << 0xffe9u << NativeKeys::Xkb << 164;
    QTest::newRow("xkb right alt") << int(Qt::Key_Alt) << 108u << 0xffeau << NativeKeys::Xkb << 165;
    QTest::newRow("xkb right alt as ISO_Level3_Shift")
        << int(Qt::Key_Alt) << 108u << 0xfe03u << NativeKeys::Xkb << 165;
    QTest::newRow("xkb AltGr") << int(Qt::Key_AltGr) << 108u << 0xfe03u << NativeKeys::Xkb << 165;
    // Another keymap: the keycodes of the usual right-hand keys carry left-hand symbols, and
    // other keycodes the right-hand ones.
    QTest::newRow("xkb Shift_L on keycode 62")
        << int(Qt::Key_Shift) << 62u << 0xffe1u << NativeKeys::Xkb << 160;
    QTest::newRow("xkb Shift_R on keycode 50")
        << int(Qt::Key_Shift) << 50u << 0xffe2u << NativeKeys::Xkb << 161;
    QTest::newRow("xkb Control_L on keycode 105")
        << int(Qt::Key_Control) << 105u << 0xffe3u << NativeKeys::Xkb << 162;
    QTest::newRow("xkb Control_R on keycode 66")
        << int(Qt::Key_Control) << 66u << 0xffe4u << NativeKeys::Xkb << 163;
    QTest::newRow("xkb Alt_L on keycode 108")
        << int(Qt::Key_Alt) << 108u << 0xffe9u << NativeKeys::Xkb << 164;
    QTest::newRow("xkb shift with control's symbol")
        << int(Qt::Key_Shift) << 105u << 0xffe4u << NativeKeys::Xkb << 160;
    QTest::newRow("xkb no symbol") << int(Qt::Key_Shift) << 62u << 0u << NativeKeys::Xkb << 160;
    // Windows: the native virtual key, or the scan code and its extended-key bit.
    QTest::newRow("win VK_RSHIFT")
        << int(Qt::Key_Shift) << 0u << 161u << NativeKeys::Windows << 161;
    QTest::newRow("win VK_LCONTROL")
        << int(Qt::Key_Control) << 0u << 162u << NativeKeys::Windows << 162;
    QTest::newRow("win VK_RMENU") << int(Qt::Key_Alt) << 0u << 165u << NativeKeys::Windows << 165;
    QTest::newRow("win shift, left scan")
        << int(Qt::Key_Shift) << 0x2Au << 16u << NativeKeys::Windows << 160;
    QTest::newRow("win shift, right scan")
        << int(Qt::Key_Shift) << 0x36u << 16u << NativeKeys::Windows << 161;
    QTest::newRow("win control") << int(Qt::Key_Control) << 0x1Du << 17u << NativeKeys::Windows
                                 << 162;
    QTest::newRow("win control, extended")
        << int(Qt::Key_Control) << 0x11Du << 17u << NativeKeys::Windows << 163;
    QTest::newRow("win alt") << int(Qt::Key_Alt) << 0x38u << 18u << NativeKeys::Windows << 164;
    QTest::newRow("win alt, extended")
        << int(Qt::Key_Alt) << 0x138u << 18u << NativeKeys::Windows << 165;
    // Unknown platforms: the left hand stands for both.
    QTest::newRow("other shift") << int(Qt::Key_Shift) << 62u << 161u << NativeKeys::Unknown << 160;
}

void tst_KeyCodeMap::hands() {
    QFETCH(int, qtKey);
    QFETCH(quint32, scanCode);
    QFETCH(quint32, nativeVirtualKey);
    QFETCH(NativeKeys, native);
    QFETCH(int, code);
    QCOMPARE(KeyCodeMap::virtualKey(qtKey, Qt::NoModifier, scanCode, nativeVirtualKey, native),
             code);
}

void tst_KeyCodeMap::fromEvent() {
    const QKeyEvent right(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier, 62, 0xffe2, 0);
    QCOMPARE(KeyCodeMap::virtualKey(right, NativeKeys::Xkb), 161);
    const QKeyEvent keypad(QEvent::KeyPress, Qt::Key_5, Qt::KeypadModifier, 84, 0xffb5, 0);
    QCOMPARE(KeyCodeMap::virtualKey(keypad, NativeKeys::Xkb), 101);
}

void tst_KeyCodeMap::buttons_data() {
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<int>("code");
    QTest::newRow("left") << Qt::LeftButton << 1;
    QTest::newRow("right") << Qt::RightButton << 2;
    QTest::newRow("middle") << Qt::MiddleButton << 4;
    QTest::newRow("back") << Qt::BackButton << 5;
    QTest::newRow("forward") << Qt::ForwardButton << 6;
    QTest::newRow("none") << Qt::NoButton << 0;
    QTest::newRow("task button") << Qt::TaskButton << 0;
}

void tst_KeyCodeMap::buttons() {
    QFETCH(Qt::MouseButton, button);
    QFETCH(int, code);
    QCOMPARE(KeyCodeMap::virtualButton(button), code);
}

// Key events need the input devices that only a GUI application owns and frees.
QTEST_MAIN(tst_KeyCodeMap)
#include "tst_KeyCodeMap.moc"

#include "controls/KeyScan.h"
#include "controls/KeyStateTable.h"

#include <QtTest>

// The key-state table and the scan that picks the captured key from it.
class tst_KeyScan : public QObject {
    Q_OBJECT
private slots:
    void states();
    void eitherHandFollowsBothHands();
    void scan_data();
    void scan();
};

void tst_KeyScan::states() {
    KeyStateTable keys;
    QCOMPARE(keys.state(65), qint16(0));
    keys.press(65);
    QCOMPARE(keys.state(65), qint16(-127)); // down, toggled by the press
    keys.release(65);
    QCOMPARE(keys.state(65), qint16(1)); // up, still toggled
    keys.press(65);
    QCOMPARE(keys.state(65), qint16(-128));
    keys.press(65); // a second press while down does not toggle again
    QCOMPARE(keys.state(65), qint16(-128));
    keys.release(65);
    QCOMPARE(keys.state(65), qint16(0));
    QVERIFY(!keys.anyDown());
    keys.press(0);
    keys.press(256);
    QVERIFY(!keys.anyDown());
    QCOMPARE(keys.state(256), qint16(0));
}

void tst_KeyScan::eitherHandFollowsBothHands() {
    KeyStateTable keys;
    keys.press(VirtualKey::LeftShift);
    keys.press(VirtualKey::RightShift);
    QVERIFY(keys.isDown(VirtualKey::Shift));
    keys.release(VirtualKey::RightShift);
    QVERIFY(keys.isDown(VirtualKey::Shift)); // the left hand still holds it
    keys.release(VirtualKey::LeftShift);
    QVERIFY(!keys.isDown(VirtualKey::Shift));
    keys.press(VirtualKey::RightAlt);
    QVERIFY(keys.isDown(VirtualKey::Alt));
    QVERIFY(!keys.isDown(VirtualKey::Control));
    keys.release(VirtualKey::RightAlt);
    QVERIFY(!keys.anyDown());
}

void tst_KeyScan::scan_data() {
    QTest::addColumn<QList<int>>("down");
    QTest::addColumn<QList<int>>("toggledUp"); // toggle bit set, key up
    QTest::addColumn<int>("code");             // 0: no key
    QTest::addColumn<int>("rightHandState");

    QTest::newRow("nothing") << QList<int>{} << QList<int>{} << 0 << 0;
    QTest::newRow("one key") << QList<int>{65} << QList<int>{} << 65 << 0;
    QTest::newRow("lowest code wins") << QList<int>{90, 65, 112} << QList<int>{} << 65 << 0;
    QTest::newRow("mouse before keys") << QList<int>{32, 2} << QList<int>{} << 2 << 0;
    QTest::newRow("left button first") << QList<int>{6, 4, 1} << QList<int>{} << 1 << 0;
    QTest::newRow("left shift") << QList<int>{VirtualKey::LeftShift} << QList<int>{} << 16 << 0;
    QTest::newRow("right shift") << QList<int>{VirtualKey::RightShift} << QList<int>{} << 16
                                 << -127;
    QTest::newRow("right control")
        << QList<int>{VirtualKey::RightControl} << QList<int>{} << 17 << -127;
    QTest::newRow("right alt") << QList<int>{VirtualKey::RightAlt} << QList<int>{} << 18 << -127;
    QTest::newRow("both shifts") << QList<int>{160, 161} << QList<int>{} << 16 << -127;
    QTest::newRow("shift before letters") << QList<int>{65, 160} << QList<int>{} << 16 << 0;
    QTest::newRow("shift before control, with its own right-hand state")
        << QList<int>{VirtualKey::LeftControl, VirtualKey::RightShift} << QList<int>{} << 16
        << -127;
    QTest::newRow("ordinary key has no right-hand state")
        << QList<int>{65} << QList<int>{161} << 65 << 0;
    QTest::newRow("toggled key that is up") << QList<int>{} << QList<int>{65} << 0 << 0;
    // Lock keys count only when pressed: their standing light is no press.
    QTest::newRow("caps lock on") << QList<int>{} << QList<int>{20} << 0 << 0;
    QTest::newRow("num lock on") << QList<int>{} << QList<int>{144} << 0 << 0;
    QTest::newRow("scroll lock on") << QList<int>{} << QList<int>{145} << 0 << 0;
    QTest::newRow("num lock on, key pressed") << QList<int>{65} << QList<int>{144} << 65 << 0;
    QTest::newRow("num lock pressed") << QList<int>{144} << QList<int>{} << 144 << 0;
    QTest::newRow("caps lock pressed") << QList<int>{20, 65} << QList<int>{} << 20 << 0;
    QTest::newRow("highest code") << QList<int>{255} << QList<int>{} << 255 << 0;
}

void tst_KeyScan::scan() {
    QFETCH(QList<int>, down);
    QFETCH(QList<int>, toggledUp);
    QFETCH(int, code);
    QFETCH(int, rightHandState);
    KeyStateTable keys;
    for (int c : toggledUp)
        keys.setToggled(c, true);
    for (int c : down)
        keys.press(c);
    const std::optional<ScanHit> hit = ScanKeyStates(keys);
    QCOMPARE(hit.has_value(), code != 0);
    if (hit) {
        QCOMPARE(hit->code, code);
        QCOMPARE(hit->rightHandState, qint16(rightHandState));
    }
}

QTEST_APPLESS_MAIN(tst_KeyScan)
#include "tst_KeyScan.moc"

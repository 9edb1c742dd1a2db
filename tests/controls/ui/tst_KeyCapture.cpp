#include "controls/ui/KeyCapture.h"

#include <QLineEdit>
#include <QShortcut>
#include <QtTest>

// The capture on its own: synthesized key and mouse events, what it takes, what it lets through,
// and that its wait does not spin.
class tst_KeyCapture : public QObject {
    Q_OBJECT
private slots:
    void takesFirstKey();
    void scansOnlyWhenTheTableChanges();
    void heldButtonIsTakenAtOnce();
    void mouseButtonTaken();
    void eventsGoNoFurtherWhileArmed();
    void shortcutsDoNotFire();
    void heldKeyRepeatsStayWithCapture();
    void cancelEndsTheWait();

private:
    // Runs `input` from inside the wait, as the user's input would arrive. A wait that takes no
    // key is cancelled after a while, so a capture that misses its key fails instead of hanging.
    static std::optional<ScanHit> waitWith(KeyCapture& capture,
                                           const std::function<void()>& input) {
        QTimer::singleShot(0, input);
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, &capture, &KeyCapture::cancel);
        guard.start(5000);
        return capture.waitForPress();
    }
};

namespace {

void sendKey(QWidget* w, QEvent::Type type, int key, bool autoRepeat = false) {
    QKeyEvent event(type, key, Qt::NoModifier, 0, 0, 0, QString(), autoRepeat);
    QApplication::sendEvent(w, &event);
}

} // namespace

void tst_KeyCapture::takesFirstKey() {
    QWidget w;
    KeyCapture capture;
    capture.arm(Qt::NoButton);
    const auto hit = waitWith(capture, [&] { QTest::keyPress(&w, Qt::Key_A); });
    QVERIFY(hit);
    QCOMPARE(hit->code, 65);
    QCOMPARE(hit->rightHandState, qint16(0));
    QVERIFY(!capture.isArmed());
    QTest::keyRelease(&w, Qt::Key_A);
}

void tst_KeyCapture::scansOnlyWhenTheTableChanges() {
    QWidget w;
    KeyCapture capture;
    capture.arm(Qt::NoButton);
    int ticks = 0;
    QTimer ticker;
    ticker.setInterval(0);
    connect(&ticker, &QTimer::timeout, [&] {
        // Plenty of events that are no key: mouse moves, timers, paint requests.
        QTest::mouseMove(&w, QPoint(ticks % 50, 5));
        w.update();
        if (++ticks == 200) {
            ticker.stop();
            QTest::keyPress(&w, Qt::Key_B);
        }
    });
    ticker.start();
    const auto hit = capture.waitForPress();
    QVERIFY(hit);
    QCOMPARE(hit->code, 66);
    QCOMPARE(ticks, 200);
    QCOMPARE(capture.scans(), 2); // one on entry, one after the press
    QTest::keyRelease(&w, Qt::Key_B);
}

void tst_KeyCapture::heldButtonIsTakenAtOnce() {
    KeyCapture capture;
    capture.arm(Qt::LeftButton | Qt::RightButton);
    const auto hit = capture.waitForPress();
    QVERIFY(hit);
    QCOMPARE(hit->code, 1);
    QCOMPARE(capture.scans(), 1);
    capture.cancel();
}

void tst_KeyCapture::mouseButtonTaken() {
    QWidget w;
    w.resize(100, 100);
    KeyCapture capture;
    capture.arm(Qt::NoButton);
    // Both go down before the wait starts: the button's lower code wins.
    QTest::keyPress(&w, Qt::Key_Space);
    QTest::mousePress(&w, Qt::RightButton);
    auto hit = capture.waitForPress();
    QVERIFY(hit);
    QCOMPARE(hit->code, 2);
    QTest::mouseRelease(&w, Qt::RightButton);
    QTest::keyRelease(&w, Qt::Key_Space);
    QVERIFY(!capture.keys().anyDown());

    // Press and release handled in one go are still seen: the table is scanned after each event.
    capture.arm(Qt::NoButton);
    hit = waitWith(capture, [&] { QTest::mouseClick(&w, Qt::MiddleButton); });
    QVERIFY(hit);
    QCOMPARE(hit->code, 4);
    QCOMPARE(capture.scans(), 2);
}

void tst_KeyCapture::eventsGoNoFurtherWhileArmed() {
    QLineEdit edit;
    KeyCapture capture;
    capture.arm(Qt::NoButton);
    QTest::keyClicks(&edit, "ab");
    QCOMPARE(edit.text(), QString());
    capture.cancel();
    QTest::keyClicks(&edit, "cd");
    QCOMPARE(edit.text(), QString("cd"));
}

void tst_KeyCapture::shortcutsDoNotFire() {
    QWidget w;
    QShortcut shortcut(QKeySequence(Qt::Key_F5), &w);
    shortcut.setContext(Qt::ApplicationShortcut);
    QSignalSpy fired(&shortcut, &QShortcut::activated);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::keyClick(&w, Qt::Key_F5);
    QCOMPARE(fired.count(), 1); // the shortcut works when nothing is captured

    KeyCapture capture;
    capture.arm(Qt::NoButton);
    const auto hit = waitWith(capture, [&] { QTest::keyPress(&w, Qt::Key_F5); });
    QVERIFY(hit);
    QCOMPARE(hit->code, 116);
    QTest::keyRelease(&w, Qt::Key_F5);
    QCOMPARE(fired.count(), 1);
}

void tst_KeyCapture::heldKeyRepeatsStayWithCapture() {
    QLineEdit edit;
    KeyCapture capture;
    capture.arm(Qt::NoButton);
    const auto hit = waitWith(capture, [&] { sendKey(&edit, QEvent::KeyPress, Qt::Key_X); });
    QVERIFY(hit);
    // The user still holds X: its repeats and its release go to the capture.
    sendKey(&edit, QEvent::KeyRelease, Qt::Key_X, true);
    sendKey(&edit, QEvent::KeyPress, Qt::Key_X, true);
    QCOMPARE(edit.text(), QString());
    sendKey(&edit, QEvent::KeyRelease, Qt::Key_X);
    QVERIFY(!capture.keys().anyDown());
    QTest::keyClicks(&edit, "y");
    QCOMPARE(edit.text(), QString("y")); // after the release, keys reach widgets again
}

void tst_KeyCapture::cancelEndsTheWait() {
    QLineEdit edit;
    KeyCapture capture;
    capture.arm(Qt::NoButton);
    const auto hit = waitWith(capture, [&] { capture.cancel(); });
    QVERIFY(!hit);
    QVERIFY(!capture.isArmed());
    QVERIFY(!capture.isWaiting());
    QTest::keyClicks(&edit, "z");
    QCOMPARE(edit.text(), QString("z"));
}

QTEST_MAIN(tst_KeyCapture)
#include "tst_KeyCapture.moc"

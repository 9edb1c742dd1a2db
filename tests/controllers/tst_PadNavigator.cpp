#include "controllers/PadNavigator.h"
#include "controllers/RepeatTiming.h"

#include <QSignalSpy>
#include <QtTest>

#include "common/VirtualPad.h"

using Pad::Action;
using Pad::Input;

// The navigator on the window's thread: generations, repeats, the hold during a launch. Most
// inputs are handed to it as the reader hands them (a queued signal); the last test goes
// through SDL's virtual controller.
namespace {

QList<Action> actions(const QSignalSpy& spy) {
    QList<Action> result;
    for (const QList<QVariant>& args : spy)
        result << args.at(0).value<Action>();
    return result;
}

void send(PadNavigator& navigator, Input input, bool pressed) {
    emit navigator.reader().inputChanged(input, pressed, navigator.reader().generation());
}

} // namespace

class tst_PadNavigator : public QObject {
    Q_OBJECT
private slots:
    void oneAction_data();
    void oneAction();
    void oldGenerationsAreDropped();
    void heldMovesRepeat();
    void anotherLetGoKeepsTheRepeat();
    void nothingActsDuringALaunch();
    void throughTheVirtualController();
};

void tst_PadNavigator::oneAction_data() {
    QTest::addColumn<Input>("input");
    QTest::addColumn<QList<Action>>("expected");
    QTest::newRow("A") << Input::A << QList<Action>{Action::Launch};
    QTest::newRow("B") << Input::B << QList<Action>{Action::CloseFilter};
    QTest::newRow("Y") << Input::Y << QList<Action>{Action::Favourite};
    QTest::newRow("Back") << Input::Back << QList<Action>{Action::ViewMenu};
    QTest::newRow("Guide") << Input::Guide << QList<Action>{Action::FullScreen};
    QTest::newRow("X") << Input::X << QList<Action>{};
}

void tst_PadNavigator::oneAction() {
    QFETCH(Input, input);
    QFETCH(QList<Action>, expected);
    PadNavigator navigator;
    QSignalSpy spy(&navigator, &PadNavigator::actionAsked);
    send(navigator, input, true);
    send(navigator, Input::Down, true); // a marker: once it arrived, the input before has too
    QTRY_VERIFY(actions(spy).contains(Action::MoveDown));
    QCOMPARE(actions(spy), expected + QList<Action>{Action::MoveDown});
    QCOMPARE(navigator.repeating(), std::optional<Input>(Input::Down));
}

void tst_PadNavigator::oldGenerationsAreDropped() {
    PadNavigator navigator;
    QSignalSpy spy(&navigator, &PadNavigator::actionAsked);
    const quint64 old = navigator.reader().generation();
    navigator.reader().pause();
    navigator.reader().resume();
    emit navigator.reader().inputChanged(Input::A, true, old);
    send(navigator, Input::Y, true);
    QTRY_COMPARE(spy.size(), 1);
    QCOMPARE(actions(spy), QList<Action>{Action::Favourite});
}

void tst_PadNavigator::heldMovesRepeat() {
    PadNavigator navigator;
    QSignalSpy spy(&navigator, &PadNavigator::actionAsked);
    send(navigator, Input::StickDown, true);
    QTRY_COMPARE(spy.size(), 1); // at once, as a key acts on its press
    QTRY_VERIFY(spy.size() >= 4); // then again and again while held
    send(navigator, Input::StickDown, false);
    QTRY_VERIFY(!navigator.repeating());
    for (const Action a : actions(spy))
        QCOMPARE(a, Action::MoveDown);
    // A new press starts over from the press.
    send(navigator, Input::RightShoulder, true);
    QTRY_VERIFY(actions(spy).endsWith(Action::PageDown));
    QCOMPARE(navigator.repeating(), std::optional<Input>(Input::RightShoulder));
}

void tst_PadNavigator::anotherLetGoKeepsTheRepeat() {
    PadNavigator navigator;
    send(navigator, Input::Up, true);
    send(navigator, Input::Down, false); // a let-go of something else
    send(navigator, Input::A, false);
    QTRY_COMPARE(navigator.repeating(), std::optional<Input>(Input::Up));
    // The newest held move is the one that repeats.
    send(navigator, Input::Down, true);
    QTRY_COMPARE(navigator.repeating(), std::optional<Input>(Input::Down));
    send(navigator, Input::Up, false);
    QTest::qWait(10);
    QCOMPARE(navigator.repeating(), std::optional<Input>(Input::Down));
}

void tst_PadNavigator::nothingActsDuringALaunch() {
    PadNavigator navigator;
    QSignalSpy spy(&navigator, &PadNavigator::actionAsked);
    send(navigator, Input::Down, true);
    QTRY_COMPARE(spy.size(), 1);
    navigator.holdForLaunch();
    QVERIFY(navigator.held());
    QVERIFY(!navigator.repeating()); // the repeat of a move held into the launch stops
    QVERIFY(navigator.reader().paused());
    send(navigator, Input::A, true);
    send(navigator, Input::Up, true);
    QTest::qWait(RepeatTiming::kFirstDelayMs + 50);
    QCOMPARE(spy.size(), 1);
    navigator.launchEnded();
    QVERIFY(!navigator.reader().paused());
    send(navigator, Input::Y, true);
    QTRY_COMPARE(spy.size(), 2);
    QCOMPARE(actions(spy).last(), Action::Favourite);
}

void tst_PadNavigator::throughTheVirtualController() {
    PadNavigator navigator;
    QSignalSpy spy(&navigator, &PadNavigator::actionAsked);
    QSignalSpy count(&navigator, &PadNavigator::controllersChanged);
    VirtualPad pad(navigator.reader());
    QVERIFY(pad.waitUntilOpen());
    QTRY_COMPARE(count.size(), 1);
    QCOMPARE(count.at(0).at(0).toInt(), 1);
    QVERIFY(pad.tap(SDL_CONTROLLER_BUTTON_Y));
    QVERIFY(pad.setButton(SDL_CONTROLLER_BUTTON_DPAD_UP, true));
    QTRY_COMPARE(actions(spy), (QList<Action>{Action::Favourite, Action::MoveUp}));
    QVERIFY(pad.setButton(SDL_CONTROLLER_BUTTON_DPAD_UP, false));
    QTRY_VERIFY(!navigator.repeating());
}

QTEST_GUILESS_MAIN(tst_PadNavigator)
#include "tst_PadNavigator.moc"

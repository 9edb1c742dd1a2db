#include "controllers/ControllerReader.h"

#include <QSignalSpy>
#include <QtTest>

#include "common/VirtualPad.h"

using Pad::Input;

// The reader on its thread, driven by SDL's virtual controller: no hardware, no udev.
namespace {

struct Seen {
    Input input;
    bool pressed;
};

QList<Seen> seen(const QSignalSpy& spy) {
    QList<Seen> result;
    for (const QList<QVariant>& args : spy)
        result.append({args.at(0).value<Input>(), args.at(1).toBool()});
    return result;
}

QStringList names(const QList<Seen>& inputs) {
    QStringList result;
    for (const Seen& s : inputs)
        result << (s.pressed ? "+" : "-") +
                      QString::fromLatin1(QMetaEnum::fromType<Input>().valueToKey(int(s.input)));
    return result;
}

} // namespace

class tst_ControllerReader : public QObject {
    Q_OBJECT
private slots:
    void startsWithoutControllers();
    void hotplug();
    void buttons_data();
    void buttons();
    void stickAndTriggers_data();
    void stickAndTriggers();
    void inputsCarryTheGeneration();
    void whatCameDuringAPauseIsDropped();
};

void tst_ControllerReader::startsWithoutControllers() {
    ControllerReader reader;
    QSignalSpy ready(&reader, &ControllerReader::ready);
    reader.start();
    QTRY_COMPARE(ready.size(), 1);
    QCOMPARE(ready.at(0).at(0).toBool(), true);
    QVERIFY(reader.isReady());
    QCOMPARE(reader.controllerCount(), 0);
}

void tst_ControllerReader::hotplug() {
    ControllerReader reader;
    QSignalSpy changed(&reader, &ControllerReader::controllersChanged);
    reader.start();
    {
        VirtualPad first(reader);
        QVERIFY(first.plugged());
        QTRY_COMPARE(reader.controllerCount(), 1);
        VirtualPad second(reader);
        QTRY_COMPARE(reader.controllerCount(), 2);
        second.unplug();
        QTRY_COMPARE(reader.controllerCount(), 1);
    }
    QTRY_COMPARE(reader.controllerCount(), 0);
    // Plugged in again, it is read again.
    VirtualPad again(reader);
    QVERIFY(again.waitUntilOpen());
    QSignalSpy inputs(&reader, &ControllerReader::inputChanged);
    QVERIFY(again.tap(SDL_CONTROLLER_BUTTON_A));
    QTRY_COMPARE(names(seen(inputs)), (QStringList{"+A", "-A"}));
    QList<int> counts;
    for (const QList<QVariant>& args : changed)
        counts << args.at(0).toInt();
    QCOMPARE(counts, (QList<int>{1, 2, 1, 0, 1}));
}

void tst_ControllerReader::buttons_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<QStringList>("inputs");
    QTest::newRow("d-pad down") << int(SDL_CONTROLLER_BUTTON_DPAD_DOWN)
                                << QStringList{"+Down", "-Down"};
    QTest::newRow("d-pad up") << int(SDL_CONTROLLER_BUTTON_DPAD_UP) << QStringList{"+Up", "-Up"};
    QTest::newRow("start") << int(SDL_CONTROLLER_BUTTON_START) << QStringList{"+Start", "-Start"};
    QTest::newRow("guide") << int(SDL_CONTROLLER_BUTTON_GUIDE) << QStringList{"+Guide", "-Guide"};
    QTest::newRow("right shoulder")
        << int(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER)
        << QStringList{"+RightShoulder", "-RightShoulder"};
    // Not the window's: nothing is reported.
    QTest::newRow("right stick click") << int(SDL_CONTROLLER_BUTTON_RIGHTSTICK) << QStringList{};
}

void tst_ControllerReader::buttons() {
    QFETCH(int, button);
    QFETCH(QStringList, inputs);
    ControllerReader reader;
    reader.start();
    VirtualPad pad(reader);
    QVERIFY(pad.waitUntilOpen());
    QSignalSpy spy(&reader, &ControllerReader::inputChanged);
    QVERIFY(pad.tap(SDL_GameControllerButton(button)));
    // SDL sends a brief Guide press's let-go from a later look: the reader looks again.
    QTRY_COMPARE(names(seen(spy)), inputs);
    // A last tap that is reported: everything before it has arrived.
    QVERIFY(pad.tap(SDL_CONTROLLER_BUTTON_X));
    QTRY_VERIFY(names(seen(spy)).endsWith("-X"));
    QCOMPARE(names(seen(spy)), inputs + QStringList({"+X", "-X"}));
}

void tst_ControllerReader::stickAndTriggers_data() {
    QTest::addColumn<int>("axis");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("rest"); // a virtual trigger's rest is the bottom of its range
    QTest::addColumn<QStringList>("inputs");
    QTest::newRow("stick down") << int(SDL_CONTROLLER_AXIS_LEFTY) << 30000 << 0
                                << QStringList{"+StickDown", "-StickDown"};
    QTest::newRow("stick up") << int(SDL_CONTROLLER_AXIS_LEFTY) << -30000 << 0
                              << QStringList{"+StickUp", "-StickUp"};
    QTest::newRow("stick a little down")
        << int(SDL_CONTROLLER_AXIS_LEFTY) << 9000 << 0 << QStringList{};
    QTest::newRow("right trigger") << int(SDL_CONTROLLER_AXIS_TRIGGERRIGHT) << 32767 << -32768
                                   << QStringList{"+RightTrigger", "-RightTrigger"};
    QTest::newRow("left trigger half pulled")
        << int(SDL_CONTROLLER_AXIS_TRIGGERLEFT) << 0 << -32768 << QStringList{"+LeftTrigger",
                                                                            "-LeftTrigger"};
    QTest::newRow("right stick") << int(SDL_CONTROLLER_AXIS_RIGHTY) << 32767 << 0 << QStringList{};
}

void tst_ControllerReader::stickAndTriggers() {
    QFETCH(int, axis);
    QFETCH(int, value);
    QFETCH(int, rest);
    QFETCH(QStringList, inputs);
    ControllerReader reader;
    reader.start();
    VirtualPad pad(reader);
    QVERIFY(pad.waitUntilOpen());
    QSignalSpy spy(&reader, &ControllerReader::inputChanged);
    QVERIFY(pad.setAxis(SDL_GameControllerAxis(axis), value));
    QVERIFY(pad.setAxis(SDL_GameControllerAxis(axis), rest));
    QVERIFY(pad.tap(SDL_CONTROLLER_BUTTON_X));
    QTRY_VERIFY(names(seen(spy)).endsWith("-X"));
    QCOMPARE(names(seen(spy)), inputs + QStringList({"+X", "-X"}));
}

void tst_ControllerReader::inputsCarryTheGeneration() {
    ControllerReader reader;
    reader.start();
    VirtualPad pad(reader);
    QVERIFY(pad.waitUntilOpen());
    QSignalSpy spy(&reader, &ControllerReader::inputChanged);
    const quint64 before = reader.generation();
    QVERIFY(pad.tap(SDL_CONTROLLER_BUTTON_A));
    QTRY_COMPARE(spy.size(), 2);
    QCOMPARE(spy.at(0).at(2).toULongLong(), before);
    reader.pause();
    QVERIFY(reader.paused());
    QVERIFY(reader.generation() > before);
    reader.resume();
    const quint64 after = reader.generation();
    QVERIFY(after > before + 1);
    QTRY_VERIFY(!reader.resuming());
    QVERIFY(pad.tap(SDL_CONTROLLER_BUTTON_B));
    QTRY_COMPARE(spy.size(), 4);
    QCOMPARE(spy.at(2).at(2).toULongLong(), after);
}

void tst_ControllerReader::whatCameDuringAPauseIsDropped() {
    ControllerReader reader;
    reader.start();
    VirtualPad pad(reader);
    QVERIFY(pad.waitUntilOpen());
    QSignalSpy spy(&reader, &ControllerReader::inputChanged);
    reader.pause();
    // The emulator's player: moves, presses, and quits the game with Start still held, the
    // stick still down.
    pad.setButtonUnread(SDL_CONTROLLER_BUTTON_DPAD_DOWN, true);
    QTest::qWait(30);
    pad.setButtonUnread(SDL_CONTROLLER_BUTTON_DPAD_DOWN, false);
    pad.setButtonUnread(SDL_CONTROLLER_BUTTON_START, true);
    pad.setAxisUnread(SDL_CONTROLLER_AXIS_LEFTY, 30000);
    QTest::qWait(30);
    QCOMPARE(spy.size(), 0); // paused: nothing read
    reader.resume();
    QTRY_VERIFY(!reader.resuming());
    // The stick moves on while still down: it counts as resting until let go.
    QVERIFY(pad.setAxis(SDL_CONTROLLER_AXIS_LEFTY, 32000));
    QVERIFY(pad.setButton(SDL_CONTROLLER_BUTTON_START, false));
    QVERIFY(pad.setAxis(SDL_CONTROLLER_AXIS_LEFTY, 0));
    QVERIFY(pad.tap(SDL_CONTROLLER_BUTTON_X));
    QTRY_VERIFY(names(seen(spy)).endsWith("-X"));
    // Only let-goes of what was pressed in the pause, never a press of it.
    QCOMPARE(names(seen(spy)), (QStringList{"-Start", "-StickDown", "+X", "-X"}));
}

QTEST_GUILESS_MAIN(tst_ControllerReader)
#include "tst_ControllerReader.moc"

#include "controllers/AxisButtons.h"

#include <QtTest>

using Axis = AxisButtons::Axis;
using Change = AxisButtons::Change;
using Pad::Input;

// Each step: an axis' new value and the changes it reports, written "+StickDown" (pressed)
// or "-StickDown" (let go), in order.
struct Step {
    Axis axis;
    int value;
    QStringList changes;
};
Q_DECLARE_METATYPE(QList<Step>)

namespace {

QString text(const Change& change) {
    return (change.pressed ? "+" : "-") +
           QString::fromLatin1(QMetaEnum::fromType<Input>().valueToKey(int(change.input)));
}

} // namespace

class tst_AxisButtons : public QObject {
    Q_OBJECT
private slots:
    void steps_data();
    void steps();
    void seededHoldNeedsALetGo();
};

void tst_AxisButtons::steps_data() {
    QTest::addColumn<QList<Step>>("steps");
    QTest::newRow("small moves press nothing")
        << QList<Step>{{Axis::LeftY, 3000, {}}, {Axis::LeftY, 16000, {}}, {Axis::LeftY, -16000, {}}};
    QTest::newRow("down past the threshold, held, let go")
        << QList<Step>{{Axis::LeftY, 16001, {"+StickDown"}},
                       {Axis::LeftY, 32767, {}},
                       {Axis::LeftY, 0, {"-StickDown"}}};
    QTest::newRow("no chatter between the thresholds")
        << QList<Step>{{Axis::LeftY, 20000, {"+StickDown"}},
                       {Axis::LeftY, 9000, {}},
                       {Axis::LeftY, 15000, {}},
                       {Axis::LeftY, 8000, {}},
                       {Axis::LeftY, 7999, {"-StickDown"}},
                       {Axis::LeftY, 15000, {}}};
    QTest::newRow("straight from down to up lets go first")
        << QList<Step>{{Axis::LeftY, 30000, {"+StickDown"}},
                       {Axis::LeftY, -30000, {"-StickDown", "+StickUp"}},
                       {Axis::LeftY, 30000, {"-StickUp", "+StickDown"}}};
    QTest::newRow("left and right")
        << QList<Step>{{Axis::LeftX, -32768, {"+StickLeft"}},
                       {Axis::LeftX, 32767, {"-StickLeft", "+StickRight"}}};
    QTest::newRow("axes are apart")
        << QList<Step>{{Axis::LeftX, 30000, {"+StickRight"}},
                       {Axis::LeftY, 30000, {"+StickDown"}},
                       {Axis::LeftX, 0, {"-StickRight"}}};
    QTest::newRow("triggers press one way only")
        << QList<Step>{{Axis::RightTrigger, 32767, {"+RightTrigger"}},
                       {Axis::RightTrigger, 0, {"-RightTrigger"}},
                       {Axis::LeftTrigger, -32768, {}},
                       {Axis::LeftTrigger, 20000, {"+LeftTrigger"}}};
}

void tst_AxisButtons::steps() {
    QFETCH(QList<Step>, steps);
    AxisButtons buttons;
    for (int i = 0; i < steps.size(); ++i) {
        QStringList seen;
        for (const Change& change : buttons.set(steps[i].axis, steps[i].value))
            seen << text(change);
        QVERIFY2(seen == steps[i].changes,
                 qPrintable(QString("step %1: %2").arg(i).arg(seen.join(' '))));
    }
}

void tst_AxisButtons::seededHoldNeedsALetGo() {
    AxisButtons buttons;
    buttons.seed(Axis::LeftY, 30000);
    // Held when the reader came back: moving it further presses nothing.
    QVERIFY(buttons.set(Axis::LeftY, 32767).empty());
    QCOMPARE(buttons.set(Axis::LeftY, 0), (std::vector<Change>{{Input::StickDown, false}}));
    QCOMPARE(buttons.set(Axis::LeftY, 30000), (std::vector<Change>{{Input::StickDown, true}}));
    // A stick at rest when seeded presses at once.
    AxisButtons resting;
    resting.seed(Axis::LeftX, 100);
    QCOMPARE(resting.set(Axis::LeftX, -20000), (std::vector<Change>{{Input::StickLeft, true}}));
}

QTEST_APPLESS_MAIN(tst_AxisButtons)
#include "tst_AxisButtons.moc"

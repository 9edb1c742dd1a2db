#include "controllers/RepeatTiming.h"

#include <QtTest>

class tst_RepeatTiming : public QObject {
    Q_OBJECT
private slots:
    void delays_data();
    void delays();
    void speedsUpAndNeverStalls();
};

void tst_RepeatTiming::delays_data() {
    QTest::addColumn<int>("repeatsDone");
    QTest::addColumn<int>("delayMs");
    QTest::newRow("after the press: a key's first delay") << 0 << 400;
    QTest::newRow("a negative count is the press") << -3 << 400;
    QTest::newRow("first repeat: the slowest rate") << 1 << 120;
    QTest::newRow("second repeat, a tenth less") << 2 << 108;
    QTest::newRow("third") << 3 << 97;
    QTest::newRow("tenth") << 10 << 46;
    QTest::newRow("long held: the fastest") << 100 << 30;
    QTest::newRow("held for ever") << 1000000 << 30;
}

void tst_RepeatTiming::delays() {
    QFETCH(int, repeatsDone);
    QFETCH(int, delayMs);
    QCOMPARE(RepeatTiming::delayMs(repeatsDone), delayMs);
}

void tst_RepeatTiming::speedsUpAndNeverStalls() {
    int previous = RepeatTiming::delayMs(0);
    for (int n = 1; n < 200; ++n) {
        const int delay = RepeatTiming::delayMs(n);
        QVERIFY2(delay <= previous, qPrintable(QString::number(n)));
        QVERIFY(delay >= RepeatTiming::kFastestMs);
        previous = delay;
    }
    QCOMPARE(previous, RepeatTiming::kFastestMs);
}

QTEST_APPLESS_MAIN(tst_RepeatTiming)
#include "tst_RepeatTiming.moc"

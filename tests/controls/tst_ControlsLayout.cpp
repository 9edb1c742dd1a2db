#include "controls/ControlsLayout.h"

#include <QtTest>

// The row positions, window height and button positions of the control-assignment window,
// from the template sizes (cell 375 high at 600, label 255, buttons 375).
class tst_ControlsLayout : public QObject {
    Q_OBJECT
private slots:
    void figures_data();
    void figures();
    void clampKeepsButtonsAboveBottom();
    void placedFiguresChainAtOtherResolutions();
};

void tst_ControlsLayout::figures_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<QList<double>>("cellTops");
    QTest::addColumn<QList<double>>("labelTops");
    QTest::addColumn<double>("windowHeight");
    QTest::addColumn<double>("buttonTop");
    QTest::newRow("no inputs: laid out as one row")
        << 0 << QList<double>{600} << QList<double>{660} << 2790.0 << 1415.0;
    QTest::newRow("one row") << 1 << QList<double>{600} << QList<double>{660} << 2790.0 << 1415.0;
    QTest::newRow("three rows") << 3 << QList<double>{600, 1005, 1410}
                                << QList<double>{660, 1065, 1470} << 3600.0 << 2225.0;
    QTest::newRow("six rows") << 6 << QList<double>{600, 1005, 1410, 1815, 2220, 2625}
                              << QList<double>{660, 1065, 1470, 1875, 2280, 2685} << 4815.0
                              << 3440.0;
}

void tst_ControlsLayout::figures() {
    QFETCH(int, rows);
    QFETCH(QList<double>, cellTops);
    QFETCH(QList<double>, labelTops);
    QFETCH(double, windowHeight);
    QFETCH(double, buttonTop);
    const ControlsLayout layout(ControlsLayout::Template{}, rows, 15);
    QCOMPARE(layout.rows(), int(cellTops.size()));
    for (int i = 1; i <= layout.rows(); ++i) {
        QCOMPARE(layout.cellTop(i), cellTops[i - 1]);
        QCOMPARE(layout.labelTop(i), labelTops[i - 1]);
    }
    QCOMPARE(layout.lastCellBottom(), cellTops.last() + 375);
    QCOMPARE(layout.windowHeight(), windowHeight);
    QCOMPARE(layout.buttonTop(), buttonTop);
    // The buttons keep clear of the last row.
    QVERIFY(layout.buttonTop() > layout.lastCellBottom());
}

void tst_ControlsLayout::clampKeepsButtonsAboveBottom() {
    const ControlsLayout layout(ControlsLayout::Template{}, 40, 15);
    QCOMPARE(layout.windowHeight(), 600 + 39 * 405 + 60 + 255 + 375 + 1500.0);
    QCOMPARE(layout.clampedWindowHeight(9000), 9000.0);
    QCOMPARE(layout.buttonTopFor(9000), 9000 - 1375.0);
    QCOMPARE(layout.clampedWindowHeight(1e9), layout.windowHeight());
}

void tst_ControlsLayout::placedFiguresChainAtOtherResolutions() {
    // 12 twips per pixel: each row starts from the previous row as placed, not as computed.
    const ControlsLayout layout(ControlsLayout::Template{}, 3, 12);
    QCOMPARE(layout.cellTop(1), 600.0);
    QCOMPARE(layout.cellTop(2), 1008.0); // 1005 placed on a whole pixel
    QCOMPARE(layout.cellTop(3), 1416.0); // 1008 + 405 = 1413, placed
    QCOMPARE(layout.labelTop(2), 1068.0);
    QCOMPARE(layout.windowHeight(), 3606.0); // from the last label's top, 1476 as placed
    QCOMPARE(layout.buttonTop(), 2237.0);    // from the window height as placed, 3612
}

QTEST_APPLESS_MAIN(tst_ControlsLayout)
#include "tst_ControlsLayout.moc"

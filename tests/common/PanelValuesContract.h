#pragma once

#include "options/PanelValues.h"

#include <QtTest>

// The rules every PanelValues follows, checked on a panel that holds row 1 a text box with
// "t", row 2 a list of "a", "b", "c" with "b" selected, row 3 an unticked check box, and no
// row 4. Call it from a test function; a failure ends that test.
inline void CheckPanelValuesContract(PanelValues& p) {
    QCOMPARE(p.text(1), QString("t"));
    QCOMPARE(p.ListIndex(2), 1);
    QCOMPARE(p.listCount(2), 3);
    QCOMPARE(p.listItem(2, 0), QString("a"));
    QCOMPARE(p.listItem(2, 2), QString("c"));
    QCOMPARE(p.checkState(3), 0);

    p.setText(1, "  new text ");
    QCOMPARE(p.text(1), QString("  new text "));

    p.setListIndex(2, 2);
    QCOMPARE(p.ListIndex(2), 2);
    p.setListIndex(2, -1);
    QCOMPARE(p.ListIndex(2), -1);
    p.setListIndex(2, 0);
    p.setListIndex(2, 3); // past the end selects nothing
    QCOMPARE(p.ListIndex(2), -1);
    p.setListIndex(2, 1);
    p.setListIndex(2, -7);
    QCOMPARE(p.ListIndex(2), -1);
    QCOMPARE(p.listItem(2, -1), QString());
    QCOMPARE(p.listItem(2, 3), QString());

    for (int state : {1, 2, 0, 2, 1}) {
        p.setCheckState(3, state);
        QCOMPARE(p.checkState(3), state);
    }
    p.setCheckState(3, 3);
    QCOMPARE(p.checkState(3), 0);
    p.setCheckState(3, 1);
    p.setCheckState(3, -1);
    QCOMPARE(p.checkState(3), 0);

    // A row asked for a value its kind does not hold, and a row that does not exist.
    for (int row : {1, 3, 4, 0, -1}) {
        QCOMPARE(p.ListIndex(row), -1);
        QCOMPARE(p.listCount(row), 0);
        QCOMPARE(p.listItem(row, 0), QString());
    }
    for (int row : {2, 3, 4, 0})
        QCOMPARE(p.text(row), QString());
    for (int row : {1, 2, 4, 0})
        QCOMPARE(p.checkState(row), 0);
    p.setText(2, "x");
    p.setText(4, "x");
    p.setListIndex(1, 0);
    p.setCheckState(2, 1);
    p.setCheckState(4, 1);
    QCOMPARE(p.text(1), QString("  new text "));
    QCOMPARE(p.ListIndex(2), -1);
    QCOMPARE(p.text(2), QString());
    QCOMPARE(p.checkState(2), 0);
    QCOMPARE(p.checkState(4), 0);
}

#include "controls/KeyNames.h"

#include <QtTest>

#include "common/TestAppFolder.h"

// Naming a captured key from the key name file.
class tst_KeyNames : public QObject {
    Q_OBJECT
private slots:
    void names_data();
    void names();
    void missingFileNamesNothing();
};

void tst_KeyNames::names_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("rightHandState");
    QTest::addColumn<QString>("name");
    QTest::newRow("left shift") << 16 << 0 << "Left Shift";
    QTest::newRow("left shift, right toggled but up") << 16 << 1 << "Left Shift";
    QTest::newRow("right shift down") << 16 << -128 << "Right Shift";
    QTest::newRow("right shift down and toggled") << 16 << -127 << "Right Shift";
    QTest::newRow("state -1 is not below -1") << 16 << -1 << "Left Shift";
    QTest::newRow("one name for both hands") << 17 << -128 << "Control";
    QTest::newRow("third name ignored") << 18 << -128 << "Alt R";
    // Only the scan gives a right-hand state, and only for Shift, Control and Alt.
    QTest::newRow("second name follows the state alone") << 65 << -128 << "a";
    QTest::newRow("ordinary key from a scan") << 65 << 0 << "A";
    QTest::newRow("no entry") << 124 << 0 << "unknown:124";
    QTest::newRow("empty entry") << 7 << 0 << "unknown:7";
    QTest::newRow("blank entry") << 8 << 0 << "unknown:8";
    QTest::newRow("equals sign as name") << 187 << 0 << "=";
    QTest::newRow("blanks inside kept") << 9 << 0 << "Tab ";
}

void tst_KeyNames::names() {
    QFETCH(int, code);
    QFETCH(int, rightHandState);
    QFETCH(QString, name);
    TestAppFolder app;
    app.write("dovrel/scancodes.ini",
              "[ScanCodes]\n7=\n8=   \n9=Tab | Tabulator\n16=Left Shift|Right Shift\n"
              "17=Control\n18=Alt L|Alt R|Alt X\n65=A|a\n187==\n");
    QCOMPARE(ScanCodeName(app.file("dovrel/scancodes.ini"), qint16(code), qint16(rightHandState)),
             name);
}

void tst_KeyNames::missingFileNamesNothing() {
    TestAppFolder app;
    QCOMPARE(ScanCodeName(app.file("dovrel/scancodes.ini"), 27, 0), QString("unknown:27"));
    QVERIFY(!app.exists("dovrel/scancodes.ini"));
}

QTEST_APPLESS_MAIN(tst_KeyNames)
#include "tst_KeyNames.moc"

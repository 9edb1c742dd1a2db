#include "options/MemoryPanelValues.h"
#include "profiles/ProfileValue.h"

#include <QtTest>

namespace {

// Row 1 a text box, row 2 a list of three entries, row 3 a check box.
MemoryPanelValues panel() {
    MemoryPanelValues p;
    p.addText(1, "start");
    p.addList(2, {"one", "two", "three"}, 0);
    p.addCheck(3, 0);
    return p;
}

std::optional<OptionKind> k(const QString& kindText) { return Options::KindFromText(kindText); }

int rowOf(const QString& kind) { return kind.toInt() + 1; }

int shownValue(const MemoryPanelValues& p, const QString& kind) {
    return kind == "1" ? p.ListIndex(2) : p.checkState(3);
}

} // namespace

class tst_ProfileValue : public QObject {
    Q_OBJECT
private slots:
    void fromPanel_data();
    void fromPanel();
    void showText_data();
    void showText();
    void showNumber_data();
    void showNumber();
    void roundTrip_data();
    void roundTrip();
    void equalsDefault_data();
    void equalsDefault();
    void otherKindsAreNotStored();
};

void tst_ProfileValue::fromPanel_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("stored");
    QTest::newRow("text as typed") << "0" << "  a \"b\"  " << 0 << 0 << "  a \"b\"  ";
    QTest::newRow("empty text") << "0" << "" << 0 << 0 << "";
    QTest::newRow("first entry") << "1" << "" << 0 << 0 << "1";
    QTest::newRow("third entry") << "1" << "" << 2 << 0 << "3";
    QTest::newRow("no entry") << "1" << "" << -1 << 0 << "0";
    QTest::newRow("unticked") << "2" << "" << 0 << 0 << "0";
    QTest::newRow("ticked") << "2" << "" << 0 << 1 << "1";
    QTest::newRow("greyed") << "2" << "" << 0 << 2 << "2";
}

void tst_ProfileValue::fromPanel() {
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(int, index);
    QFETCH(int, state);
    QFETCH(QString, stored);
    MemoryPanelValues p = panel();
    p.setText(1, text);
    p.setListIndex(2, index);
    p.setCheckState(3, state);
    QCOMPARE(ProfileValue::fromPanel(k(kind), p, rowOf(kind)), stored);
}

void tst_ProfileValue::showText_data() {
    QTest::addColumn<QString>("value");
    QTest::newRow("plain") << "hello";
    QTest::newRow("empty") << "";
    QTest::newRow("numeric-looking") << "007";
    QTest::newRow("blanks inside") << "a  b";
}

void tst_ProfileValue::showText() {
    QFETCH(QString, value);
    MemoryPanelValues p = panel();
    ProfileValue::show(k("0"), p, 1, value);
    QCOMPARE(p.text(1), value);
    // The other rows are not touched by a text row.
    QCOMPARE(p.ListIndex(2), 0);
    QCOMPARE(p.checkState(3), 0);
}

void tst_ProfileValue::showNumber_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("shown");
    // List positions are 1-based in the file; the shown index is nearest to value - 1.
    QTest::newRow("list 1") << "1" << "1" << 0;
    QTest::newRow("list 3") << "1" << "3" << 2;
    QTest::newRow("list 0 selects nothing") << "1" << "0" << -1;
    QTest::newRow("list empty") << "1" << "" << -1;
    QTest::newRow("list not a number") << "1" << "two" << -1;
    QTest::newRow("list past the end") << "1" << "4" << -1;
    QTest::newRow("list far past the end") << "1" << "99999999999" << -1;
    QTest::newRow("list negative") << "1" << "-2" << -1;
    QTest::newRow("list 2.5 rounds 1.5 to 2") << "1" << "2.5" << 2;
    QTest::newRow("list 1.5 rounds 0.5 to 0") << "1" << "1.5" << 0;
    QTest::newRow("list 2.6") << "1" << "2.6" << 2;
    QTest::newRow("list hex") << "1" << "&H3" << 2;
    QTest::newRow("list blanks between digits") << "1" << "2 x" << 1;
    QTest::newRow("list digits split by a blank") << "1" << "1 2" << -1;
    QTest::newRow("list trailing text") << "1" << "2abc" << 1;
    QTest::newRow("check 0") << "2" << "0" << 0;
    QTest::newRow("check 1") << "2" << "1" << 1;
    QTest::newRow("check 2") << "2" << "2" << 2;
    QTest::newRow("check empty") << "2" << "" << 0;
    QTest::newRow("check 3 unticks") << "2" << "3" << 0;
    QTest::newRow("check -1 unticks") << "2" << "-1" << 0;
    QTest::newRow("check huge unticks") << "2" << "1e300" << 0;
    QTest::newRow("check 0.5 to even 0") << "2" << "0.5" << 0;
    QTest::newRow("check 1.5 to even 2") << "2" << "1.5" << 2;
    QTest::newRow("check 2.5 to even 2") << "2" << "2.5" << 2;
    QTest::newRow("check 0.6") << "2" << "0.6" << 1;
    QTest::newRow("check &O1") << "2" << "&O1" << 1;
    QTest::newRow("check yes") << "2" << "yes" << 0;
}

void tst_ProfileValue::showNumber() {
    QFETCH(QString, kind);
    QFETCH(QString, value);
    QFETCH(int, shown);
    MemoryPanelValues p = panel();
    // Start from a value that differs from every expected one.
    p.setListIndex(2, 1);
    p.setCheckState(3, kind == "2" && shown == 1 ? 2 : 1);
    ProfileValue::show(k(kind), p, rowOf(kind), value);
    QCOMPARE(shownValue(p, kind), shown);
    QCOMPARE(p.text(1), QString("start"));
}

void tst_ProfileValue::roundTrip_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("stored");
    QTest::newRow("text") << "0" << "some text";
    QTest::newRow("empty text") << "0" << "";
    for (const char* v : {"0", "1", "2", "3"})
        QTest::newRow(qPrintable(QString("list %1").arg(v))) << "1" << QString(v);
    for (const char* v : {"0", "1", "2"})
        QTest::newRow(qPrintable(QString("check %1").arg(v))) << "2" << QString(v);
}

void tst_ProfileValue::roundTrip() {
    QFETCH(QString, kind);
    QFETCH(QString, stored);
    MemoryPanelValues p = panel();
    ProfileValue::show(k(kind), p, rowOf(kind), stored);
    QCOMPARE(ProfileValue::fromPanel(k(kind), p, rowOf(kind)), stored);
    QVERIFY(ProfileValue::equalsDefault(k(kind), p, rowOf(kind), stored));
}

void tst_ProfileValue::equalsDefault_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("defaultValue");
    QTest::addColumn<bool>("equal");
    // The panel shows text "Abc", the second list entry (stored 2) and a ticked box.
    QTest::newRow("same text") << "0" << "Abc" << true;
    QTest::newRow("case counts") << "0" << "abc" << false;
    QTest::newRow("blanks count") << "0" << "Abc " << false;
    QTest::newRow("empty default text") << "0" << "" << false;
    QTest::newRow("list same") << "1" << "2" << true;
    QTest::newRow("list with blanks") << "1" << " 2 " << true;
    QTest::newRow("list other") << "1" << "1" << false;
    QTest::newRow("list is not rounded") << "1" << "2.4" << false;
    QTest::newRow("list hex") << "1" << "&H2" << true;
    QTest::newRow("list empty default") << "1" << "" << false;
    QTest::newRow("check same") << "2" << "1" << true;
    QTest::newRow("check 1.0") << "2" << "1.0" << true;
    QTest::newRow("check not rounded") << "2" << "0.6" << false;
    QTest::newRow("check empty default") << "2" << "" << false;
    QTest::newRow("check word") << "2" << "on" << false;
}

void tst_ProfileValue::equalsDefault() {
    QFETCH(QString, kind);
    QFETCH(QString, defaultValue);
    QFETCH(bool, equal);
    MemoryPanelValues p = panel();
    p.setText(1, "Abc");
    p.setListIndex(2, 1);
    p.setCheckState(3, 1);
    QCOMPARE(ProfileValue::equalsDefault(k(kind), p, rowOf(kind), defaultValue), equal);
}

void tst_ProfileValue::otherKindsAreNotStored() {
    MemoryPanelValues p = panel();
    QVERIFY(ProfileValue::isStored(k("0")) && ProfileValue::isStored(k("1")) &&
            ProfileValue::isStored(k("2")));
    QVERIFY(!ProfileValue::isStored(k("3")));
    QVERIFY(!ProfileValue::isStored(k(" 0")));
    ProfileValue::show(k("3"), p, 1, "changed");
    QCOMPARE(p.text(1), QString("start"));
    QCOMPARE(ProfileValue::fromPanel(k("3"), p, 1), QString());
    QVERIFY(ProfileValue::equalsDefault(k("3"), p, 1, "anything"));
}

QTEST_GUILESS_MAIN(tst_ProfileValue)
#include "tst_ProfileValue.moc"

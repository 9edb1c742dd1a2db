#include "options/CreateCLOString.h"
#include "options/MemoryPanelValues.h"
#include "options/OptionTable.h"

#include <QtTest>

#include "common/PanelValuesContract.h"

namespace {

// One option of a case: its kind, switch and what the panel shows for it.
struct Shown {
    QString kind;
    QString switchText;
    QString text;      // kind "0"
    QStringList items; // kind "1"
    int index = -1;    // kind "1"
    int state = 0;     // kind "2"
};

Shown text(const QString& s, const QString& value) { return {"0", s, value, {}, -1, 0}; }
Shown list(const QString& s, const QStringList& items, int index) {
    return {"1", s, {}, items, index, 0};
}
Shown check(const QString& s, int state) { return {"2", s, {}, {}, -1, state}; }
Shown unknown(const QString& kind, const QString& s) { return {kind, s, "x", {"x"}, 0, 1}; }

} // namespace

Q_DECLARE_METATYPE(QList<Shown>)

class tst_CreateCLOString : public QObject {
    Q_OBJECT
private slots:
    void compose_data();
    void compose();
    void memoryPanelFollowsTheRules();
};

void tst_CreateCLOString::compose_data() {
    QTest::addColumn<QList<Shown>>("options");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no options") << QList<Shown>{} << "";
    QTest::newRow("text: switch and value joined") << QList<Shown>{text("-S", "V")} << " -SV";
    QTest::newRow("text, empty") << QList<Shown>{text("-S", "")} << " -S";
    QTest::newRow("text with blanks and quotes, not quoted")
        << QList<Shown>{text("-name ", "a \"b\" c")} << " -name a \"b\" c";
    QTest::newRow("check unticked") << QList<Shown>{check("-c", 0)} << "";
    QTest::newRow("check ticked") << QList<Shown>{check("-c", 1)} << " -c";
    QTest::newRow("check greyed counts as unticked") << QList<Shown>{check("-c", 2)} << "";
    QTest::newRow("checked A then list B with entry E")
        << QList<Shown>{check("A", 1), list("B", {"D", "E"}, 1)} << " A BE";
    QTest::newRow("list with nothing selected: switch alone")
        << QList<Shown>{list("-b=", {"one", "two"}, -1)} << " -b=";
    QTest::newRow("list without choices") << QList<Shown>{list("-x", {}, -1)} << " -x";
    QTest::newRow("list, empty entry selected") << QList<Shown>{list("-e ", {"", "x"}, 0)}
                                                << " -e ";
    QTest::newRow("row order, unticked check left out")
        << QList<Shown>{text("-a ", "10"), check("-n", 0), list("-b=", {"one", "two", "three"}, 1),
                        check("-y", 1)}
        << " -a 10 -b=two -y";
    QTest::newRow("unknown kinds add nothing")
        << QList<Shown>{text("-a", "1"), unknown("7", "-u"), unknown(" 2", "-v"),
                        text("-b", "2")}
        << " -a1 -b2";
}

void tst_CreateCLOString::compose() {
    QFETCH(QList<Shown>, options);
    QFETCH(QString, expected);
    OptionTable table;
    MemoryPanelValues panel;
    for (const Shown& o : options) {
        const int row = table.append({o.switchText, "cap", "cat", o.kind, "", "", ""});
        if (o.kind == u"0")
            panel.addText(row, o.text);
        else if (o.kind == u"1")
            panel.addList(row, o.items, o.index);
        else if (o.kind == u"2")
            panel.addCheck(row, o.state);
        else {
            // Values that an unknown kind must not pick up.
            panel.addText(row, o.text);
            panel.addList(row, o.items, o.index);
            panel.addCheck(row, o.state);
        }
    }
    QCOMPARE(Options::CreateCLOString(table, panel), expected);
}

void tst_CreateCLOString::memoryPanelFollowsTheRules() {
    MemoryPanelValues panel;
    panel.addText(1, "t");
    panel.addList(2, {"a", "b", "c"}, 1);
    panel.addCheck(3, 0);
    CheckPanelValuesContract(panel);
}

QTEST_APPLESS_MAIN(tst_CreateCLOString)
#include "tst_CreateCLOString.moc"

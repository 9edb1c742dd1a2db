#include "base/AppPaths.h"
#include "options/OptionDefinitionReader.h"
#include "options/OptionTable.h"

#include <QtTest>

#include "common/TestAppFolder.h"

namespace {

// Records what the reader hands the panel, and checks that each option's controls are asked
// for before its row exists.
class RecordingSink final : public OptionDefinitionSink {
public:
    explicit RecordingSink(const OptionTable& table) : m_table(table) {}
    QStringList events;
    std::function<void(int)> onCategory;
    int orderFaults = 0;

    void beginCategory(int category, const QString& name) override {
        events << QStringLiteral("cat %1 %2").arg(category).arg(name);
        if (onCategory)
            onCategory(category);
    }
    void addOption(int row, const OptionDefinition& option) override {
        if (m_table.OptionCount() != row - 1)
            ++orderFaults;
        events << QStringLiteral("row %1 %2").arg(row).arg(option.Switch);
    }
    void endCategory(int category) override { events << QStringLiteral("end %1").arg(category); }

private:
    const OptionTable& m_table;
};

QStringList rowsOf(const OptionTable& table) {
    QStringList rows;
    for (int r = 1; r <= table.OptionCount(); ++r) {
        const OptionRow& row = table.row(r);
        rows << QStringList{row.Switch, row.Caption, row.Category, row.Kind, row.Default,
                            row.DefaultProfileValue, row.GameValue}
                    .join(u'^');
    }
    return rows;
}

} // namespace

class tst_OptionDefinitionReader : public QObject {
    Q_OBJECT
private slots:
    void pass_data();
    void pass();
    void tableColumns();
    void fileReadOnce();
    void announcedCountsWithoutKeys();
    void fullTableStopsAccepting();
};

void tst_OptionDefinitionReader::pass_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("events");

    QTest::newRow("2, 0 and 3 options with unknown kinds between")
        << QByteArray("[General]\nNumCats=3\n"
                      "[Cat1]\nName=One\nnumOpts=3\nopt1=-a|A|0|1\nopt2=-u|U|7|x\nopt3=-b|B|2|1\n"
                      "[Cat2]\nName=Two\nnumOpts=0\n"
                      "[Cat3]\nName=Three\nnumOpts=3\nopt1=-c|C|1|x|1\nopt2=-d|D|0|\nopt3=-e|E|2|0\n")
        << QStringList{"cat 1 One", "row 1 -a", "row 2 -b", "end 1", "cat 2 Two", "end 2",
                       "cat 3 Three", "row 3 -c", "row 4 -d", "row 5 -e", "end 3"};
    QTest::newRow("malformed definitions keep rows consecutive")
        << QByteArray("[Cat1]\nName=C\nnumOpts=6\nopt1=-a|A|0\nopt2=-b|B|0|v\nopt3=-c|C|1|1\n"
                      "opt4=-d|D|1|0\nopt5=-e|E|2\nopt6=-f|F| 2|1\n")
        << QStringList{"cat 1 C", "row 1 -b", "row 2 -d", "end 1"};
    QTest::newRow("NumCats 0 reads category 1 alone")
        << QByteArray("[General]\nNumCats=0\n[Cat1]\nName=A\n[Cat2]\nName=B\n")
        << QStringList{"cat 1 A", "end 1"};
    QTest::newRow("NumCats 1") << QByteArray("[General]\nNumCats=1\n[Cat1]\nName=A\n[Cat2]\nName=B\n")
                               << QStringList{"cat 1 A", "end 1"};
    QTest::newRow("NumCats negative")
        << QByteArray("[General]\nNumCats=-4\n[Cat1]\nName=A\n[Cat2]\nName=B\n")
        << QStringList{"cat 1 A", "end 1"};
    QTest::newRow("NumCats missing") << QByteArray("[Cat1]\nName=A\n[Cat2]\nName=B\n")
                                     << QStringList{"cat 1 A", "end 1"};
    QTest::newRow("NumCats not a number")
        << QByteArray("[General]\nNumCats=two\n[Cat1]\nName=A\n[Cat2]\nName=B\n")
        << QStringList{"cat 1 A", "end 1"};
    QTest::newRow("NumCats 2.5 is 2, halves to even")
        << QByteArray("[General]\nNumCats=2.5\n[Cat1]\nName=A\n[Cat2]\nName=B\n[Cat3]\nName=C\n")
        << QStringList{"cat 1 A", "end 1", "cat 2 B", "end 2"};
    QTest::newRow("missing category sections give empty frames")
        << QByteArray("[General]\nNumCats=3\n[Cat2]\nName=B\nnumOpts=1\nopt1=-b|B|2|0\n")
        << QStringList{"cat 1 ", "end 1", "cat 2 B", "row 1 -b", "end 2", "cat 3 ", "end 3"};
    QTest::newRow("numOpts missing") << QByteArray("[Cat1]\nName=A\nopt1=-a|A|0|1\n")
                                     << QStringList{"cat 1 A", "end 1"};
    QTest::newRow("numOpts not a number")
        << QByteArray("[Cat1]\nName=A\nnumOpts=many\nopt1=-a|A|0|1\n")
        << QStringList{"cat 1 A", "end 1"};
    QTest::newRow("numOpts negative") << QByteArray("[Cat1]\nName=A\nnumOpts=-2\nopt1=-a|A|0|1\n")
                                      << QStringList{"cat 1 A", "end 1"};
    QTest::newRow("keys past numOpts are not read")
        << QByteArray("[Cat1]\nName=A\nnumOpts=1\nopt1=-a|A|0|1\nopt2=-b|B|0|1\n")
        << QStringList{"cat 1 A", "row 1 -a", "end 1"};
    QTest::newRow("a missing opt key is skipped")
        << QByteArray("[Cat1]\nName=A\nnumOpts=3\nopt1=-a|A|0|1\nopt3=-c|C|0|1\n")
        << QStringList{"cat 1 A", "row 1 -a", "row 2 -c", "end 1"};
    QTest::newRow("no file") << QByteArray() << QStringList{"cat 1 ", "end 1"};
    QTest::newRow("names match in any case, values trimmed")
        << QByteArray("[general]\nnumcats=2\n[CAT2]\nNAME=  B  \nNUMOPTS=1\nOPT1=  -b|B|2|0  \n")
        << QStringList{"cat 1 ", "end 1", "cat 2 B", "row 1 -b", "end 2"};
}

void tst_OptionDefinitionReader::pass() {
    QFETCH(QByteArray, file);
    QFETCH(QStringList, events);
    TestAppFolder app;
    if (!file.isEmpty())
        app.write("dovrel/cfgdef.ini", file);
    OptionTable table;
    table.append({"-stale", "", "", "0", "", "", ""});
    RecordingSink sink(table);
    Options::ReadOptionDefinitions(AppPaths::optionDefinitions(app.path()), table, sink);
    QCOMPARE(sink.events, events);
    QCOMPARE(sink.orderFaults, 0);
    QCOMPARE(int(table.OptionCount()), int(events.filter(QRegularExpression("^row ")).size()));
}

void tst_OptionDefinitionReader::tableColumns() {
    TestAppFolder app;
    app.write("dovrel/cfgdef.ini",
              "[General]\nNumCats=2\n"
              "[Cat1]\nName=Video\nnumOpts=3\nopt1=-a|Option A|0|10|extra\n"
              "opt2=-b=|Option B|1|one|two|three|2\nopt3=-c|Option C|2|1\n"
              "[Cat2]\nName=\nnumOpts=2\nopt1=-x|Cap|1|0\nopt2=-t| lead|0| v |4\n");
    OptionTable table;
    RecordingSink sink(table);
    Options::ReadOptionDefinitions(AppPaths::optionDefinitions(app.path()), table, sink);
    QCOMPARE(rowsOf(table), QStringList({"-a^Option A^Video^0^10^^", "-b=^Option B^Video^1^2^^",
                                         "-c^Option C^Video^2^1^^", "-x^Cap^^1^0^^",
                                         "-t^ lead^^0^ v ^^"}));
}

void tst_OptionDefinitionReader::fileReadOnce() {
    // Changing the file while the pass runs must not change what the pass sees.
    TestAppFolder app;
    app.write("dovrel/cfgdef.ini", "[General]\nNumCats=2\n[Cat1]\nName=A\nnumOpts=1\n"
                                   "opt1=-a|A|0|1\n[Cat2]\nName=B\nnumOpts=1\nopt1=-b|B|0|1\n");
    OptionTable table;
    RecordingSink sink(table);
    sink.onCategory = [&](int category) {
        if (category == 1)
            app.write("dovrel/cfgdef.ini", "[General]\nNumCats=1\n[Cat1]\nName=Z\n");
    };
    Options::ReadOptionDefinitions(AppPaths::optionDefinitions(app.path()), table, sink);
    QCOMPARE(sink.events, QStringList({"cat 1 A", "row 1 -a", "end 1", "cat 2 B", "row 2 -b",
                                       "end 2"}));
}

void tst_OptionDefinitionReader::announcedCountsWithoutKeys() {
    TestAppFolder app;
    app.write("dovrel/cfgdef.ini", "[General]\nNumCats=32767\n[Cat1]\nnumOpts=32767\n"
                                   "[Cat2]\nnumOpts=32767\n");
    OptionTable table;
    RecordingSink sink(table);
    Options::ReadOptionDefinitions(AppPaths::optionDefinitions(app.path()), table, sink);
    QCOMPARE(table.OptionCount(), qint16(0));
    QCOMPARE(sink.events.size(), 2 * 32767);
    QCOMPARE(sink.events.last(), QString("end 32767"));
}

void tst_OptionDefinitionReader::fullTableStopsAccepting() {
    TestAppFolder app;
    QByteArray file = "[Cat1]\nName=Many\nnumOpts=32767\n";
    for (int i = 1; i <= 32767; ++i)
        file += "opt" + QByteArray::number(i) + "=-o" + QByteArray::number(i) + "|C" +
                QByteArray::number(i) + "|2|0\n";
    file += "[General]\nNumCats=2\n[Cat2]\nName=More\nnumOpts=1\nopt1=-late|L|0|x\n";
    app.write("dovrel/cfgdef.ini", file);
    OptionTable table;
    RecordingSink sink(table);
    Options::ReadOptionDefinitions(AppPaths::optionDefinitions(app.path()), table, sink);
    QCOMPARE(table.OptionCount(), qint16(OptionTable::MaxRows));
    QCOMPARE(table.row(OptionTable::MaxRows).Switch, QString("-o32766"));
    QCOMPARE(sink.events.filter(QRegularExpression("^row ")).size(), OptionTable::MaxRows);
    QCOMPARE(sink.events.last(), QString("end 2"));
    QCOMPARE(sink.orderFaults, 0);
}

QTEST_APPLESS_MAIN(tst_OptionDefinitionReader)
#include "tst_OptionDefinitionReader.moc"

#include "base/AppPaths.h"
#include "options/OptionDefinitionReader.h"
#include "options/OptionTable.h"
#include "session/GameSession.h"
#include "shell/frmMain.h"

#include <QtTest>

#include "FifoWatch.h"
#include "HostileFiles.h"
#include "common/FakeDialogs.h"
#include "common/TestAppFolder.h"

// dovrel/cfgdef.ini, the option definitions, at its worst: whatever it holds, the pass ends,
// announces its categories, and gives rows that match the controls asked for.
namespace {

// What the pass hands the panel, in order; each option's row must not exist yet when its
// controls are asked for.
class Recorder final : public OptionDefinitionSink {
public:
    explicit Recorder(const OptionTable& table) : m_table(table) {}
    int categories = 0;
    QString firstName;
    QStringList rows; // switch, kind and default of each accepted option
    int orderFaults = 0;

    void beginCategory(int category, const QString& name) override {
        if (category != ++categories)
            ++orderFaults;
        if (category == 1)
            firstName = name;
    }
    void addOption(int row, const OptionDefinition& option) override {
        if (m_table.OptionCount() != row - 1 || row != rows.size() + 1)
            ++orderFaults;
        rows << option.Switch + u'^' + option.kindText + u'^' + option.Default.left(20);
    }
    void endCategory(int) override {}

private:
    const OptionTable& m_table;
};

struct Pass {
    int categories = 0;
    QString firstName;
    QStringList rows;
    qint16 OptionCount = 0;
};

Pass readDefinitions(const QString& appDir) {
    OptionTable table;
    Recorder sink(table);
    Options::ReadOptionDefinitions(AppPaths::optionDefinitions(appDir), table, sink);
    if (sink.orderFaults != 0 || table.OptionCount() != sink.rows.size())
        qFatal("rows and controls out of step");
    return {sink.categories, sink.firstName, sink.rows, table.OptionCount()};
}

} // namespace

class tst_HostileOptionDefinitions : public QObject {
    Q_OBJECT
private slots:
    void pass_data();
    void pass();
    void thousandsOfSectionsAnnouncingTheMost();
    void listCutAtTheValueLimit();
    void notARegularFile_data();
    void notARegularFile();
    void panelFromGarbage();
};

void tst_HostileOptionDefinitions::pass_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("categories");
    QTest::addColumn<QString>("firstName");
    QTest::addColumn<QStringList>("rows");

    const QByteArray garbage = HostileFiles::Garbage(1 << 20, 11);
    QTest::newRow("binary garbage") << garbage << 1 << "" << QStringList();
    QTest::newRow("garbage after the definitions")
        << "[Cat1]\nName=V\nnumOpts=2\nopt1=-a|A|0|1\nopt2=-b|B|2|1\n" + garbage << 1 << "V"
        << QStringList{"-a^0^1", "-b^2^1"};
    QTest::newRow("NUL inside definitions")
        << QByteArrayLiteral("[Cat1]\nName=N\0ame\nnumOpts=4\nopt1=-a\0b|A|0|1\n"
                             "opt2=-c|C|\0|1\nopt3=-d|D|2\0|1\nopt4=-e|E|1|x\0y|1\n")
        << 1 << QString::fromUtf8("N\0ame", 5)
        << QStringList{QString::fromUtf8("-a\0b^0^1", 8), "-e^1^1"};
    QTest::newRow("10 MB line between definitions")
        << "[Cat1]\nName=V\nnumOpts=3\nopt1=-a|A|0|1\nopt2=-b|B|0|" + QByteArray(10 << 20, 'z') +
               "\nopt3=-c|C|2|1\n"
        << 1 << "V" << QStringList{"-a^0^1", "-b^0^" + QString(20, u'z'), "-c^2^1"};
    QTest::newRow("1,000,000 lines of other keys")
        << "[Cat1]\nName=V\nnumOpts=32767\n" + HostileFiles::Repeated("x=1", 1000000) +
               "opt32767=-z|Z|2|1\n"
        << 1 << "V" << QStringList{"-z^2^1"};
    QTest::newRow("UTF-8 byte-order mark")
        << QByteArray("\xEF\xBB\xBF[General]\nNumCats=2\n[Cat1]\nName=Vid\xC3\xA9o\nnumOpts=1\n"
                      "opt1=-s|\xC3\x89\x63helle|1|1|2|2\n")
        << 2 << QString::fromUtf8("Vid\xC3\xA9o") << QStringList{"-s^1^2"};
    QTest::newRow("invalid UTF-8 reads as Latin-1")
        << QByteArray("[Cat1]\nName=Vid\xE9o\nnumOpts=1\nopt1=-s\xFF|\xC9|0|\xE9\n") << 1
        << QString::fromLatin1("Vid\xE9o") << QStringList{QString::fromLatin1("-s\xFF^0^\xE9")};
    QTest::newRow("CR-only and mixed line ends")
        << QByteArray("[General]\rNumCats=2\r\n[Cat1]\rName=V\nnumOpts=2\r\nopt1=-a|A|0|1\r"
                      "opt2=-b|B|2|0\n[Cat2]\r\n")
        << 2 << "V" << QStringList{"-a^0^1", "-b^2^0"};
    QTest::newRow("NumCats 32767 without sections")
        << QByteArray("[General]\nNumCats=32767\n") << 32767 << "" << QStringList();
    QTest::newRow("NumCats -32768: category 1 alone")
        << QByteArray("[General]\nNumCats=-32768\n[Cat1]\nName=A\n[Cat2]\nName=B\n") << 1 << "A"
        << QStringList();
    QTest::newRow("NumCats 32768 is no 16-bit number: category 1 alone")
        << QByteArray("[General]\nNumCats=32768\n[Cat2]\nName=B\n") << 1 << "" << QStringList();
    QTest::newRow("numOpts -32768")
        << QByteArray("[Cat1]\nnumOpts=-32768\nopt1=-a|A|0|1\n") << 1 << "" << QStringList();
    QTest::newRow("numOpts 32768 is no 16-bit number")
        << QByteArray("[Cat1]\nnumOpts=32768\nopt1=-a|A|0|1\n") << 1 << "" << QStringList();
    QTest::newRow("numOpts 32767 with keys in any case, spelled only one way")
        << QByteArray("[Cat1]\nnumOpts=32767\nOPT2=-b|B|0|1\n opt1 =-a|A|0|1\nopt03=-x|X|0|1\n"
                      "opt+4=-y|Y|0|1\nopt32767=-z|Z|0|1\nopt32768=-w|W|0|1\n")
        << 1 << "" << QStringList{"-a^0^1", "-b^0^1", "-z^0^1"};
}

void tst_HostileOptionDefinitions::pass() {
    QFETCH(QByteArray, file);
    QFETCH(int, categories);
    QFETCH(QString, firstName);
    QFETCH(QStringList, rows);
    TestAppFolder app;
    app.write("dovrel/cfgdef.ini", file);
    const Pass pass = readDefinitions(app.path());
    QCOMPARE(pass.categories, categories);
    QCOMPARE(pass.firstName, firstName);
    QCOMPARE(pass.rows, rows);
    QCOMPARE(app.read("dovrel/cfgdef.ini"), file);
}

void tst_HostileOptionDefinitions::thousandsOfSectionsAnnouncingTheMost() {
    // 800 KB: every category announces 32,767 options and defines none. Looking up every
    // announced key would take a thousand million lookups; only existing keys may cost.
    TestAppFolder app;
    app.write("dovrel/cfgdef.ini", "[General]\nNumCats=32767\n" +
                                       HostileFiles::Numbered("[Cat%1]\nnumOpts=32767\n", 32766) +
                                       "[Cat32767]\nnumOpts=32767\nopt32767=-last|L|2|1\n");
    const Pass pass = readDefinitions(app.path());
    QCOMPARE(pass.categories, 32767);
    QCOMPARE(pass.rows, QStringList{"-last^2^1"});
}

void tst_HostileOptionDefinitions::listCutAtTheValueLimit() {
    // A 10 MB list definition is cut at the 2,499 characters that a value can hold: the cut
    // leaves an empty last field, so no choice is selected.
    TestAppFolder app;
    QByteArray choices;
    for (int i = 0; i < (5 << 20); ++i)
        choices += "a|";
    app.write("dovrel/cfgdef.ini", "[Cat1]\nnumOpts=1\nopt1=-l|L|1|" + choices + "1\n");
    OptionTable table;
    struct : OptionDefinitionSink {
        std::optional<OptionDefinition> option;
        void beginCategory(int, const QString&) override {}
        void addOption(int, const OptionDefinition& o) override { option = o; }
        void endCategory(int) override {}
    } sink;
    Options::ReadOptionDefinitions(AppPaths::optionDefinitions(app.path()), table, sink);
    QVERIFY(sink.option);
    QCOMPARE(sink.option->choices.size(), (2499 - 7) / 2);
    QCOMPARE(sink.option->Default, QString());
    QCOMPARE(sink.option->listIndex, -1);
}

void tst_HostileOptionDefinitions::notARegularFile_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("directory") << "directory";
    QTest::newRow("FIFO") << "fifo";
    QTest::newRow("below a regular file") << "below";
}

void tst_HostileOptionDefinitions::notARegularFile() {
    QFETCH(QString, kind);
    TestAppFolder app;
    QString appDir = app.path();
    const QString file = AppPaths::optionDefinitions(appDir);
    if (kind == "directory")
        app.write("dovrel/cfgdef.ini/opt1", "-a|A|0|1");
    else if (kind == "fifo")
        QVERIFY(HostileFiles::MakeFifo(file));
    else
        appDir = QFileInfo(HostileFiles::BelowRegularFile(app.path(), "app")).path();
    const FifoWatch watch(file);
    const Pass pass = readDefinitions(appDir);
    QVERIFY(!watch.releasedABlockedReader());
    QCOMPARE(pass.categories, 1);
    QCOMPARE(pass.rows, QStringList());
}

void tst_HostileOptionDefinitions::panelFromGarbage() {
    TestAppFolder app;
    app.write("dovrel/cfgdef.ini", HostileFiles::Garbage(1 << 16, 12));
    GameSession state(app.path());
    FakeDialogs dialogs;
    frmMain w(state, dialogs);
    w.InitCfg();
    QCOMPARE(w.optionTable().OptionCount(), qint16(0));
    QVERIFY(dialogs.shown.isEmpty());
    QVERIFY(w.CreateCLOString().isEmpty());
}

QTEST_MAIN(tst_HostileOptionDefinitions)
#include "tst_HostileOptionDefinitions.moc"

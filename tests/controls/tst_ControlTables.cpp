#include "controls/ControlTables.h"

#include <QtTest>

#include "common/TestAppFolder.h"

// Reading the control definitions and the current bindings.
class tst_ControlTables : public QObject {
    Q_OBJECT
private slots:
    void emulatorFileInTheHomeOrAbsolute_data();
    void emulatorFileInTheHomeOrAbsolute();
    void bindingsReadFromTheHomeFolder();
    void inputNumbersContinueAcrossCategories();
    void bindingsReadFromEmulatorFile();
    void sectionNameKeepsInnerBlanks_data();
    void sectionNameKeepsInnerBlanks();
    void counts_data();
    void counts();
    void shortDefinitionsHaveEmptyFields_data();
    void shortDefinitionsHaveEmptyFields();
    void iniType_data();
    void iniType();
    void emulatorFileBesideApplication();
    void hugeCountsStayBounded();
};

namespace {

ControlTables load(const QByteArray& definitions, const QByteArray& emulatorIni = {}) {
    TestAppFolder app;
    app.write("dovrel/controldef.ini", definitions);
    if (!emulatorIni.isEmpty())
        app.write("emu.ini", emulatorIni);
    return ControlDefinitions::ReadControlTables(app.path());
}

const QByteArray kThreeAndTwo =
    "[General]\niniName=emu.ini\nCIniType=0\nnumCats=2\n"
    "[cat1]\nName=Pad\nKeyName=[Pad]\nnumInputs=3\n"
    "input1=a|A cap|A def\ninput2=b|B cap|B def\ninput3=c|C cap|C def\n"
    "[cat2]\nName=Sys\nKeyName=[Sys]\nnumInputs=2\ninput1=d|D cap|D def\ninput2=e|E cap|E def\n";

} // namespace

void tst_ControlTables::inputNumbersContinueAcrossCategories() {
    const ControlTables t = load(kThreeAndTwo);
    QCOMPARE(t.numCats, qint16(2));
    QCOMPARE(t.CatIndex.size(), size_t(2));
    QCOMPARE(t.CatIndex[0].name, QString("Pad"));
    QCOMPARE(t.CatIndex[0].first, 1);
    QCOMPARE(t.CatIndex[0].count, 3);
    QCOMPARE(t.CatIndex[1].first, 4);
    QCOMPARE(t.CatIndex[1].count, 2);
    QCOMPARE(t.inputCount(), 5);
    QCOMPARE(t.InputList[0].iniKey, QString()); // the empty row every load starts with
    QCOMPARE(t.InputList[4].iniKey, QString("d"));
    QCOMPARE(t.InputList[4].caption, QString("D cap"));
    QCOMPARE(t.InputList[5].defaultBinding, QString("E def"));
}

void tst_ControlTables::bindingsReadFromEmulatorFile() {
    const ControlTables t =
        load(kThreeAndTwo, "[pad]\n A = \"Space\" \nb=\nother=1\n[Sys]\nE='F1'\n");
    QCOMPARE(t.InputList[1].binding, QString("Space")); // quotes gone, case and blanks ignored
    QCOMPARE(t.InputList[2].binding, QString());        // empty value: the default shows
    QCOMPARE(t.InputList[3].binding, QString());        // missing key
    QCOMPARE(t.InputList[4].binding, QString());
    QCOMPARE(t.InputList[5].binding, QString("F1"));
}

void tst_ControlTables::sectionNameKeepsInnerBlanks_data() {
    QTest::addColumn<QString>("keyName");
    QTest::addColumn<QString>("section");
    QTest::newRow("plain") << "[System]"
                           << "System";
    QTest::newRow("inner blanks") << "[ Player 1 ]"
                                  << " Player 1 ";
    QTest::newRow("no brackets") << "Pad"
                                 << "Pad";
    QTest::newRow("every bracket") << "[[a]b]"
                                   << "ab";
    QTest::newRow("empty") << ""
                           << "";
}

void tst_ControlTables::sectionNameKeepsInnerBlanks() {
    QFETCH(QString, keyName);
    QFETCH(QString, section);
    QCOMPARE(ControlDefinitions::sectionName(keyName), section);
}

void tst_ControlTables::counts_data() {
    QTest::addColumn<QByteArray>("general");
    QTest::addColumn<QByteArray>("cat1Count");
    QTest::addColumn<int>("categories");
    QTest::addColumn<int>("cat1Inputs");
    QTest::newRow("numCats missing") << QByteArray() << QByteArray("1") << 0 << 0;
    QTest::newRow("numCats 0") << QByteArray("numCats=0") << QByteArray("1") << 0 << 0;
    QTest::newRow("numCats text") << QByteArray("numCats=two") << QByteArray("1") << 0 << 0;
    QTest::newRow("numCats negative") << QByteArray("numCats=-3") << QByteArray("1") << 0 << 0;
    QTest::newRow("numCats 1.5 rounds to 2")
        << QByteArray("numCats=1.5") << QByteArray("1") << 2 << 1;
    QTest::newRow("numInputs missing") << QByteArray("numCats=2") << QByteArray() << 2 << 0;
    QTest::newRow("numInputs 0") << QByteArray("numCats=2") << QByteArray("numInputs=0") << 2 << 0;
    QTest::newRow("numInputs text")
        << QByteArray("numCats=2") << QByteArray("numInputs=x") << 2 << 0;
    QTest::newRow("numInputs negative")
        << QByteArray("numCats=2") << QByteArray("numInputs=-1") << 2 << 0;
}

void tst_ControlTables::counts() {
    QFETCH(QByteArray, general);
    QFETCH(QByteArray, cat1Count);
    QFETCH(int, categories);
    QFETCH(int, cat1Inputs);
    if (cat1Count == "1")
        cat1Count = "numInputs=1";
    const ControlTables t = load("[General]\n" + general + "\n[cat1]\n" + cat1Count +
                                 "\ninput1=a|A|1\n[cat2]\nnumInputs=1\ninput1=b|B|2\n");
    QCOMPARE(int(t.CatIndex.size()), categories);
    QCOMPARE(t.numCats, qint16(categories));
    if (categories == 0) {
        QCOMPARE(t.inputCount(), 0);
        return;
    }
    QCOMPARE(t.CatIndex[0].count, cat1Inputs);
    // A category without inputs takes none of the next category's.
    QCOMPARE(t.CatIndex[1].first, 1 + cat1Inputs);
    QCOMPARE(t.InputList[t.CatIndex[1].first].iniKey, QString("b"));
}

void tst_ControlTables::shortDefinitionsHaveEmptyFields_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("three") << QByteArray("input1=k|Cap|Def") << QStringList{"k", "Cap", "Def"};
    QTest::newRow("more than three")
        << QByteArray("input1=k|Cap|Def|x|y") << QStringList{"k", "Cap", "Def"};
    QTest::newRow("two") << QByteArray("input1=k|Cap") << QStringList{"k", "Cap", ""};
    QTest::newRow("one") << QByteArray("input1=k") << QStringList{"k", "", ""};
    QTest::newRow("empty") << QByteArray("input1=") << QStringList{"", "", ""};
    QTest::newRow("missing") << QByteArray() << QStringList{"", "", ""};
    QTest::newRow("blanks inside kept")
        << QByteArray("input1= k | Cap | Def ") << QStringList{"k ", " Cap ", " Def"};
}

void tst_ControlTables::shortDefinitionsHaveEmptyFields() {
    QFETCH(QByteArray, line);
    QFETCH(QStringList, fields);
    const ControlTables t = load("[General]\nnumCats=1\n[cat1]\nnumInputs=1\n" + line + "\n");
    QCOMPARE(t.inputCount(), 1);
    QCOMPARE(
        (QStringList{t.InputList[1].iniKey, t.InputList[1].caption, t.InputList[1].defaultBinding}),
        fields);
}

void tst_ControlTables::iniType_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<bool>("rewrite");
    QTest::newRow("1") << QByteArray("1") << true;
    QTest::newRow("blanks around 1") << QByteArray("  1 ") << true;
    QTest::newRow("0") << QByteArray("0") << false;
    QTest::newRow("2") << QByteArray("2") << false;
    QTest::newRow("-1") << QByteArray("-1") << false;
    QTest::newRow("text") << QByteArray("one") << false;
    QTest::newRow("missing") << QByteArray() << false;
}

void tst_ControlTables::iniType() {
    QFETCH(QByteArray, value);
    QFETCH(bool, rewrite);
    const ControlTables t = load("[General]\nCIniType=" + value + "\n");
    QCOMPARE(t.isRewriteMode(), rewrite);
}

void tst_ControlTables::emulatorFileBesideApplication() {
    TestAppFolder app;
    app.write("dovrel/controldef.ini",
              "[General]\niniName=cfg/my "
              "emu.ini\nnumCats=1\n[cat1]\nKeyName=[P]\nnumInputs=1\ninput1=k|K|d\n");
    app.write("cfg/my emu.ini", "[P]\nk=bound\n");
    const ControlTables t = ControlDefinitions::ReadControlTables(app.path());
    QCOMPARE(t.EmuIniName, QString("cfg/my emu.ini"));
    QCOMPARE(ControlDefinitions::emulatorIniFile(app.path(), t.EmuIniName),
             app.file("cfg/my emu.ini"));
    QCOMPARE(t.InputList[1].binding, QString("bound"));
}

void tst_ControlTables::emulatorFileInTheHomeOrAbsolute_data() {
    QTest::addColumn<QString>("iniName");
    QTest::addColumn<QString>("expected");
    QTest::newRow("relative") << "emu.ini" << "/app/emu.ini";
    QTest::newRow("absolute") << "/etc/emu/input.ini" << "/etc/emu/input.ini";
    QTest::newRow("home") << "~/.config/mgba/config.ini"
                          << QDir::homePath() + "/.config/mgba/config.ini";
    QTest::newRow("tilde without slash is a name") << "~emu.ini" << "/app/~emu.ini";
    QTest::newRow("tilde further in") << "cfg/~/x.ini" << "/app/cfg/~/x.ini";
}

void tst_ControlTables::emulatorFileInTheHomeOrAbsolute() {
    QFETCH(QString, iniName);
    QFETCH(QString, expected);
    QCOMPARE(ControlDefinitions::emulatorIniFile("/app", iniName), expected);
}

void tst_ControlTables::bindingsReadFromTheHomeFolder() {
    TestAppFolder app;
    TestAppFolder home;
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", home.path().toUtf8());
    app.write("dovrel/controldef.ini", "[General]\niniName=~/.config/emu/config.ini\nnumCats=1\n"
                                       "[cat1]\nKeyName=[gba.input.SDLK]\nnumInputs=1\n"
                                       "input1=keyA|A|120\n");
    home.write(".config/emu/config.ini", "[gba.input.SDLK]\nkeyA=113\n");
    const ControlTables t = ControlDefinitions::ReadControlTables(app.path());
    qputenv("HOME", oldHome);
    QCOMPARE(t.InputList[1].binding, QString("113"));
}

void tst_ControlTables::hugeCountsStayBounded() {
    // Input numbers are 16-bit: the first category takes them all, the rest get none.
    const ControlTables t = load("[General]\nnumCats=32767\n[cat1]\nnumInputs=32767\n"
                                 "input32767=last|Last|L\n[cat2]\nnumInputs=32767\ninput1=x|X|x\n");
    QCOMPARE(t.CatIndex.size(), size_t(32767));
    QCOMPARE(t.CatIndex[0].count, 32767);
    QCOMPARE(t.inputCount(), ControlTables::maxInputs);
    QCOMPARE(t.InputList[32767].iniKey, QString("last"));
    QCOMPARE(t.CatIndex[1].count, 0);
    QCOMPARE(t.CatIndex[32766].count, 0);
}

QTEST_APPLESS_MAIN(tst_ControlTables)
#include "tst_ControlTables.moc"

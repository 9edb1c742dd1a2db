#include "base/AppPaths.h"
#include "base/Ini.h"
#include "controls/BindingsWriter.h"
#include "controls/ControlTables.h"
#include "controls/KeyNames.h"

#include <QtTest>

#include "common/TestAppFolder.h"
#include "FifoWatch.h"
#include "HostileFiles.h"
#include "SmallTmpfs.h"

// The control definitions (dovrel/controldef.ini), the emulator's input file they name and the
// key names (dovrel/scancodes.ini) at their worst: the tables stay consistent, a save either
// lands whole or leaves the file as it was, and big counts end in seconds.
namespace {

const QByteArray kDefs = "[General]\niniName=emu.ini\nCIniType=0\nnumCats=1\n"
                         "[cat1]\nName=P1\nKeyName=[Player 1]\nnumInputs=2\n"
                         "input1=up|Up|Up Arrow\ninput2=fire|Fire|Space\n";

BindingsWriter::Outcome save(const TestAppFolder& app, const ControlTables& tables, int mode) {
    ControlTables t = tables;
    t.CIniType = qint16(mode);
    const IniSnapshot defs(AppPaths::controlDefinitions(app.path()));
    return BindingsWriter(t, defs).save(
        ControlDefinitions::emulatorIniFile(app.path(), t.EmuIniName));
}

} // namespace

class tst_HostileControls : public QObject {
    Q_OBJECT
private slots:
    void definitions_data();
    void definitions();
    void emulatorFile_data();
    void emulatorFile();
    void mostInputsSaveInSeconds_data();
    void mostInputsSaveInSeconds();
    void mostCategoriesRewriteInSeconds();
    void emulatorFileNotWritable_data();
    void emulatorFileNotWritable();
    void readOnlyFileSystem();
    void keyNames_data();
    void keyNames();
};

void tst_HostileControls::definitions_data() {
    QTest::addColumn<QByteArray>("defs");
    QTest::addColumn<int>("numCats");
    QTest::addColumn<int>("inputs");
    QTest::addColumn<QString>("firstKey");
    QTest::addColumn<QString>("firstDefault");

    QTest::newRow("binary garbage") << HostileFiles::Garbage(1 << 20, 31) << 0 << 0 << ""
                                    << "";
    QTest::newRow("NUL inside names")
        << QByteArrayLiteral("[General]\nnumCats=1\n[cat1]\nKeyName=[P\0 1]\nnumInputs=1\n"
                             "input1=u\0p|Up|A\0B\n")
        << 1 << 1 << QString::fromUtf8("u\0p", 3) << QString::fromUtf8("A\0B", 3);
    QTest::newRow("10 MB input line: cut at the value limit")
        << "[General]\nnumCats=1\n[cat1]\nnumInputs=1\ninput1=up|Up|" + QByteArray(10 << 20, 'k') +
               "\n"
        << 1 << 1 << "up" << QString(2499 - 6, u'k');
    QTest::newRow("1,000,000 lines of other keys")
        << "[General]\nnumCats=1\n[cat1]\nnumInputs=1\n" + HostileFiles::Repeated("x=1", 1000000) +
               "input1=up|Up|U\n"
        << 1 << 1 << "up"
        << "U";
    QTest::newRow("byte-order mark, CR-only line ends")
        << QByteArray("\xEF\xBB\xBF[General]\rnumCats=1\r[cat1]\rnumInputs=1\rinput1=up|Up|U\r")
        << 1 << 1 << "up"
        << "U";
    QTest::newRow("invalid UTF-8 is Latin-1")
        << QByteArray("[General]\r\nnumCats=1\n[cat1]\rnumInputs=1\r\ninput1=\xE9|\xC9|\xFF\n") << 1
        << 1 << QString::fromLatin1("\xE9") << QString::fromLatin1("\xFF");
    QTest::newRow("numCats 32767, numInputs 32767: at most 32767 inputs")
        << QByteArray(
               "[General]\nnumCats=32767\n[cat1]\nnumInputs=32767\n[cat2]\nnumInputs=32767\n")
        << 32767 << 32767 << ""
        << "";
    QTest::newRow("numCats -32768")
        << QByteArray("[General]\nnumCats=-32768\n[cat1]\nnumInputs=1\n") << 0 << 0 << ""
        << "";
    QTest::newRow("numCats 32768 is no 16-bit number")
        << QByteArray("[General]\nnumCats=32768\n[cat1]\nnumInputs=1\n") << 0 << 0 << ""
        << "";
    QTest::newRow("numInputs -32768")
        << QByteArray("[General]\nnumCats=2\n[cat1]\nnumInputs=-32768\n[cat2]\nnumInputs=1\n"
                      "input1=b|B|X\n")
        << 2 << 1 << "b"
        << "X";
}

void tst_HostileControls::definitions() {
    QFETCH(QByteArray, defs);
    QFETCH(int, numCats);
    QFETCH(int, inputs);
    QFETCH(QString, firstKey);
    QFETCH(QString, firstDefault);
    TestAppFolder app;
    app.write("dovrel/controldef.ini", defs);
    const ControlTables t = ControlDefinitions::ReadControlTables(app.path());
    QCOMPARE(int(t.numCats), numCats);
    QCOMPARE(t.inputCount(), inputs);
    QCOMPARE(int(t.CatIndex.size()), numCats);
    int next = 1;
    for (const CategoryEntry& category : t.CatIndex) {
        QCOMPARE(category.first, next);
        QVERIFY(category.count >= 0);
        next += category.count;
    }
    QCOMPARE(next, inputs + 1);
    if (inputs > 0) {
        QCOMPARE(t.InputList[1].iniKey, firstKey);
        QCOMPARE(t.InputList[1].defaultBinding, firstDefault);
    }
    QCOMPARE(app.read("dovrel/controldef.ini"), defs);
}

void tst_HostileControls::emulatorFile_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("upBinding");
    QTest::addColumn<QByteArray>("afterPlainSave"); // empty: every other byte kept, see below

    QTest::newRow("binary garbage") << HostileFiles::Garbage(1 << 16, 32) << "" << QByteArray();
    QTest::newRow("NUL in a value")
        << QByteArrayLiteral("[Player 1]\nup=A\0B\nrumble=on\n") << QString::fromUtf8("A\0B", 3)
        << QByteArrayLiteral("[Player 1]\nup=A\0B\nrumble=on\nfire=Space\n");
    QTest::newRow("10 MB line kept")
        << "[Player 1]\nlong=" + QByteArray(10 << 20, 'l') + "\nup=U\n"
        << "U"
        << "[Player 1]\nlong=" + QByteArray(10 << 20, 'l') + "\nup=U\nfire=Space\n";
    QTest::newRow("1,000,000 lines kept")
        << "[Player 1]\n" + HostileFiles::Repeated("x=1", 1000000) + "up=U\n"
        << "U"
        << "[Player 1]\n" + HostileFiles::Repeated("x=1", 1000000) + "up=U\nfire=Space\n";
    QTest::newRow("byte-order mark and CR kept")
        << QByteArray("\xEF\xBB\xBF[Player 1]\rup = \"U\"\r") << "U"
        << QByteArray("\xEF\xBB\xBF[Player 1]\rup=U\rfire=Space\r");
    QTest::newRow("Latin-1 bytes kept")
        << QByteArray("[Player 1]\r\nup=\xC4\r\nx=\xE9\xFF\r\n") << QString::fromLatin1("\xC4")
        << QByteArray("[Player 1]\r\nup=\xC4\r\nx=\xE9\xFF\r\nfire=Space\r\n");
}

void tst_HostileControls::emulatorFile() {
    QFETCH(QByteArray, file);
    QFETCH(QString, upBinding);
    QFETCH(QByteArray, afterPlainSave);
    TestAppFolder app;
    app.write("dovrel/controldef.ini", kDefs);
    app.write("emu.ini", file);
    const ControlTables t = ControlDefinitions::ReadControlTables(app.path());
    QCOMPARE(t.InputList[1].binding, upBinding);
    QCOMPARE(save(app, t, 0), BindingsWriter::Outcome::Saved);
    const QByteArray written = app.read("emu.ini");
    ControlTables reread = t;
    if (afterPlainSave.isEmpty()) {
        const auto withoutEnds = [](QByteArray b) { return b.replace('\r', "").replace('\n', ""); };
        QVERIFY(withoutEnds(written).startsWith(withoutEnds(file)));
        reread = ControlDefinitions::ReadControlTables(app.path());
        QCOMPARE(reread.InputList[1].binding, QString("Up Arrow"));
        QCOMPARE(reread.InputList[2].binding, QString("Space"));
    } else {
        QCOMPARE(written, afterPlainSave);
    }

    // Rewrite mode makes the file hold exactly the defined bindings, whatever it held.
    QCOMPARE(save(app, reread, 1), BindingsWriter::Outcome::Saved);
    QCOMPARE(ReadIni(app.file("emu.ini"), "Player 1", "fire"), QString("Space"));
    QVERIFY(app.read("emu.ini").size() < 1000);
}

void tst_HostileControls::mostInputsSaveInSeconds_data() {
    QTest::addColumn<int>("mode");
    QTest::newRow("plain") << 0;
    QTest::newRow("rewrite") << 1;
}

void tst_HostileControls::mostInputsSaveInSeconds() {
    // 32,767 inputs, each its own key, into a file that has a second section after the first:
    // a write that looked through the whole file for each key took many minutes.
    QFETCH(int, mode);
    TestAppFolder app;
    app.write("dovrel/controldef.ini",
              "[General]\niniName=emu.ini\nnumCats=1\n[cat1]\nKeyName=[ P 1 ]\nnumInputs=32767\n" +
                  HostileFiles::Numbered("input%1=key%1|Key %1|K%1\n", 32767));
    app.write("emu.ini", "[P 1]\nkey7=Seven\n[Other]\nkept=1\n");
    const ControlTables t = ControlDefinitions::ReadControlTables(app.path());
    QCOMPARE(t.inputCount(), 32767);
    QCOMPARE(t.InputList[7].binding, QString("Seven"));
    QCOMPARE(save(app, t, mode), BindingsWriter::Outcome::Saved);
    const ControlTables reread = ControlDefinitions::ReadControlTables(app.path());
    QCOMPARE(reread.InputList[7].binding, QString("Seven"));
    QCOMPARE(reread.InputList[32767].binding, QString("K32767"));
    QCOMPARE(ReadIni(app.file("emu.ini"), "Other", "kept"), mode == 0 ? QString("1") : QString());
    if (mode == 1)
        QVERIFY(app.read("emu.ini").startsWith("[ P 1 ]\r\nkey1 = \"K1\"\r\n"));
}

void tst_HostileControls::mostCategoriesRewriteInSeconds() {
    // 32,767 categories whose headers carry blanks: putting each header back by a pass over
    // the whole file took minutes.
    TestAppFolder app;
    app.write("dovrel/controldef.ini",
              "[General]\niniName=emu.ini\nCIniType=1\nnumCats=32767\n" +
                  HostileFiles::Numbered("[cat%1]\nKeyName=[ c %1 ]\nnumInputs=1\ninput1=k|K|%1\n", 32767));
    const ControlTables t = ControlDefinitions::ReadControlTables(app.path());
    QCOMPARE(t.inputCount(), 32767);
    QCOMPARE(save(app, t, 1), BindingsWriter::Outcome::Saved);
    const QByteArray written = app.read("emu.ini");
    QVERIFY(written.startsWith("[ c 1 ]\r\nk = \"1\"\r\n\r\n[ c 2 ]\r\n"));
    QVERIFY(written.endsWith("[ c 32767 ]\r\nk = \"32767\"\r\n"));
    QCOMPARE(ReadIni(app.file("emu.ini"), "c 16000", "k"), QString("16000"));
}

void tst_HostileControls::emulatorFileNotWritable_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("mode");
    for (const char* kind : {"directory", "fifo", "fifo behind a link", "below a regular file"}) {
        QTest::addRow("%s, plain", kind) << kind << 0;
        QTest::addRow("%s, rewrite", kind) << kind << 1;
    }
}

void tst_HostileControls::emulatorFileNotWritable() {
    QFETCH(QString, kind);
    QFETCH(int, mode);
    TestAppFolder app;
    QByteArray defs = kDefs;
    QString emulatorIni = app.file("emu.ini");
    if (kind == "directory") {
        app.write("emu.ini/inside", "kept");
    } else if (kind == "fifo") {
        QVERIFY(HostileFiles::MakeFifo(emulatorIni));
    } else if (kind == "fifo behind a link") {
        QVERIFY(HostileFiles::MakeFifo(app.file("fifo")));
        QVERIFY(QFile::link(app.file("fifo"), emulatorIni));
    } else {
        emulatorIni = HostileFiles::BelowRegularFile(app.path(), "emu.ini");
        defs.replace("iniName=emu.ini", "iniName=not-a-folder/emu.ini");
    }
    app.write("dovrel/controldef.ini", defs);
    const FifoWatch watch(kind == "fifo behind a link" ? app.file("fifo") : emulatorIni);
    const ControlTables t = ControlDefinitions::ReadControlTables(app.path());
    QCOMPARE(t.InputList[1].binding, QString());
    QCOMPARE(save(app, t, mode), BindingsWriter::Outcome::Failed);
    QVERIFY(!watch.releasedABlockedReader());
    if (kind == "directory")
        QCOMPARE(app.read("emu.ini/inside"), QByteArray("kept"));
    else if (kind == "fifo")
        QVERIFY(HostileFiles::IsFifo(emulatorIni));
    else if (kind == "fifo behind a link")
        QVERIFY(HostileFiles::IsFifo(app.file("fifo")) && QFileInfo(emulatorIni).isSymLink());
    else
        QCOMPARE(app.read("not-a-folder"), QByteArray("a regular file where a folder should be\n"));
}

void tst_HostileControls::readOnlyFileSystem() {
    TestAppFolder app;
    SmallTmpfs disk(app.file("ro"), 64);
    if (!disk.mounted())
        QSKIP(qPrintable("no tmpfs can be mounted here: " + disk.error()));
    QByteArray defs = kDefs;
    app.write("dovrel/controldef.ini", defs.replace("iniName=emu.ini", "iniName=ro/emu.ini"));
    const QByteArray file = "[Player 1]\nup=U\n";
    app.write("ro/emu.ini", file);
    QVERIFY(disk.makeReadOnly());
    const ControlTables t = ControlDefinitions::ReadControlTables(app.path());
    QCOMPARE(t.InputList[1].binding, QString("U"));
    QCOMPARE(save(app, t, 0), BindingsWriter::Outcome::Failed);
    QCOMPARE(save(app, t, 1), BindingsWriter::Outcome::Failed);
    QCOMPARE(app.read("ro/emu.ini"), file);
}

void tst_HostileControls::keyNames_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("name");
    QTest::newRow("binary garbage") << HostileFiles::Garbage(1 << 16, 33) << 65 << "unknown:65";
    QTest::newRow("NUL in a name")
        << QByteArrayLiteral("[ScanCodes]\n65=A\0B\n") << 65 << QString::fromUtf8("A\0B", 3);
    QTest::newRow("Latin-1, CR-only")
        << QByteArray("[ScanCodes]\r192=\xD6\r") << 192 << QString::fromLatin1("\xD6");
    QTest::newRow("code -32768") << QByteArray("[ScanCodes]\n-32768=Low\n") << -32768 << "Low";
    QTest::newRow("empty name") << QByteArray("[ScanCodes]\n65=|Right\n") << 65 << "";
}

void tst_HostileControls::keyNames() {
    QFETCH(QByteArray, file);
    QFETCH(int, code);
    QFETCH(QString, name);
    TestAppFolder app;
    app.write("dovrel/scancodes.ini", file);
    QCOMPARE(ScanCodeName(AppPaths::keyNames(app.path()), qint16(code), 0), name);
}

QTEST_GUILESS_MAIN(tst_HostileControls)
#include "tst_HostileControls.moc"

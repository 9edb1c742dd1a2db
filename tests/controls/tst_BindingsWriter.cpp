#include "controls/BindingsWriter.h"

#include "base/Ini.h"
#include "controls/ControlTables.h"

#include <QDir>
#include <QRegularExpression>
#include <QtTest>

#include "common/FileFaults.h"
#include "common/TestAppFolder.h"

// Saving the bindings in both dialects, compared byte for byte with golden files.
class tst_BindingsWriter : public QObject {
    Q_OBJECT
private slots:
    void goldenSave_data();
    void goldenSave();
    void rewriteEqualsTheStepsOneByOne_data();
    void rewriteEqualsTheStepsOneByOne();
    void keyNameIsReadAgainWhenSaving_data();
    void keyNameIsReadAgainWhenSaving();
    void nothingToSave_data();
    void nothingToSave();
    void failedSaveLeavesFile_data();
    void failedSaveLeavesFile();
    void savingAgainChangesNothing_data();
    void savingAgainChangesNothing();
};

namespace {

const QString kEmu = QStringLiteral("emu.ini");

// Captures as "n=value", n the input number; the value may itself hold "=".
void applyCaptures(ControlTables& tables, const QStringList& captures) {
    for (const QString& capture : captures) {
        const qsizetype eq = capture.indexOf(u'=');
        tables.InputList[capture.left(eq).toInt()].binding = capture.mid(eq + 1);
    }
}

BindingsWriter::Outcome saveIn(const TestAppFolder& app, const QStringList& captures = {}) {
    ControlTables tables = ControlDefinitions::ReadControlTables(app.path());
    applyCaptures(tables, captures);
    const IniSnapshot defs(app.file("dovrel/controldef.ini"));
    return BindingsWriter(tables, defs)
        .save(ControlDefinitions::emulatorIniFile(app.path(), tables.EmuIniName));
}

// The rewrite as the steps describe it, one file operation after the other.
QByteArray rewriteStepByStep(const TestAppFolder& app, const QStringList& captures) {
    ControlTables tables = ControlDefinitions::ReadControlTables(app.path());
    applyCaptures(tables, captures);
    const QString defs = app.file("dovrel/controldef.ini");
    const QString file = app.file(kEmu);
    QFile::remove(file);
    for (int c = 1; c <= tables.numCats; ++c) {
        QString section = ReadIni(defs, ControlDefinitions::categorySection(c), "KeyName");
        section.remove('[').remove(']');
        const CategoryEntry& category = tables.CatIndex[c - 1];
        for (int n = category.first; n < category.first + category.count; ++n) {
            const InputRow& row = tables.InputList[n];
            const QString value = row.binding.isEmpty() ? row.defaultBinding : row.binding;
            WriteIni(file, section, row.iniKey + " ", " \"" + value + "\"");
        }
    }
    QStringList lines = QString::fromUtf8(app.read(kEmu)).split(QRegularExpression("\r\n|\r|\n"));
    if (lines.last().isEmpty())
        lines.removeLast();
    // Header lines take KeyName's spelling and each entry's first "=" a blank before it; the
    // values are left as written.
    for (QString& line : lines) {
        if (!line.startsWith('[')) {
            if (line.contains('='))
                line.replace(line.indexOf('='), 1, " =");
            continue;
        }
        for (int c = 1; c <= tables.numCats; ++c) {
            const QString keyName =
                ReadIni(defs, ControlDefinitions::categorySection(c), "KeyName");
            QString bare = keyName;
            bare = bare.remove('[').remove(']').trimmed();
            line.replace("[" + bare + "]", keyName);
        }
    }
    return (lines.join("\r\n") + "\r\n").toUtf8();
}

} // namespace

void tst_BindingsWriter::goldenSave_data() {
    QTest::addColumn<QString>("definitions");
    QTest::addColumn<QString>("before"); // empty: no emulator file yet
    QTest::addColumn<QStringList>("captures");
    QTest::addColumn<QString>("expected");

    QTest::newRow("plain: foreign keys stay, defaults added, quotes dropped")
        << "defs-plain.ini"
        << "emu-before.ini" << QStringList() << "plain-untouched.expected";
    QTest::newRow("plain: captured bindings, \"=\" as a binding")
        << "defs-plain.ini"
        << "emu-before.ini" << QStringList{"3=Right Alt", "4=="} << "plain-captured.expected";
    QTest::newRow("plain: new file holds the defaults")
        << "defs-plain.ini"
        << "" << QStringList() << "plain-new.expected";
    QTest::newRow("plain: load and save again changes nothing")
        << "defs-plain.ini"
        << "plain-untouched.expected" << QStringList() << "plain-untouched.expected";
    QTest::newRow("rewrite: foreign keys gone, KeyName headers kept")
        << "defs-rewrite.ini"
        << "emu-before.ini" << QStringList() << "rewrite-existing.expected";
    QTest::newRow("rewrite: a binding of \"=\" is written as it is")
        << "defs-rewrite.ini"
        << "emu-before.ini" << QStringList{"3=Right Alt", "4=="} << "rewrite-captured.expected";
    QTest::newRow("rewrite: new file holds the defaults")
        << "defs-rewrite.ini"
        << "" << QStringList() << "rewrite-new.expected";
    QTest::newRow("rewrite: load and save keep one pair of quotes")
        << "defs-rewrite.ini"
        << "rewrite-existing.expected" << QStringList() << "rewrite-existing.expected";
}

void tst_BindingsWriter::goldenSave() {
    QFETCH(QString, definitions);
    QFETCH(QString, before);
    QFETCH(QStringList, captures);
    QFETCH(QString, expected);
    TestAppFolder app;
    app.write("dovrel/controldef.ini", TestData("save/" + definitions));
    if (!before.isEmpty())
        app.write(kEmu, TestData("save/" + before));
    QCOMPARE(saveIn(app, captures), BindingsWriter::Outcome::Saved);
    QCOMPARE(app.read(kEmu), TestData("save/" + expected));
}

void tst_BindingsWriter::rewriteEqualsTheStepsOneByOne_data() {
    QTest::addColumn<QByteArray>("definitions");
    QTest::addColumn<QStringList>("captures");
    const QByteArray demo = TestData("save/defs-rewrite.ini");
    QTest::newRow("demo definitions") << demo << QStringList();
    QTest::newRow("captures with = and quotes") << demo << QStringList{"1=a=b", "2=\"q\"", "5= x"};
    QTest::newRow("two categories, one header")
        << QByteArray("[General]\niniName=emu.ini\nCIniType=1\nnumCats=2\n"
                      "[cat1]\nKeyName=[Pad]\nnumInputs=1\ninput1=a|A|1\n"
                      "[cat2]\nKeyName=[ pad ]\nnumInputs=1\ninput1=b|B|2\n")
        << QStringList();
    QTest::newRow("header text inside a value")
        << QByteArray("[General]\niniName=emu.ini\nCIniType=1\nnumCats=1\n"
                      "[cat1]\nKeyName=[  P 1  ]\nnumInputs=2\ninput1=a|A|[P 1]\ninput2=b|B|\n")
        << QStringList();
}

void tst_BindingsWriter::rewriteEqualsTheStepsOneByOne() {
    QFETCH(QByteArray, definitions);
    QFETCH(QStringList, captures);
    TestAppFolder app;
    app.write("dovrel/controldef.ini", definitions);
    app.write(kEmu, "[junk]\nx=1\n");
    const QByteArray reference = rewriteStepByStep(app, captures);
    app.write(kEmu, "[junk]\nx=1\n");
    QCOMPARE(saveIn(app, captures), BindingsWriter::Outcome::Saved);
    QCOMPARE(app.read(kEmu), reference);
}

void tst_BindingsWriter::keyNameIsReadAgainWhenSaving_data() {
    QTest::addColumn<QString>("definitions");
    QTest::addColumn<QByteArray>("expectedStart");
    QTest::newRow("plain") << "defs-plain.ini" << QByteArray("[Pad One]\nup=Up Arrow\n");
    QTest::newRow("rewrite") << "defs-rewrite.ini"
                             << QByteArray("[Pad One]\r\nup = \"Up Arrow\"\r\n");
}

void tst_BindingsWriter::keyNameIsReadAgainWhenSaving() {
    QFETCH(QString, definitions);
    QFETCH(QByteArray, expectedStart);
    TestAppFolder app;
    app.write("dovrel/controldef.ini", TestData("save/" + definitions));
    const ControlTables tables = ControlDefinitions::ReadControlTables(app.path());
    app.write("dovrel/controldef.ini",
              TestData("save/" + definitions).replace("[ Player 1 ]", "[Pad One]"));
    const IniSnapshot defs(app.file("dovrel/controldef.ini"));
    QCOMPARE(BindingsWriter(tables, defs).save(app.file(kEmu)), BindingsWriter::Outcome::Saved);
    QVERIFY2(app.read(kEmu).startsWith(expectedStart), app.read(kEmu).constData());
}

void tst_BindingsWriter::nothingToSave_data() {
    QTest::addColumn<QByteArray>("definitions");
    for (const char* mode : {"0", "1"}) {
        const QByteArray general = QByteArray("[General]\nCIniType=") + mode + "\n";
        QTest::addRow("mode %s: no iniName", mode)
            << general + "numCats=1\n[cat1]\nKeyName=[a]\nnumInputs=1\ninput1=k|K|v\n";
        QTest::addRow("mode %s: empty iniName", mode)
            << general + "iniName=\nnumCats=1\n[cat1]\nKeyName=[a]\nnumInputs=1\ninput1=k|K|v\n";
        QTest::addRow("mode %s: no category", mode) << general + "iniName=emu.ini\nnumCats=0\n";
        QTest::addRow("mode %s: no input", mode)
            << general + "iniName=emu.ini\nnumCats=2\n[cat1]\nnumInputs=0\n[cat2]\nKeyName=[b]\n";
    }
}

void tst_BindingsWriter::nothingToSave() {
    QFETCH(QByteArray, definitions);
    TestAppFolder app;
    app.write("dovrel/controldef.ini", definitions);
    QCOMPARE(saveIn(app), BindingsWriter::Outcome::NothingToSave);
    QVERIFY(!app.exists(kEmu));
    const QByteArray old = "[a]\nk=old\nother=1\n";
    app.write(kEmu, old);
    QCOMPARE(saveIn(app), BindingsWriter::Outcome::NothingToSave);
    QCOMPARE(app.read(kEmu), old);
    QCOMPARE(QDir(app.path()).entryList(QDir::Files), QStringList{kEmu});
}

void tst_BindingsWriter::failedSaveLeavesFile_data() {
    QTest::addColumn<QString>("definitions");
    QTest::addColumn<QString>("iniName");
    QTest::addColumn<bool>("failCommit");
    QTest::addColumn<QByteArray>("badInput"); // replaces input1 of cat1 when not empty
    for (const char* defs : {"defs-plain.ini", "defs-rewrite.ini"}) {
        QTest::addRow("%s: file is a folder", defs) << defs << "adir" << false << QByteArray();
        QTest::addRow("%s: parent is a file", defs)
            << defs << "plainfile/emu.ini" << false << QByteArray();
        QTest::addRow("%s: rename fails", defs) << defs << "emu.ini" << true << QByteArray();
        QTest::addRow("%s: key the file cannot hold", defs)
            << defs << "emu.ini" << false << QByteArray("input1=a=b|A|1");
    }
}

void tst_BindingsWriter::failedSaveLeavesFile() {
    QFETCH(QString, definitions);
    QFETCH(QString, iniName);
    QFETCH(bool, failCommit);
    QFETCH(QByteArray, badInput);
    TestAppFolder app;
    QByteArray defs =
        TestData("save/" + definitions).replace("iniName=emu.ini", "iniName=" + iniName.toUtf8());
    if (!badInput.isEmpty())
        defs.replace("input1=up|Up|Up Arrow", badInput);
    app.write("dovrel/controldef.ini", defs);
    QDir(app.path()).mkdir("adir");
    app.write("plainfile", "not a folder");
    const QByteArray old = TestData("save/emu-before.ini");
    app.write(kEmu, old);
    if (failCommit)
        FileFaults::failNextCommitOnto(app.file(kEmu));
    QCOMPARE(saveIn(app), BindingsWriter::Outcome::Failed);
    QCOMPARE(app.read(kEmu), old);
    QCOMPARE(app.read("plainfile"), QByteArray("not a folder"));
}

void tst_BindingsWriter::savingAgainChangesNothing_data() {
    QTest::addColumn<QString>("definitions");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QStringList>("captures");
    QTest::addColumn<QByteArray>("saved"); // bytes the first save must hold
    for (const bool rewrite : {false, true}) {
        const char* defs = rewrite ? "defs-rewrite.ini" : "defs-plain.ini";
        QTest::addRow("%s: \"=\" inside a binding", defs)
            << defs << QByteArray() << QStringList{"1=a=b", "4=="}
            << QByteArray(rewrite ? "up = \"a=b\"\r\n" : "up=a=b\n");
        QTest::addRow("%s: a header inside a binding", defs)
            << defs << QByteArray() << QStringList{"2=[System]"}
            << QByteArray(rewrite ? "fire = \"[System]\"\r\n" : "fire=[System]\n");
        QTest::addRow("%s: 8-bit file", defs)
            << defs << QByteArray("[ Player 1 ]\r\nup = \"Fl\xe8" "che\"\r\n") << QStringList()
            << QByteArray("Fl\xe8" "che");
        QTest::addRow("%s: UTF-8 file with a byte-order mark", defs)
            << defs << QByteArray("\xef\xbb\xbf[ Player 1 ]\r\nup = \"Fl\xc3\xa8" "che\"\r\n")
            << QStringList() << QByteArray("Fl\xc3\xa8" "che");
    }
}

void tst_BindingsWriter::savingAgainChangesNothing() {
    QFETCH(QString, definitions);
    QFETCH(QByteArray, before);
    QFETCH(QStringList, captures);
    QFETCH(QByteArray, saved);
    TestAppFolder app;
    app.write("dovrel/controldef.ini", TestData("save/" + definitions));
    if (!before.isEmpty())
        app.write(kEmu, before);
    ControlTables first = ControlDefinitions::ReadControlTables(app.path());
    applyCaptures(first, captures);
    const IniSnapshot defs(app.file("dovrel/controldef.ini"));
    QCOMPARE(BindingsWriter(first, defs).save(app.file(kEmu)), BindingsWriter::Outcome::Saved);
    const QByteArray once = app.read(kEmu);
    QVERIFY2(once.contains(saved), once.constData());
    if (before.startsWith("\xef\xbb\xbf"))
        QVERIFY(once.startsWith("\xef\xbb\xbf"));
    // Every binding reads back as saved, and a second save writes the same bytes.
    const ControlTables loaded = ControlDefinitions::ReadControlTables(app.path());
    for (size_t n = 1; n < first.InputList.size(); ++n)
        QCOMPARE(loaded.InputList[n].binding, BindingsWriter(first, defs).valueOf(int(n)));
    QCOMPARE(BindingsWriter(loaded, defs).save(app.file(kEmu)), BindingsWriter::Outcome::Saved);
    QCOMPARE(app.read(kEmu), once);
}

QTEST_APPLESS_MAIN(tst_BindingsWriter)
#include "tst_BindingsWriter.moc"

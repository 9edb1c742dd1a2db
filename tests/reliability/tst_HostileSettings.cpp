#include "base/AppPaths.h"
#include "base/Ini.h"
#include "base/Settings.h"
#include "session/GameSession.h"
#include "shell/frmMain.h"

#include <QtTest>

#include "FifoWatch.h"
#include "HostileFiles.h"
#include "SmallTmpfs.h"
#include "common/FakeDialogs.h"
#include "common/StderrCapture.h"
#include "common/TestAppFolder.h"

// dovrel/dovrel.ini, the front-end settings, as no emulator package should ship it: every value
// gets a defined result, no write loses a line it does not change, and files that cannot be
// read or written leave the program with its defaults and the file as it was.
namespace {

const QByteArray kSettings = "[Settings]\nRomPath=/roms/\nSendRomPath=1\nRomPathinQuotes=1\n"
                             "RomExt=.zip\nShowConfig=0\nShowMissingRoms=0\n";

struct Read {
    FrontEndSettings settings;
    QStringList warnings;
};

Read readSettings(const QString& appDir) {
    Read r;
    StderrCapture stderrCapture;
    r.settings = ReadFrontEndSettings(appDir);
    r.warnings = stderrCapture.lines();
    return r;
}

} // namespace

class tst_HostileSettings : public QObject {
    Q_OBJECT
private slots:
    void read_data();
    void read();
    void bigFiles_data();
    void bigFiles();
    void writeKeepsEveryOtherLine_data();
    void writeKeepsEveryOtherLine();
    void valueTheFileCannotHoldIsRefused();
    void manyKeysInOneWrite();
    void directoryInsteadOfFile();
    void fifoInsteadOfFile();
    void folderIsARegularFile();
    void readOnlyFileSystem();
    void startupEndsWithMessage_data();
    void startupEndsWithMessage();
};

void tst_HostileSettings::read_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("exe");
    QTest::addColumn<int>("startLine");
    QTest::addColumn<int>("romLen");
    QTest::addColumn<int>("helpEnd");
    QTest::addColumn<int>("warnings");

    const QByteArray garbage = HostileFiles::Garbage(1 << 20, 1);
    QTest::newRow("binary garbage") << kSettings + garbage << ""
                                    << "" << 0 << 0 << 0 << 3;
    QTest::newRow("garbage after the keys")
        << "[Parse]\nExeName=emu\nGameListStartLine=3\n" + garbage + "\n" + kSettings << ""
        << "emu" << 3 << 0 << 0 << 2;
    QTest::newRow("NUL inside values")
        << QByteArrayLiteral(
               "[Parse]\nWindowCaption=a\0b\nExeName=demo\0emu\nGameListStartLine=3\0\n"
               "GameListRomLen=9\nHelpEndLine=2\n") +
               kSettings
        << QString::fromUtf8("a\0b", 3) << QString::fromUtf8("demo\0emu", 8) << 0 << 9 << 2 << 1;
    QTest::newRow("NUL inside the section name")
        << QByteArrayLiteral("[Pa\0rse]\nExeName=emu\nGameListStartLine=3\nGameListRomLen=9\n"
                             "HelpEndLine=2\n") +
               kSettings
        << ""
        << "" << 0 << 0 << 0 << 3;
    QTest::newRow("UTF-8 byte-order mark")
        << "\xEF\xBB\xBF[Parse]\nWindowCaption=Caf\xC3\xA9\nExeName=emu\nGameListStartLine=3\n"
           "GameListRomLen=9\nHelpEndLine=2\n" +
               kSettings
        << QString::fromUtf8("Caf\xC3\xA9") << "emu" << 3 << 9 << 2 << 0;
    QTest::newRow("second byte-order mark is a character")
        << "\xEF\xBB\xBF\xEF\xBB\xBF[Parse]\nExeName=emu\n" + kSettings << ""
        << "" << 0 << 0 << 0 << 3;
    QTest::newRow("invalid UTF-8 reads as Latin-1")
        << "[Parse]\nWindowCaption=Caf\xE9 \xFF\xC0\xAF\nExeName=emu\nGameListStartLine=3\n"
           "GameListRomLen=9\nHelpEndLine=2\n" +
               kSettings
        << QString::fromLatin1("Caf\xE9 \xFF\xC0\xAF") << "emu" << 3 << 9 << 2 << 0;
    QTest::newRow("CR-only line ends")
        << QByteArray("[Parse]\rExeName=emu\rGameListStartLine=3\rGameListRomLen=9\r"
                      "HelpEndLine=2\r") +
               kSettings
        << ""
        << "emu" << 3 << 9 << 2 << 0;
    QTest::newRow("mixed line ends")
        << QByteArray("[Parse]\r\nExeName=emu\rGameListStartLine=3\n\r\nGameListRomLen=9\n\r"
                      "HelpEndLine=2\r\n") +
               kSettings
        << ""
        << "emu" << 3 << 9 << 2 << 0;
    QTest::newRow("16-bit limits")
        << "[Parse]\nGameListStartLine=32767\nGameListRomLen=-32768\nHelpEndLine=-1\n" + kSettings
        << ""
        << "" << 32767 << -32768 << -1 << 0;
    QTest::newRow("one past the limits count as 0")
        << "[Parse]\nGameListStartLine=32768\nGameListRomLen=-32769\nHelpEndLine=2\n" + kSettings
        << ""
        << "" << 0 << 0 << 2 << 2;
    QTest::newRow("enormous numbers count as 0")
        << "[Parse]\nGameListStartLine=99999999999999999999999999\nGameListRomLen=1e400\n"
           "HelpEndLine=&HFFFF\n" +
               kSettings
        << ""
        << "" << 0 << 0 << 0 << 3;
}

void tst_HostileSettings::read() {
    QFETCH(QByteArray, file);
    QFETCH(QString, caption);
    QFETCH(QString, exe);
    QFETCH(int, startLine);
    QFETCH(int, romLen);
    QFETCH(int, helpEnd);
    QFETCH(int, warnings);
    TestAppFolder app;
    app.write("dovrel/dovrel.ini", file);
    const Read r = readSettings(app.path());
    QCOMPARE(r.settings.WindowCaption, caption);
    QCOMPARE(r.settings.ExeName, exe);
    QCOMPARE(int(r.settings.GameListStartLine), startLine);
    QCOMPARE(int(r.settings.GameListRomLen), romLen);
    QCOMPARE(int(r.settings.HelpEndLine), helpEnd);
    QCOMPARE(r.warnings.size(), warnings);
    QCOMPARE(app.read("dovrel/dovrel.ini"), file); // reading changes nothing
}

// Big files are read key by key, twelve times over at start-up; two keys show the outcome.
void tst_HostileSettings::bigFiles_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("exe");
    QTest::newRow("10 MB value: its first 2499 characters")
        << "[Parse]\nWindowCaption=" + QByteArray(10 << 20, 'x') + "\nExeName=emu\n"
        << QString(2499, u'x') << "emu";
    QTest::newRow("10 MB without a line end") << QByteArray(10 << 20, '=') << ""
                                              << "";
    QTest::newRow("1,000,000 lines before the keys")
        << HostileFiles::Repeated("junk line", 1000000) + "[Parse]\nWindowCaption=c\nExeName=emu\n"
        << "c"
        << "emu";
}

void tst_HostileSettings::bigFiles() {
    QFETCH(QByteArray, file);
    QFETCH(QString, caption);
    QFETCH(QString, exe);
    TestAppFolder app;
    app.write("dovrel/dovrel.ini", file);
    const QString path = AppPaths::settingsFile(app.path());
    QCOMPARE(ReadIni(path, "Parse", "WindowCaption"), caption);
    QCOMPARE(ReadIni(path, "Parse", "ExeName"), exe);
}

void tst_HostileSettings::writeKeepsEveryOtherLine_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("after"); // the bytes the write leaves; empty: see below
    // Lines keep their bytes; line ends become the file's first one.
    QTest::newRow("binary garbage") << HostileFiles::Garbage(1 << 16, 2) << QByteArray();
    const QByteArray head = QByteArrayLiteral("[Parse]\nExeName=a\0b\nx=\xE9\xFF\nlong=");
    QTest::newRow("NUL, invalid UTF-8 and a 10 MB line keep their bytes")
        << head + QByteArray(10 << 20, 'y') + "\n[Settings]\nRomPath=old\nRomExt=.zip\n"
        << head + QByteArray(10 << 20, 'y') + "\n[Settings]\nRomPath=/new/\nRomExt=.zip\n";
    QTest::newRow("CR-only file gets CR")
        << QByteArray("[Parse]\rExeName=emu\r")
        << QByteArray("[Parse]\rExeName=emu\r\r[Settings]\rRomPath=/new/\r");
    QTest::newRow("mixed ends become the first one")
        << QByteArray("[Settings]\r\nRomExt=.zip\nShowConfig=1\r")
        << QByteArray("[Settings]\r\nRomExt=.zip\r\nShowConfig=1\r\nRomPath=/new/\r\n");
    QTest::newRow("byte-order mark kept") << QByteArray("\xEF\xBB\xBF[Settings]\nRomPath=old")
                                          << QByteArray("\xEF\xBB\xBF[Settings]\nRomPath=/new/");
}

void tst_HostileSettings::writeKeepsEveryOtherLine() {
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, after);
    TestAppFolder app;
    app.write("dovrel/dovrel.ini", file);
    const QString path = AppPaths::settingsFile(app.path());
    QVERIFY(WriteIni(path, "Settings", "RomPath", "/new/"));
    const QByteArray written = app.read("dovrel/dovrel.ini");
    if (after.isEmpty()) {
        // Every byte but the line ends is still there, in order, with the new key after it.
        const auto withoutEnds = [](QByteArray b) { return b.replace('\r', "").replace('\n', ""); };
        QVERIFY(withoutEnds(written).startsWith(withoutEnds(file)));
        QVERIFY(withoutEnds(written).endsWith("[Settings]RomPath=/new/"));
    } else {
        QCOMPARE(written, after);
    }
    QCOMPARE(ReadIni(path, "Settings", "RomPath"), QString("/new/"));
}

void tst_HostileSettings::valueTheFileCannotHoldIsRefused() {
    TestAppFolder app;
    const QByteArray latin1 = "[Settings]\nRomPath=/roms/caf\xE9/\n";
    app.write("dovrel/dovrel.ini", latin1);
    const QString path = AppPaths::settingsFile(app.path());
    // An 8-bit file cannot hold Greek letters; writing UTF-8 into it would garble its "é".
    QVERIFY(
        !WriteIni(path, "Settings", "RomPath", QString::fromUtf8("/\xCF\x81\xCE\xBF\xCE\xBC/")));
    QCOMPARE(app.read("dovrel/dovrel.ini"), latin1);
    QVERIFY(!WriteIni(path, "Settings", "RomPath", "two\nlines"));
    QVERIFY(!WriteIni(path, "Settings", "Rom=Path", "x"));
    QVERIFY(!WriteIni(path, "Sett]ings", "RomPath", "x"));
    QCOMPARE(app.read("dovrel/dovrel.ini"), latin1);
}

void tst_HostileSettings::manyKeysInOneWrite() {
    // 100,000 new keys in one write, most into a section that another one follows. A writer that
    // looked through the file once per key would need hours; one pass needs a second.
    TestAppFolder app;
    app.write("dovrel/dovrel.ini", "[Settings]\nRomPath=/r/\n[Parse]\nExeName=emu\n");
    std::vector<IniEntry> entries;
    for (int i = 0; i < 100000; ++i)
        entries.push_back(
            {i % 10 ? "Settings" : "New", "k" + QString::number(i), QString::number(i)});
    const QString path = AppPaths::settingsFile(app.path());
    QVERIFY(WriteIniEntries(path, entries));
    const IniSnapshot written(path);
    for (int i : {0, 1, 49999, 99999})
        QCOMPARE(written.read(i % 10 ? "Settings" : "New", "k" + QString::number(i)),
                 QString::number(i));
    QCOMPARE(written.read("Parse", "ExeName"), QString("emu"));
    QVERIFY(app.read("dovrel/dovrel.ini").startsWith("[Settings]\nRomPath=/r/\nk1=1\nk2=2\n"));
}

void tst_HostileSettings::directoryInsteadOfFile() {
    TestAppFolder app;
    app.write("dovrel/dovrel.ini/inside", "kept");
    const Read r = readSettings(app.path());
    QCOMPARE(r.settings.ExeName, QString());
    QCOMPARE(r.warnings.size(), 7);
    QVERIFY(!WriteIni(AppPaths::settingsFile(app.path()), "Settings", "ShowConfig", "1"));
    QVERIFY(HostileFiles::IsDirectory(app.file("dovrel/dovrel.ini")));
    QCOMPARE(app.read("dovrel/dovrel.ini/inside"), QByteArray("kept"));
}

void tst_HostileSettings::fifoInsteadOfFile() {
    TestAppFolder app;
    const QString path = AppPaths::settingsFile(app.path());
    QVERIFY(HostileFiles::MakeFifo(path));
    const FifoWatch watch(path);
    const Read r = readSettings(app.path());
    QCOMPARE(r.settings.ExeName, QString());
    QCOMPARE(r.warnings.size(), 7);
    QVERIFY(!WriteIni(path, "Settings", "ShowConfig", "1"));
    QVERIFY(!watch.releasedABlockedReader());
    QVERIFY(HostileFiles::IsFifo(path));
}

void tst_HostileSettings::folderIsARegularFile() {
    QTemporaryDir appDir;
    QFile dovrel(appDir.filePath("dovrel"));
    QVERIFY(dovrel.open(QIODevice::WriteOnly));
    dovrel.write("[Parse]\nExeName=emu\n");
    dovrel.close();
    const Read r = readSettings(appDir.path());
    QCOMPARE(r.settings.ExeName, QString());
    QVERIFY(!WriteIni(AppPaths::settingsFile(appDir.path()), "Settings", "ShowConfig", "1"));
    QVERIFY(dovrel.open(QIODevice::ReadOnly));
    QCOMPARE(dovrel.readAll(), QByteArray("[Parse]\nExeName=emu\n"));
}

void tst_HostileSettings::readOnlyFileSystem() {
    TestAppFolder app;
    SmallTmpfs disk(app.file("dovrel"), 64);
    if (!disk.mounted())
        QSKIP(qPrintable("no tmpfs can be mounted here: " + disk.error()));
    const QByteArray file = "[Parse]\nExeName=emu\n[Settings]\nShowConfig=0\n";
    app.write("dovrel/dovrel.ini", file);
    QVERIFY(disk.makeReadOnly());
    const QString path = AppPaths::settingsFile(app.path());
    QCOMPARE(readSettings(app.path()).settings.ExeName, QString("emu"));
    QVERIFY(!WriteIni(path, "Settings", "ShowConfig", "1"));
    QCOMPARE(app.read("dovrel/dovrel.ini"), file);
    QCOMPARE(QDir(app.file("dovrel")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{"dovrel.ini"});
}

void tst_HostileSettings::startupEndsWithMessage_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("fifo");
    QTest::addColumn<QString>("message");
    QTest::newRow("garbage: no emulator, no list")
        << HostileFiles::Garbage(1 << 16, 3) << false << "gamelist.txt not found!";
    QTest::newRow("NUL in ExeName names no file")
        << QByteArrayLiteral("[Parse]\nExeName=emu\0x\nGameListCommand=-list\n") << false
        << QString::fromUtf8("emu\0x not found!", 16);
    QTest::newRow("FIFO: as if empty") << QByteArray() << true << "gamelist.txt not found!";
}

void tst_HostileSettings::startupEndsWithMessage() {
    QFETCH(QByteArray, file);
    QFETCH(bool, fifo);
    QFETCH(QString, message);
    TestAppFolder app;
    app.writeScript("emu", "echo 'must not run' > ran\n");
    const QString path = AppPaths::settingsFile(app.path());
    if (fifo)
        QVERIFY(HostileFiles::MakeFifo(path));
    else
        app.write("dovrel/dovrel.ini", file);
    const FifoWatch watch(path);
    GameSession state(app.path());
    FakeDialogs dialogs;
    {
        const StderrCapture quiet; // the settings' warnings are not what this test checks
        frmMain w(state, dialogs);
        QVERIFY(!w.Form_Load());
    }
    QVERIFY(!watch.releasedABlockedReader());
    QCOMPARE(dialogs.shown.size(), 1);
    QCOMPARE(dialogs.shown[0].kind, QString("critical"));
    QVERIFY2(dialogs.shown[0].text.startsWith(message), qPrintable(dialogs.shown[0].text));
    QVERIFY(!app.exists("ran"));
}

QTEST_MAIN(tst_HostileSettings)
#include "tst_HostileSettings.moc"

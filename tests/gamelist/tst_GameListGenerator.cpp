#include "base/TextCodec.h"
#include "gamelist/BatchCommand.h"
#include "gamelist/EndingMessage.h"
#include "gamelist/GameListCache.h"
#include "gamelist/GameListGenerator.h"
#include "gamelist/GameListOutput.h"

#include <QDir>
#include <QTemporaryFile>
#include <QtTest>

#include <unistd.h>

#include "common/FakeDialogs.h"
#include "common/FileFaults.h"
#include "common/TestAppFolder.h"

namespace {

// A fake emulator that prints exactly these bytes on its standard output.
void writeEmulator(const TestAppFolder& app, const QString& name, QByteArray output) {
    output.replace("'", "'\\''");
    app.writeScript(name, "printf '%s' '" + output + "'\necho 'emulator noise' >&2\n");
}

GameListRequest demoRequest(const TestAppFolder& app) {
    return {app.path(), "fakeemu", "-listfull", "gamelist.txt", 3, 1, 9, {}};
}

const QByteArray kOldCache = "old|Old Game\r\n";

} // namespace

class tst_GameListGenerator : public QObject {
    Q_OBJECT
private slots:
    void init() { m_startDir = QDir::currentPath(); }
    void cleanup() { QDir::setCurrent(m_startDir); }
    void generatesCacheAndHelpText();
    void handMadeOutputIsUsedAndDeleted();
    void emulatorNameWithBlanksIsOneProgram();
    void failures_data();
    void failures();
    void emptyExeNamePassesTheEmulatorCheck();
    void emulatorCheck_data();
    void emulatorCheck();
    void endingMessageGoesToStderrToo();
    void cacheChangesOnlyWithTheList_data();
    void cacheChangesOnlyWithTheList();
    void cacheIsTheParsedListWritten_data();
    void cacheIsTheParsedListWritten();

private:
    QString m_startDir;
};

void tst_GameListGenerator::generatesCacheAndHelpText() {
    TestAppFolder app;
    writeEmulator(app, "fakeemu", TestData("list-output.txt"));
    app.write("dovrel/glist.lst", kOldCache);
    FakeDialogs dialogs;
    const GameListResult result = GenerateGameList(dialogs, demoRequest(app));
    QVERIFY(result.ok);
    QCOMPARE(result.HelpText, QString("Demo 1.0\r\nUsage: demo -listfull\r\n"));
    QCOMPARE(app.read("dovrel/glist.lst"), TestData("list-glist.lst"));
    QVERIFY(!app.exists("gamelist.txt"));
    QVERIFY(!app.exists("test.bat"));
    QVERIFY(dialogs.shown.isEmpty());
}

void tst_GameListGenerator::handMadeOutputIsUsedAndDeleted() {
    TestAppFolder app;
    // The emulator must exist, but with no list command it is never run.
    app.writeScript("fakeemu", "echo ran > ran.out\n");
    app.write("gamelist.txt", TestData("list-output.txt"));
    GameListRequest request = demoRequest(app);
    request.GameListCommand.clear();
    FakeDialogs dialogs;
    const GameListResult result = GenerateGameList(dialogs, request);
    QVERIFY(result.ok);
    QCOMPARE(app.read("dovrel/glist.lst"), TestData("list-glist.lst"));
    QVERIFY(!app.exists("gamelist.txt"));
    QVERIFY(!app.exists("ran.out"));
}

void tst_GameListGenerator::emulatorNameWithBlanksIsOneProgram() {
    TestAppFolder app;
    const QString exeName = "my emus/My Emu's $HOME";
    writeEmulator(app, exeName, TestData("list-output.txt"));
    GameListRequest request = demoRequest(app);
    request.ExeName = exeName;
    FakeDialogs dialogs;
    const GameListResult result = GenerateGameList(dialogs, request);
    QVERIFY2(result.ok, qPrintable(result.message));
    QCOMPARE(app.read("dovrel/glist.lst"), TestData("list-glist.lst"));
    QCOMPARE(BatchCommandLine(exeName, " -listfull"),
             QString("'my emus/My Emu'\\''s $HOME' -listfull"));
    QCOMPARE(BatchCommandLine("emu", " -listfull"), QString("emu -listfull"));
}

void tst_GameListGenerator::failures_data() {
    QTest::addColumn<QString>("exeName");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QByteArray>("output"); // what the emulator prints
    QTest::addColumn<QString>("setup");     // a hand-made state of the folder
    QTest::addColumn<int>("romLen");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("outputLeft");
    const QString advice = "The command line application didn't properly generate gamelist.txt "
                           "Check to ensure the command line application is working properly "
                           "and that the command is correct.";
    QTest::newRow("emulator missing")
        << "noemu" << "-listfull" << QByteArray("a\r\nb\r\nc\r\nd\r\n") << "" << 9
        << "noemu not found!\r\n\r\nThis application should have been extracted to the "
           "directory where noemu resides!"
        << false;
    QTest::newRow("no list command and no output file")
        << "fakeemu" << "" << QByteArray() << "" << 9
        << "gamelist.txt not found!\r\n\r\n" + advice << false;
    QTest::newRow("output is a folder")
        << "fakeemu" << "" << QByteArray() << "output folder" << 9
        << "gamelist.txt not found!\r\n\r\n" + advice << true;
    QTest::newRow("empty output") << "fakeemu" << "-listfull" << QByteArray() << "" << 9
                                  << "gamelist.txt empty!\r\n\r\n" + advice << true;
    QTest::newRow("output with only StartLine lines")
        << "fakeemu" << "-listfull" << QByteArray("a\nb\nc\n") << "" << 9
        << "gamelist.txt empty!\r\n\r\n" + advice << true;
    QTest::newRow("negative RomLen")
        << "fakeemu" << "-listfull" << QByteArray("a\nb\nc\nd\ngame\n") << "" << -1
        << "Unknown List Generation error!" << true;
    QTest::newRow("cache cannot be written")
        << "fakeemu" << "-listfull" << QByteArray("a\nb\nc\nd\ngame\n") << "cache folder" << 9
        << "Unknown List Generation error!" << true;
}

void tst_GameListGenerator::failures() {
    QFETCH(QString, exeName);
    QFETCH(QString, command);
    QFETCH(QByteArray, output);
    QFETCH(QString, setup);
    QFETCH(int, romLen);
    QFETCH(QString, message);
    QFETCH(bool, outputLeft);
    TestAppFolder app;
    writeEmulator(app, "fakeemu", output);
    if (setup == "cache folder")
        QVERIFY(QDir(app.path()).mkpath("dovrel/glist.lst"));
    else
        app.write("dovrel/glist.lst", kOldCache);
    if (setup == "output folder")
        QVERIFY(QDir(app.path()).mkpath("gamelist.txt"));
    FakeDialogs dialogs;
    const GameListResult result =
        GenerateGameList(dialogs, {app.path(), exeName, command, "gamelist.txt", 3, 2, qint16(romLen), {}});
    QVERIFY(!result.ok);
    QCOMPARE(result.message, message);
    QVERIFY(result.HelpText.isEmpty());
    QVERIFY(dialogs.shown.isEmpty()); // the caller shows it and ends the program
    QCOMPARE(app.exists("gamelist.txt"), outputLeft);
    if (outputLeft && setup.isEmpty())
        QCOMPARE(app.read("gamelist.txt"), output); // left for the user to look at
    if (setup != "cache folder")
        QCOMPARE(app.read("dovrel/glist.lst"), kOldCache); // a failure keeps the old cache
}

void tst_GameListGenerator::emptyExeNamePassesTheEmulatorCheck() {
    TestAppFolder app;
    app.write("gamelist.txt", "h\nh\nh\nh\ng1       Game One\n");
    FakeDialogs dialogs;
    GameListResult result = GenerateGameList(dialogs, {app.path(), "", "", "gamelist.txt", 3, 0, 9, {}});
    QVERIFY(result.ok);
    QCOMPARE(app.read("dovrel/glist.lst"), QByteArray("g1|Game One\r\n"));

    // With a list command the line starts with a blank and runs nothing useful.
    result = GenerateGameList(dialogs, {app.path(), "", "-listfull", "gamelist.txt", 3, 0, 9, {}});
    QVERIFY(!result.ok);
    QVERIFY(result.message.startsWith("gamelist.txt empty!"));
}

void tst_GameListGenerator::emulatorCheck_data() {
    QTest::addColumn<QString>("exeName"); // "@" stands for another folder
    QTest::addColumn<bool>("passes");
    QTest::newRow("in the application folder") << "fakeemu" << true;
    QTest::newRow("missing there") << "other" << false;
    QTest::newRow("absolute, elsewhere") << "@/bin/fakeemu" << true;
    QTest::newRow("absolute, missing") << "@/bin/gone" << false;
    QTest::newRow("an absolute name is not joined to the folder") << "/fakeemu" << false;
}

void tst_GameListGenerator::emulatorCheck() {
    QFETCH(QString, exeName);
    QFETCH(bool, passes);
    TestAppFolder app;
    TestAppFolder elsewhere;
    writeEmulator(app, "fakeemu", "h\nh\nh\nh\ng1       Game One\n");
    writeEmulator(elsewhere, "bin/fakeemu", "h\nh\nh\nh\ng1       Game One\n");
    exeName.replace("@", elsewhere.path());
    QCOMPARE(EmulatorExists(app.path(), exeName), passes);
    FakeDialogs dialogs;
    GameListRequest request = demoRequest(app);
    request.ExeName = exeName;
    const GameListResult result = GenerateGameList(dialogs, request);
    QCOMPARE(result.ok, passes);
    if (passes)
        QCOMPARE(app.read("dovrel/glist.lst"), QByteArray("g1|Game One\r\n"));
    else
        QCOMPARE(result.message, GameListMessages::emulatorNotFound(exeName));
}

void tst_GameListGenerator::endingMessageGoesToStderrToo() {
    QTemporaryFile capture;
    QVERIFY(capture.open());
    fflush(stderr);
    const int saved = ::dup(STDERR_FILENO);
    QVERIFY(saved >= 0);
    QVERIFY(::dup2(capture.handle(), STDERR_FILENO) >= 0);
    FakeDialogs dialogs;
    const QString text = GameListMessages::emulatorNotFound("emu");
    ShowEndingMessage(dialogs, text);
    fflush(stderr);
    ::dup2(saved, STDERR_FILENO);
    ::close(saved);

    capture.seek(0);
    QCOMPARE(capture.readAll(), QByteArray("tarvelin: emu not found!\n\nThis application should "
                                           "have been extracted to the directory where emu "
                                           "resides!\n"));
    QCOMPARE(dialogs.shown.size(), 1);
    QCOMPARE(dialogs.shown[0].kind, QString("critical"));
    QCOMPARE(dialogs.shown[0].title, QString());
    QCOMPARE(dialogs.shown[0].text, text);
}

// The standard start-up always writes the cache and says whether its bytes changed; a
// refresh writes only when they did, and a failed write keeps the old cache. A stale output
// file from an earlier failure goes with the first good list.
void tst_GameListGenerator::cacheChangesOnlyWithTheList_data() {
    QTest::addColumn<bool>("refresh");
    QTest::addColumn<bool>("sameList");
    QTest::addColumn<bool>("writeFails");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<bool>("changed");
    QTest::newRow("start-up, other list") << false << false << false << true << true;
    QTest::newRow("start-up, same list") << false << true << false << true << false;
    QTest::newRow("refresh, other list") << true << false << false << true << true;
    QTest::newRow("refresh, same list, not written") << true << true << true << true << false;
    QTest::newRow("refresh, other list, write fails") << true << false << true << false << false;
}

void tst_GameListGenerator::cacheChangesOnlyWithTheList() {
    QFETCH(bool, refresh);
    QFETCH(bool, sameList);
    QFETCH(bool, writeFails);
    QFETCH(bool, ok);
    QFETCH(bool, changed);
    TestAppFolder app;
    const QByteArray output = "Fake 1.0\nusage\n\nName Description\nalpha    Alpha\n";
    const QByteArray cache = "alpha|Alpha\r\n";
    app.write("dovrel/glist.lst", sameList ? cache : kOldCache);
    app.write("gamelist.txt", "left by an earlier failure");
    if (writeFails)
        FileFaults::failNextCommitOnto(app.file("dovrel/glist.lst"));
    GameListResult result;
    if (refresh) {
        result = RefreshGameListCache(demoRequest(app), output);
    } else {
        writeEmulator(app, "fakeemu", output);
        FakeDialogs dialogs;
        result = GenerateGameList(dialogs, demoRequest(app));
    }
    FileFaults::failNextCommitOnto(QString());
    QCOMPARE(result.ok, ok);
    QCOMPARE(result.cacheChanged, changed);
    QCOMPARE(app.read("dovrel/glist.lst"), ok || sameList ? cache : kOldCache);
    QCOMPARE(result.HelpText, ok ? QString("Fake 1.0\r\nusage\r\n") : QString());
    QCOMPARE(app.exists("gamelist.txt"), refresh); // a refresh has no output file of its own
}

void tst_GameListGenerator::cacheIsTheParsedListWritten_data() {
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<int>("romLen");
    QTest::newRow("the demo listing") << TestData("list-output.txt") << 9;
    QTest::newRow("UTF-8 with a mark, CR and LF")
        << QByteArray("\xEF\xBB\xBFH\xC3\xA9lp\r\nUsage\n\rName\r\n"
                      "caf\xC3\xA9     Caf\xC3\xA9 Rush  \r\n"
                      "\xF0\x9D\x84\x9E\xE4\xB8\xAD  Music\rshort\n")
        << 9;
    QTest::newRow("first ROM name begins with U+FEFF")
        << QByteArray("a\nb\nc\nd\n\xEF\xBB\xBFrom  Game\n") << 6;
    QTest::newRow("Latin-1") << QByteArray("H\xE9lp\r\nUsage\r\n\r\nName\r\n"
                                           "caf\xE9     Caf\xE9\r\n")
                             << 9;
}

void tst_GameListGenerator::cacheIsTheParsedListWritten() {
    // However the output is cut, the cache holds the parsed games as the cache writer writes
    // them, and the help text is the parsed one.
    QFETCH(QByteArray, output);
    QFETCH(int, romLen);
    TestAppFolder app;
    app.write("gamelist.txt", output);
    GameListRequest request = demoRequest(app);
    request.RomLen = qint16(romLen);
    const GameListResult result = BuildGameListCache(request);
    QVERIFY(result.ok);
    const GameListOutput parsed = ParseGameListOutput(DecodeText(output), request.StartLine,
                                                      request.HelpEnd, request.RomLen);
    QVERIFY(!parsed.games.isEmpty());
    QCOMPARE(result.HelpText, parsed.helpText);
    QCOMPARE(app.read("dovrel/glist.lst"), GameListCacheBytes(parsed.games));
}

QTEST_GUILESS_MAIN(tst_GameListGenerator)
#include "tst_GameListGenerator.moc"

#include "base/AppPaths.h"
#include "base/Settings.h"
#include "gamelist/BackgroundGameList.h"
#include "gamelist/GameListGenerator.h"
#include "gamelist/GameListLoader.h"
#include "launch/LaunchEmulator.h"
#include "launch/RomFileMap.h"

#include <QDir>
#include <QSignalSpy>
#include <QtTest>

#include "common/FakeDialogs.h"
#include "common/FileFaults.h"
#include "common/StderrCapture.h"
#include "common/TestAppFolder.h"

// The game list made from the ROM folder, end to end: settings, cache, file map, the
// missing-ROM filter, the background refresh and the launch arguments.
class tst_RomFolderGameList : public QObject {
    Q_OBJECT
private slots:
    void withoutTheKeysNothingChanges();
    void startUpListsTheFolder();
    void launchPassesTheFullPath_data();
    void launchPassesTheFullPath();
    void printsItsWarningsOnce();
    void missingFolderIsAnEmptyList();
    void failedWriteKeepsTheOldCache();
    void backgroundRefreshWritesOnlyWhenDifferent();
    void mapLookups_data();
    void mapLookups();
};

namespace {

const QByteArray kSettings = "[Parse]\nExeName=emu\nRomFolderExtensions=.nes;UNF\n"
                             "[Settings]\nRomPath=roms/\nShowMissingRoms=0\nRomExt=.zip\n";

void setUp(const TestAppFolder& app, const QByteArray& settings = kSettings) {
    app.writeScript("emu", "exit 0\n");
    app.write("dovrel/dovrel.ini", settings);
    app.write("roms/Super Game (World).nes", "");
    app.write("roms/other.UNF", "");
    app.write("roms/notes.txt", "");
}

FrontEndSettings settingsOf(const TestAppFolder& app) {
    FrontEndSettings s = ReadFrontEndSettings(app.path());
    ApplySettingsDefaults(s, app.path());
    return s;
}

} // namespace

void tst_RomFolderGameList::withoutTheKeysNothingChanges() {
    TestAppFolder app;
    setUp(app, "[Parse]\nExeName=emu\n[Settings]\nRomPath=roms/\n");
    const FrontEndSettings s = settingsOf(app);
    QVERIFY(!ListsRomFolder(s));
    QVERIFY(s.RomFileMap.isEmpty());
    const GameListRequest request = GameListRequestFor(app.path(), s);
    QVERIFY(!request.folder.isOn());
    QCOMPARE(request.GlName, QStringLiteral("gamelist.txt"));
    QCOMPARE(LaunchArguments(s, "pacman", ""), QStringList{"pacman"});
}

void tst_RomFolderGameList::startUpListsTheFolder() {
    TestAppFolder app;
    setUp(app);
    FakeDialogs dialogs;
    const FrontEndSettings s = ReadFrontEndSettings(app.path()); // before the defaults
    const GameListResult result =
        GenerateGameList(dialogs, GameListRequestFor(app.path(), s), ListLayoutFor(s));
    QVERIFY2(result.ok, qPrintable(result.message + result.cause));
    QVERIFY(result.HelpText.isEmpty());
    QVERIFY(dialogs.shown.isEmpty());
    QCOMPARE(app.read("dovrel/glist.lst"),
             QByteArray("other|other\r\nSuper Game (World)|Super Game (World)\r\n"));
    QCOMPARE(app.read("dovrel/romfiles.lst"),
             ("other|" + app.file("roms/other.UNF") + "\r\nSuper Game (World)|" +
              app.file("roms/Super Game (World).nes") + "\r\n")
                 .toUtf8());
    QVERIFY(!app.exists("gamelist.txt"));
    // The missing-ROM filter is on (ShowMissingRoms=0, RomExt=.zip) and hides nothing.
    const QList<GameEntry> games =
        LoadGameEntries(AppPaths::gameListCache(app.path()), true, s.RomPath, ".zip");
    QCOMPARE(games.size(), 2);
    QCOMPARE(games[1], (GameEntry{"Super Game (World)", "Super Game (World)"}));
}

void tst_RomFolderGameList::launchPassesTheFullPath_data() {
    QTest::addColumn<QString>("rom");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QStringList>("tail");
    QTest::newRow("blanks") << "Super Game (World)" << "roms/Super Game (World).nes" << ""
                            << QStringList{"-x"};
    QTest::newRow("its own extension") << "other" << "roms/other.UNF" << "" << QStringList{"-x"};
    QTest::newRow("template") << "other" << "roms/other.UNF" << "-L core {options} {rom} --end"
                              << QStringList{"--end"};
    QTest::newRow("quote in the name") << "say \"hi\"" << "roms/say \"hi\".nes" << ""
                                       << QStringList{"-x"};
    QTest::newRow("not in the map") << "gone" << "roms/gone" << "" << QStringList{"-x"};
}

void tst_RomFolderGameList::launchPassesTheFullPath() {
    QFETCH(QString, rom);
    QFETCH(QString, file);
    QFETCH(QString, pattern);
    QFETCH(QStringList, tail);
    TestAppFolder app;
    setUp(app);
    app.write("roms/say \"hi\".nes", "");
    FakeDialogs dialogs;
    FrontEndSettings s = ReadFrontEndSettings(app.path());
    QVERIFY(GenerateGameList(dialogs, GameListRequestFor(app.path(), s)).ok);
    ApplySettingsDefaults(s, app.path());
    s.LaunchArguments = pattern;
    s.SendRomPath = 1; // no longer applies
    s.RomPathinQuotes = 0;
    QDir::setCurrent(app.path());
    const QStringList arguments = LaunchArguments(s, rom, "-x");
    QVERIFY(arguments.contains(app.file(file)));
    QCOMPARE(arguments.mid(arguments.size() - tail.size()), tail);

    // The emulator receives it as one argument.
    app.writeScript("emu", "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > args.txt\n");
    const RunResult run = LaunchEmulator(dialogs, app.path(), s, rom, "-x");
    QVERIFY(run.ended && run.exitCode == 0);
    QVERIFY(app.read("args.txt").split('\n').contains(app.file(file).toUtf8()));
}

void tst_RomFolderGameList::printsItsWarningsOnce() {
    TestAppFolder app;
    setUp(app);
    app.write("roms/default.nes", "");
    app.write("roms/other.nes", ""); // "other" twice
    FakeDialogs dialogs;
    StderrCapture err;
    const FrontEndSettings s = ReadFrontEndSettings(app.path());
    const GameListResult result = GenerateGameList(dialogs, GameListRequestFor(app.path(), s));
    // The settings' own warnings (the list keys left out) are not the listing's.
    const QStringList lines = err.lines().filter(QRegularExpression("^tarvelin: ROM folder: "));
    QVERIFY(result.ok);
    QCOMPARE(lines, result.warnings);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(app.read("dovrel/glist.lst").count("other|"), 1);
    QVERIFY(app.read("dovrel/glist.lst").contains("default|default"));
}

void tst_RomFolderGameList::missingFolderIsAnEmptyList() {
    TestAppFolder app;
    setUp(app, "[Parse]\nExeName=emu\nRomFolderGameFolders=1\n[Settings]\nRomPath=none/\n");
    FakeDialogs dialogs;
    StderrCapture err;
    const GameListResult result =
        GenerateGameList(dialogs, GameListRequestFor(app.path(), ReadFrontEndSettings(app.path())));
    QVERIFY(result.ok);
    QCOMPARE(err.lines().filter(QRegularExpression("^tarvelin: ROM folder: ")).size(), 1);
    QCOMPARE(app.read("dovrel/glist.lst"), QByteArray());
    QVERIFY(app.exists("dovrel/glist.lst"));
}

void tst_RomFolderGameList::failedWriteKeepsTheOldCache() {
    TestAppFolder app;
    setUp(app);
    app.write("dovrel/glist.lst", "old|Old\r\n");
    FakeDialogs dialogs;
    const GameListRequest request = GameListRequestFor(app.path(), ReadFrontEndSettings(app.path()));
    FileFaults::failNextCommitOnto(app.file("dovrel/glist.lst"));
    GameListResult result = GenerateGameList(dialogs, request);
    QVERIFY(!result.ok);
    QCOMPARE(result.message, GameListMessages::unknownError());
    QVERIFY(result.cause.contains("glist.lst"));
    QCOMPARE(app.read("dovrel/glist.lst"), QByteArray("old|Old\r\n"));

    // A folder where the map should be: the map's failure stops the cache too.
    QVERIFY(QFile::remove(app.file("dovrel/romfiles.lst")));
    QVERIFY(QDir().mkpath(app.file("dovrel/romfiles.lst")));
    result = GenerateGameList(dialogs, request);
    QVERIFY(!result.ok);
    QVERIFY(result.cause.contains("romfiles.lst"));
    QCOMPARE(app.read("dovrel/glist.lst"), QByteArray("old|Old\r\n"));
}

void tst_RomFolderGameList::backgroundRefreshWritesOnlyWhenDifferent() {
    TestAppFolder app;
    setUp(app);
    FakeDialogs dialogs;
    const FrontEndSettings s = ReadFrontEndSettings(app.path());
    QVERIFY(GenerateGameList(dialogs, GameListRequestFor(app.path(), s)).ok);
    for (const bool added : {false, true}) {
        if (added)
            app.write("roms/new.nes", "");
        BackgroundGameList background(GameListRequestFor(app.path(), s), ListLayoutFor(s));
        QSignalSpy finished(&background, &BackgroundGameList::finished);
        background.start();
        QVERIFY(background.running());
        QVERIFY(finished.wait(5000));
        const auto result = finished.takeFirst().at(0).value<GameListResult>();
        QVERIFY(result.ok);
        QCOMPARE(result.cacheChanged, added);
        QCOMPARE(app.read("dovrel/glist.lst").contains("new|new"), added);
        QCOMPARE(app.read("dovrel/romfiles.lst").contains("new|"), added);
    }
    // Ended while it lists: the thread is stopped and waited for, nothing is reported.
    auto* background = new BackgroundGameList(GameListRequestFor(app.path(), s), ListLayoutFor(s));
    background->start();
    delete background;
}

void tst_RomFolderGameList::mapLookups_data() {
    QTest::addColumn<QByteArray>("map");
    QTest::addColumn<QString>("rom");
    QTest::addColumn<QString>("path");
    QTest::newRow("found") << QByteArray("a|/r/a.nes\r\nb|/r/b.nes\r\n") << "b" << "/r/b.nes";
    QTest::newRow("bar in the path") << QByteArray("a|/r|x/a.nes\r\n") << "a" << "/r|x/a.nes";
    QTest::newRow("prefix is no match") << QByteArray("ab|/r/ab.nes\r\n") << "a" << "";
    QTest::newRow("LF only") << QByteArray("a|/r/a\nb|/r/b") << "b" << "/r/b";
    QTest::newRow("no bar") << QByteArray("a\r\n") << "a" << "";
    QTest::newRow("empty") << QByteArray() << "a" << "";
}

void tst_RomFolderGameList::mapLookups() {
    QFETCH(QByteArray, map);
    QFETCH(QString, rom);
    QFETCH(QString, path);
    QCOMPARE(RomFileMap::find(map, rom).value_or(QString()), path);
    QCOMPARE(RomFileMap::find(RomFileMap::bytes({{"x y", "/p/x y.gb"}}), "x y"),
             std::optional<QString>("/p/x y.gb"));
}

QTEST_GUILESS_MAIN(tst_RomFolderGameList)
#include "tst_RomFolderGameList.moc"

#include "base/Ini.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtTest>

#include "common/TestAppFolder.h"

// The tarvelin program itself on the command line, end to end: exit statuses, what goes to
// stdout and stderr, and the files a run leaves. The emulator is a script in the data folder.
namespace {

const QByteArray kSettings = "[Parse]\nWindowCaption=Test\nExeName=emu\nGameListCommand=-list\n"
                             "GameListStartLine=1\nGameListRomLen=6\nHelpEndLine=0\n"
                             "[Settings]\nRomPath=roms/\nSendRomPath=1\nRomPathinQuotes=1\n"
                             "RomExt=.zip\nShowConfig=1\nShowMissingRoms=0\n";

const QByteArray kDefinitions = "[General]\nNumCats=2\n"
                                "[Cat1]\nName=Video\nnumOpts=3\n"
                                "opt1=-scale |Scale|1|1|2|3|2\n"
                                "opt2=-fullscreen|Full screen|2|1\n"
                                "opt3=-vsync|Vertical sync|2|0\n"
                                "[Cat2]\nName=Other\nnumOpts=1\n"
                                "opt1=-name |Name|0|Player One\n";

// Lists four games (one with a tab in its title); a play run writes its arguments into
// args.txt and ends by the game: "three" with status 3, "crash" killed by SIGTERM.
const QByteArray kEmulator = "if [ \"$1\" = -list ]; then\n"
                             "  printf 'Emu 1.0\\nName  Description\\nalpha Alpha Game\\n"
                             "beta  Beta\\tTab\\nthree Three\\ncrash Crash\\n'\n"
                             "  exit 0\n"
                             "fi\n"
                             "printf '%s\\n' \"$@\" > args.txt\n"
                             "case \"$1\" in\n"
                             "  *three*) exit 3 ;;\n"
                             "  *crash*) kill -TERM $$ ;;\n"
                             "esac\n"
                             "exit 0\n";

struct Run {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

Run run(const QString& program, const QStringList& arguments,
        const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    Run result;
    if (!process.waitForFinished(60000))
        return result;
    result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

Run tarvelin(const QStringList& arguments) {
    return run(QStringLiteral(TARVELIN_EXE), arguments);
}

// A data folder with the emulator, its settings and options, one ROM file and a profile for
// "alpha" that changes the scale.
void setUp(const TestAppFolder& data, const QByteArray& settings = kSettings) {
    data.write("dovrel/dovrel.ini", settings);
    data.write("dovrel/cfgdef.ini", kDefinitions);
    data.write("dovrel/cfgs/alpha.ini", "[Video]\nScale=3\n");
    data.write("roms/alpha.zip", "rom");
    data.writeScript("emu", kEmulator);
}

QByteArray lines(const QStringList& list) {
    return (list.join(u'\n') + u'\n').toUtf8();
}

// A copy of the program in a tree laid out as installed: bin/tarvelin beside share/tarvelin/
// (the demo and MAME presets) and lib/tarvelin/ (the demo's emulator).
QString installedCopy(const TestAppFolder& tree) {
    QDir(tree.path()).mkpath("bin");
    const QString copy = tree.file("bin/tarvelin");
    if (!QFile::copy(QStringLiteral(TARVELIN_EXE), copy))
        qFatal("cannot copy tarvelin");
    tree.write("share/tarvelin/demo/dovrel/dovrel.ini",
               QByteArray(kSettings).replace("ExeName=emu", "ExeName=demoemu"));
    tree.write("share/tarvelin/demo/dovrel/cfgdef.ini", kDefinitions);
    tree.write("share/tarvelin/demo/roms/beta.zip", "rom");
    tree.writeScript("lib/tarvelin/demoemu", kEmulator);
    tree.write("share/tarvelin/presets/mame/dovrel.ini",
               QByteArray(kSettings).replace("ExeName=emu", "ExeName=mame"));
    tree.write("share/tarvelin/presets/mame/cfgdef.ini", kDefinitions);
    return copy;
}

// A data folder of two systems, "@" being the tree that holds it:
//   data/dovrel/systems.ini  Arcade (arcade/, no list of the last start yet) and
//                            Home Computer (home/, stored absolute, with one), shown last
QByteArray systemSettings(const QByteArray& caption, const QByteArray& exe) {
    return "[Parse]\nWindowCaption=" + caption + "\nExeName=" + exe +
           "\nGameListCommand=-list\nGameListStartLine=1\nGameListRomLen=6\nHelpEndLine=0\n"
           "[Settings]\nRomPath=roms/\nSendRomPath=1\nRomPathinQuotes=1\nRomExt=.zip\n"
           "ShowConfig=1\nShowMissingRoms=0\n";
}

// Leaves "ran" in its folder at every start, so a test sees which emulators were asked.
QByteArray markingEmulator(const QByteArray& games) {
    return "touch ran\n"
           "if [ \"$1\" = -list ]; then printf 'Emu 1.0\\nName  Description\\n" +
           games + "'; fi\n";
}

void writeSystems(const TestAppFolder& tree) {
    tree.write("data/dovrel/systems.ini",
               "[Systems]\nCount=2\nCurrent=Home Computer\nName1=Arcade\nFolder1=arcade\n"
               "Name2=Home Computer\nFolder2=" +
                   tree.file("data/home").toUtf8() + "\n");
    for (const char* system : {"data/arcade", "data/home"})
        tree.write(QString(system) + "/dovrel/cfgdef.ini", "[General]\nNumCats=0\n");
    tree.write("data/arcade/dovrel/dovrel.ini", systemSettings("Arcade", "arcemu"));
    tree.write("data/arcade/roms/alpha.zip", "rom");
    tree.writeScript("data/arcade/arcemu", markingEmulator("alpha Alpha\\nbeta  Beta\\n"));
    tree.write("data/home/dovrel/dovrel.ini", systemSettings("Home", "homeemu"));
    tree.write("data/home/dovrel/glist.lst",
               "c64|C64 Game\r\nvic20|VIC-20\r\namiga|Amiga\tTab\r\n");
    tree.writeScript("data/home/homeemu", markingEmulator("c64   From the emulator\\n"));
}

QStringList systemsThatRan(const TestAppFolder& tree) {
    QStringList ran;
    for (const char* folder : {"arcade", "home"})
        if (tree.exists(QStringLiteral("data/%1/ran").arg(folder)))
            ran << folder;
    return ran;
}

} // namespace

class tst_TarvelinCommands : public QObject {
    Q_OBJECT
private slots:
    void commands_data();
    void commands();
    void listOfTheLastStart_data();
    void listOfTheLastStart();
    void launchPassesWhatPrintCommandPrints_data();
    void launchPassesWhatPrintCommandPrints();
    void launchRecordsThePlayTime();
    void presetSetsUpAnInstalledCopy();
    void perUserFolderWithoutData();
    void portableFolderWithoutData();
    void systemCommands_data();
    void systemCommands();
};

void tst_TarvelinCommands::commands_data() {
    QTest::addColumn<QStringList>("arguments"); // after --data DIR
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("out"); // "@" = the data folder
    QTest::addColumn<QByteArray>("err"); // the start of stderr; one line unless empty

    QTest::newRow("version") << QStringList{"--version"} << kSettings << 0
                             << QByteArray("tarvelin " TARVELIN_VERSION "\n") << QByteArray();
    QTest::newRow("list: name, description, ROM file present")
        << QStringList{"--list"} << kSettings << 0
        << QByteArray("alpha\tAlpha Game\t1\nbeta\tBeta Tab\t0\nthree\tThree\t0\ncrash\tCrash\t0\n")
        << QByteArray();
    QTest::newRow("print-command: the game's profile over the defaults")
        << QStringList{"--print-command", "alpha"} << kSettings << 0
        << lines(
               {"@/emu", "roms/alpha.zip", "-scale", "3", "-fullscreen", "-name", "Player", "One"})
        << QByteArray();
    QTest::newRow("print-command: the defaults")
        << QStringList{"--print-command", "beta"} << kSettings << 0
        << lines({"@/emu", "roms/beta.zip", "-scale", "2", "-fullscreen", "-name", "Player", "One"})
        << QByteArray();
    QTest::newRow("launch: the emulator's status")
        << QStringList{"--launch", "three"} << kSettings << 3 << QByteArray()
        << QByteArray("tarvelin: The emulator emu ended with status 3.");
    QTest::newRow("launch: killed, 128 + the signal")
        << QStringList{"--launch", "crash"} << kSettings << 143 << QByteArray()
        << QByteArray("tarvelin: The emulator emu crashed.");
    QTest::newRow("launch: status 0")
        << QStringList{"--launch", "alpha"} << kSettings << 0 << QByteArray() << QByteArray();
    QTest::newRow("unknown ROM name")
        << QStringList{"--print-command", "gamma"} << kSettings << 2 << QByteArray()
        << QByteArray("tarvelin: no game with the ROM name \"gamma\" in the game list\n");
    QTest::newRow("unknown ROM name, launch")
        << QStringList{"--launch", "Alpha"} << kSettings << 2 << QByteArray()
        << QByteArray("tarvelin: no game with the ROM name \"Alpha\"");
    QTest::newRow("bad option") << QStringList{"--lst"} << kSettings << 2 << QByteArray()
                                << QByteArray("tarvelin: Unknown option 'lst'.");
    QTest::newRow("two actions")
        << QStringList{"--list", "--launch", "alpha"} << kSettings << 2 << QByteArray()
        << QByteArray("tarvelin: --list, --print-command and --launch exclude each other.");
    QTest::newRow("the emulator is missing: the ending message")
        << QStringList{"--list"} << QByteArray(kSettings).replace("ExeName=emu", "ExeName=gone")
        << 1 << QByteArray() << QByteArray("tarvelin: gone not found!\n\nThis application should");
    QTest::newRow("the list output is too short")
        << QStringList{"--print-command", "alpha"}
        << QByteArray(kSettings).replace("StartLine=1", "StartLine=40") << 1 << QByteArray()
        << QByteArray("tarvelin: gamelist.txt empty!\n\nThe command line application");
    QTest::newRow("a preset for a folder set up already")
        << QStringList{"--preset", "demo", "--list"} << kSettings << 0
        << QByteArray("alpha\tAlpha Game\t1\nbeta\tBeta Tab\t0\nthree\tThree\t0\ncrash\tCrash\t0\n")
        << QByteArray("tarvelin: @ is set up already; --preset demo left it as it is\n");
    QTest::newRow("unknown preset")
        << QStringList{"--preset", "doom", "--list"} << kSettings << 2 << QByteArray()
        << QByteArray("tarvelin: unknown preset \"doom\"");
}

void tst_TarvelinCommands::commands() {
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, settings);
    QFETCH(int, status);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    const TestAppFolder data;
    setUp(data, settings);

    const Run result = tarvelin(QStringList{"--data", data.path()} + arguments);
    const QByteArray folder = data.path().toUtf8();
    QCOMPARE(result.status, status);
    QCOMPARE(result.out, out.replace("@", folder));
    QVERIFY2(result.err.startsWith(err.replace("@", folder)), result.err.constData());
    if (!err.isEmpty() && !err.contains("\n\n") && !err.contains("ended") &&
        !err.contains("crashed"))
        QCOMPARE(result.err.count('\n'), 1);
    // A dry run writes no default profile; the list generation leaves no output file behind.
    if (arguments.first() != "--launch")
        QVERIFY(!data.exists("dovrel/cfgs/default.ini"));
    if (status == 0)
        QVERIFY(!data.exists("gamelist.txt"));
}

void tst_TarvelinCommands::listOfTheLastStart_data() {
    QTest::addColumn<QStringList>("arguments"); // after --data DIR
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QByteArray>("cache"); // null: none
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("cacheAfter"); // null: as it was

    const QByteArray lastStart = "old|Old Game\r\nalpha|Alpha Game\r\n";
    const QByteArray emulators = "alpha|Alpha Game\r\nbeta|Beta\tTab\r\nthree|Three\r\n"
                                 "crash|Crash\r\n";
    const QByteArray gone = QByteArray(kSettings).replace("ExeName=emu", "ExeName=gone");
    QTest::newRow("the cache, the emulator not asked")
        << QStringList{"--list"} << kSettings << lastStart << 0
        << QByteArray("old\tOld Game\t0\nalpha\tAlpha Game\t1\n") << QByteArray();
    QTest::newRow("the cache without the emulator")
        << QStringList{"--print-command", "old"} << gone << lastStart << 0
        << lines({"gone", "roms/old.zip", "-scale", "2", "-fullscreen", "-name", "Player", "One"})
        << QByteArray();
    QTest::newRow("--refresh asks the emulator")
        << QStringList{"--list", "--refresh"} << kSettings << lastStart << 0
        << QByteArray("alpha\tAlpha Game\t1\nbeta\tBeta Tab\t0\nthree\tThree\t0\ncrash\tCrash\t0\n")
        << emulators;
    QTest::newRow("--refresh without the emulator keeps the cache")
        << QStringList{"--refresh", "--print-command", "old"} << gone << lastStart << 1
        << QByteArray() << QByteArray();
    QTest::newRow("no cache: the emulator is asked")
        << QStringList{"--print-command", "three"} << kSettings << QByteArray() << 0
        << lines(
               {"@/emu", "roms/three.zip", "-scale", "2", "-fullscreen", "-name", "Player", "One"})
        << emulators;
    QTest::newRow("--refresh alone")
        << QStringList{"--refresh"} << kSettings << lastStart << 2 << QByteArray() << QByteArray();
}

void tst_TarvelinCommands::listOfTheLastStart() {
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, settings);
    QFETCH(QByteArray, cache);
    QFETCH(int, status);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, cacheAfter);
    const TestAppFolder data;
    setUp(data, settings);
    if (!cache.isNull())
        data.write("dovrel/glist.lst", cache);

    const Run result = tarvelin(QStringList{"--data", data.path()} + arguments);
    QCOMPARE(result.status, status);
    QCOMPARE(result.out, out.replace("@", data.path().toUtf8()));
    QCOMPARE(data.read("dovrel/glist.lst"), cacheAfter.isNull() ? cache : cacheAfter);
}

void tst_TarvelinCommands::launchPassesWhatPrintCommandPrints_data() {
    QTest::addColumn<QString>("rom");
    QTest::addColumn<QByteArray>("profile"); // the game's profile
    QTest::newRow("defaults") << "beta" << QByteArray();
    QTest::newRow("a game profile")
        << "alpha" << QByteArray("[Video]\nScale=1\nFull screen=0\nVertical sync=1\n");
    QTest::newRow("a text with quotes") << "three" << QByteArray("[Other]\nName=\"Ann Lee\" x\n");
}

void tst_TarvelinCommands::launchPassesWhatPrintCommandPrints() {
    QFETCH(QString, rom);
    QFETCH(QByteArray, profile);
    const TestAppFolder data;
    setUp(data);
    if (!profile.isEmpty())
        data.write("dovrel/cfgs/" + rom + ".ini", profile);
    const Run printed = tarvelin({"--data", data.path(), "--print-command", rom});
    QCOMPARE(printed.status, 0);
    tarvelin({"--data", data.path(), "--launch", rom});
    QList<QByteArray> expected = printed.out.split('\n');
    QCOMPARE(expected.takeFirst(), data.file("emu").toUtf8());
    QCOMPARE(data.read("args.txt"), expected.join('\n'));
}

void tst_TarvelinCommands::launchRecordsThePlayTime() {
    const TestAppFolder data;
    setUp(data);
    data.write("dovrel/library.ini", "[Played]\nbeta=2,60,1000\n");
    QCOMPARE(tarvelin({"--data", data.path(), "--launch", "alpha"}).status, 0);
    QCOMPARE(tarvelin({"--data", data.path(), "--launch", "beta"}).status, 0);
    QVERIFY(ReadIni(data.file("dovrel/library.ini"), "Played", "alpha").startsWith("1,"));
    QVERIFY(ReadIni(data.file("dovrel/library.ini"), "Played", "beta").startsWith("3,"));
    // Without the file, nothing is recorded and nothing is written, as in the window.
    const TestAppFolder untracked;
    setUp(untracked);
    QCOMPARE(tarvelin({"--data", untracked.path(), "--launch", "alpha"}).status, 0);
    QVERIFY(!untracked.exists("dovrel/library.ini"));
}

void tst_TarvelinCommands::presetSetsUpAnInstalledCopy() {
    const TestAppFolder tree;
    const QString program = installedCopy(tree);
    const QString data = tree.file("home/games");

    const Run listed = run(program, {"--data", data, "--preset", "demo", "--list"});
    QCOMPARE(listed.status, 0);
    QCOMPARE(
        listed.out,
        QByteArray("alpha\tAlpha Game\t0\nbeta\tBeta Tab\t1\nthree\tThree\t0\ncrash\tCrash\t0\n"));
    QCOMPARE(ReadIni(data + "/dovrel/dovrel.ini", "Parse", "ExeName"),
             tree.file("lib/tarvelin/demoemu"));
    const Run printed = run(program, {"--data", data, "--print-command", "beta"});
    QCOMPARE(printed.out.split('\n').first(), tree.file("lib/tarvelin/demoemu").toUtf8());

    QCOMPARE(run(program, {"--data", tree.file("other"), "--preset", "mame", "--list"}).status, 1);
    QVERIFY(!QFileInfo::exists(tree.file("other/dovrel/dovrel.ini")));
}

void tst_TarvelinCommands::perUserFolderWithoutData() {
    const TestAppFolder tree;
    const QString program = installedCopy(tree);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DATA_HOME", tree.file("xdg"));
    environment.insert("HOME", tree.file("home"));

    const Run help = run(program, {"--help"}, environment);
    QCOMPARE(help.status, 0);
    QVERIFY(help.out.contains("Data folder: " + tree.file("xdg/tarvelin").toUtf8() +
                              " (your own data folder: the program's folder holds no dovrel/)"));
    const Run unset = run(program, {"--list"}, environment);
    QCOMPARE(unset.status, 1);
    QVERIFY(unset.err.contains("holds no dovrel/dovrel.ini"));
    QCOMPARE(run(program, {"--preset", "demo", "--list"}, environment).status, 0);
    QVERIFY(QFileInfo(tree.file("xdg/tarvelin/dovrel/dovrel.ini")).isFile());
    QVERIFY(!QFileInfo::exists(tree.file("home/.local")));
}

void tst_TarvelinCommands::portableFolderWithoutData() {
    const TestAppFolder app;
    setUp(app);
    QVERIFY(QFile::copy(QStringLiteral(TARVELIN_EXE), app.file("tarvelin")));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DATA_HOME", app.file("xdg"));
    const Run help = run(app.file("tarvelin"), {"--help"}, environment);
    QVERIFY(help.out.contains("Data folder: " + app.path().toUtf8() +
                              " (the program's own folder, which holds dovrel/"));
    const Run printed = run(app.file("tarvelin"), {"--print-command", "alpha"}, environment);
    QCOMPARE(printed.status, 0);
    QVERIFY(printed.out.startsWith(app.file("emu").toUtf8() + "\nroms/alpha.zip\n"));
    QVERIFY(!QFileInfo::exists(app.file("xdg")));
}

void tst_TarvelinCommands::systemCommands_data() {
    QTest::addColumn<QStringList>("arguments"); // "@" = the tree
    QTest::addColumn<bool>("fresh"); // the installed copy, MAME beside it, on an empty data folder
    QTest::addColumn<QStringList>("removed"); // taken away before the run
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err");  // a part of stderr
    QTest::addColumn<int>("errLines");    // -1: any number
    QTest::addColumn<QStringList>("ran"); // the systems whose emulator was started

    const QStringList data{"--data", "@/data"};
    const QStringList none;
    const QByteArray bothSystems =
        "Arcade\t@/data/arcade\tarcemu\t-\nHome Computer\t@/data/home\thomeemu\t3\n";
    const QByteArray homeGames = "Home Computer\tc64\tC64 Game\t0\n"
                                 "Home Computer\tvic20\tVIC-20\t0\n"
                                 "Home Computer\tamiga\tAmiga Tab\t0\n";
    const QByteArray arcadeGames = "Arcade\talpha\tAlpha\t1\nArcade\tbeta\tBeta\t0\n";

    QTest::newRow("systems: from the files alone")
        << data + QStringList{"--systems"} << false << none << 0 << bothSystems << QByteArray() << 0
        << none;
    QTest::newRow("systems of a folder without a list: itself, by its caption")
        << QStringList{"--data", "@/data/arcade", "--systems"} << false << none << 0
        << QByteArray("Arcade\t@/data/arcade\tarcemu\t-\n") << QByteArray() << 0 << none;
    QTest::newRow("list: every system in the list's order, its name first")
        << data + QStringList{"--list"} << false << none << 0 << arcadeGames + homeGames
        << QByteArray() << 0 << QStringList{"arcade"};
    QTest::newRow("list of one system, letter case ignored: the usual three fields")
        << data + QStringList{"--list", "--system", "home COMPUTER"} << false << none << 0
        << QByteArray("c64\tC64 Game\t0\nvic20\tVIC-20\t0\namiga\tAmiga Tab\t0\n") << QByteArray()
        << 0 << none;
    QTest::newRow("print-command on the named system")
        << data + QStringList{"--print-command", "alpha", "--system", "arcade"} << false << none
        << 0 << QByteArray("@/data/arcade/arcemu\nroms/alpha.zip\n") << QByteArray() << 0
        << QStringList{"arcade"};
    QTest::newRow("print-command without a system: the one shown last")
        << data + QStringList{"--print-command", "vic20"} << false << none << 0
        << QByteArray("@/data/home/homeemu\nroms/vic20.zip\n") << QByteArray() << 0 << none;
    QTest::newRow("unknown system: the ones there are")
        << data + QStringList{"--list", "--system", "NES"} << false << none << 2 << QByteArray()
        << QByteArray("tarvelin: no system named \"NES\" in @/data (there are Arcade, Home "
                      "Computer)\n")
        << 1 << none;
    QTest::newRow("a system in a folder without a list")
        << QStringList{"--data", "@/data/arcade", "--launch", "alpha", "--system", "Arcade"}
        << false << none << 2 << QByteArray()
        << QByteArray("tarvelin: @/data/arcade lists no systems (dovrel/systems.ini), so "
                      "--system \"Arcade\" names none\n")
        << 1 << none;
    QTest::newRow("a listed folder deleted: one warning, the other listed")
        << data + QStringList{"--list"} << false << QStringList{"data/home"} << 0 << arcadeGames
        << QByteArray("tarvelin: @/data/dovrel/systems.ini: system 2 (\"Home Computer\") left "
                      "out: @/data/home holds no dovrel/dovrel.ini\n")
        << 1 << QStringList{"arcade"};
    QTest::newRow("a system whose list cannot be made: named, the others still printed")
        << data + QStringList{"--list"} << false << QStringList{"data/arcade/arcemu"} << 1
        << homeGames
        << QByteArray("\ntarvelin: the games of system \"Arcade\" are left out: its game list "
                      "could not be made\n")
        << -1 << none;
    QTest::newRow("preset twice: each a system of its own")
        << data + QStringList{"--preset", "demo", "--preset", "mame", "--systems"} << true << none
        << 0
        << QByteArray("Demo emulator\t@/data/demo\t@/lib/tarvelin/demoemu\t-\n"
                      "MAME\t@/data/mame\t@/bin/mame\t-\n")
        << QByteArray() << 0 << none;
}

void tst_TarvelinCommands::systemCommands() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, fresh);
    QFETCH(QStringList, removed);
    QFETCH(int, status);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    QFETCH(int, errLines);
    QFETCH(QStringList, ran);
    const TestAppFolder tree;
    const QString program = fresh ? installedCopy(tree) : QStringLiteral(TARVELIN_EXE);
    if (fresh)
        tree.writeScript("bin/mame", "exit 0\n");
    else
        writeSystems(tree);
    for (const QString& path : removed)
        QVERIFY(QFileInfo(tree.file(path)).isDir() ? QDir(tree.file(path)).removeRecursively()
                                                   : QFile::remove(tree.file(path)));
    for (QString& argument : arguments)
        argument.replace("@", tree.path());

    const Run result = run(program, arguments);
    const QByteArray at = tree.path().toUtf8();
    QCOMPARE(result.status, status);
    QCOMPARE(result.out, out.replace("@", at));
    QVERIFY2(result.err.contains(err.replace("@", at)), result.err.constData());
    if (errLines >= 0)
        QCOMPARE(result.err.count('\n'), errLines);
    QCOMPARE(systemsThatRan(tree), ran);
}

QTEST_GUILESS_MAIN(tst_TarvelinCommands)
#include "tst_TarvelinCommands.moc"

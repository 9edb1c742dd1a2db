#include "base/Ini.h"
#include "setup/DataFolder.h"
#include "setup/FirstRun.h"
#include "setup/PresetInstaller.h"
#include "setup/Presets.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include "common/TestAppFolder.h"

// A fake installation in a temporary tree:
//   bin/                    the executable's folder
//   lib/tarvelin/           the demo emulator's installed place
//   share/tarvelin/demo/    dovrel/ (ExeName=demoemu), roms/, demoemu.ini
//   share/tarvelin/presets/mame/      dovrel.ini (ExeName=mame), cfgdef.ini, README.md
//   path/                   a folder of PATH
// ScummVM's preset is missing, as from an installation without it.
namespace {

const QByteArray kDemoSettings = "[Parse]\r\nWindowCaption=Demo\r\nExeName=demoemu\r\n"
                                 "GameListCommand=-listfull\r\n[Settings]\r\nRomExt=.zip\r\n";
const QByteArray kMameSettings = "[Parse]\nExeName=mame\nGameListCommand=-listxml\n";

class Installation {
public:
    Installation() {
        tree.write("share/tarvelin/demo/dovrel/dovrel.ini", kDemoSettings);
        tree.write("share/tarvelin/demo/dovrel/cfgdef.ini", "[General]\nNumCats=0\n");
        tree.write("share/tarvelin/demo/dovrel/cfgs/.gitkeep", "");
        tree.write("share/tarvelin/demo/roms/pacman.zip", "shipped rom");
        tree.write("share/tarvelin/demo/demoemu.ini", "[Player 1]\nup=Up Arrow\n");
        tree.write("share/tarvelin/presets/mame/dovrel.ini", kMameSettings);
        tree.write("share/tarvelin/presets/mame/cfgdef.ini", "[General]\nNumCats=1\n");
        tree.write("share/tarvelin/presets/mame/README.md", "# MAME\n");
        QDir(tree.path()).mkpath("bin");
        QDir(tree.path()).mkpath("lib/tarvelin");
        QDir(tree.path()).mkpath("path");
    }
    QString path(const QString& relative) const { return tree.file(relative); }
    std::vector<Preset> presets() const {
        return FindPresets(PresetPlacesFor(path("bin"), path("path") + ":" + path("nowhere")));
    }
    void program(const QString& relative) const { tree.writeScript(relative, "exit 0\n"); }

    TestAppFolder tree;
};

} // namespace

class tst_Presets : public QObject {
    Q_OBJECT
private slots:
    void findsPrograms_data();
    void findsPrograms();
    void listsTheKnownPresetsInOrder();
    void installs_data();
    void installs();
    void keepsFilesTheFolderHolds();
    void installFailureLeavesNoSettings_data();
    void installFailureLeavesNoSettings();
    void firstRunWithoutWindow_data();
    void firstRunWithoutWindow();
};

void tst_Presets::findsPrograms_data() {
    QTest::addColumn<QStringList>("programs"); // executables written into the tree
    QTest::addColumn<QStringList>("plain");    // files that are not executable
    QTest::addColumn<QString>("demo");         // where demoemu is found; empty: not found
    QTest::addColumn<QString>("mame");

    QTest::newRow("nothing anywhere") << QStringList{} << QStringList{} << ""
                                      << "";
    QTest::newRow("beside the executable")
        << QStringList{"bin/demoemu", "bin/mame"} << QStringList{} << "bin/demoemu"
        << "bin/mame";
    QTest::newRow("installed demo emulator, MAME on PATH")
        << QStringList{"lib/tarvelin/demoemu", "path/mame"} << QStringList{}
        << "lib/tarvelin/demoemu"
        << "path/mame";
    QTest::newRow("the executable's folder before PATH")
        << QStringList{"path/demoemu", "bin/demoemu"} << QStringList{} << "bin/demoemu"
        << "";
    QTest::newRow("a file that is not executable is no program")
        << QStringList{"path/mame"} << QStringList{"bin/mame"} << ""
        << "path/mame";
}

void tst_Presets::findsPrograms() {
    QFETCH(QStringList, programs);
    QFETCH(QStringList, plain);
    QFETCH(QString, demo);
    QFETCH(QString, mame);
    const Installation inst;
    for (const QString& p : programs)
        inst.program(p);
    for (const QString& p : plain)
        inst.tree.write(p, "not a program");

    const std::vector<Preset> presets = inst.presets();
    QCOMPARE(PresetNamed(presets, "demo")->found, demo.isEmpty() ? QString() : inst.path(demo));
    QCOMPARE(PresetNamed(presets, "mame")->found, mame.isEmpty() ? QString() : inst.path(mame));
    QCOMPARE(PresetNamed(presets, "demo")->emulatorFound(), !demo.isEmpty());
}

void tst_Presets::listsTheKnownPresetsInOrder() {
    const Installation inst;
    const std::vector<Preset> presets = inst.presets();
    QCOMPARE(PresetNames(presets),
             QString("demo, mame, scummvm, dosbox, fceux, nestopia, gambatte, mgba, stella, hatari"));
    QCOMPARE(presets[0].source, inst.path("share/tarvelin/demo"));
    QCOMPARE(presets[0].program, QString("demoemu"));
    QCOMPARE(presets[1].program, QString("mame"));
    QVERIFY(!presets[2].available());
    QVERIFY(!PresetNamed(presets, "Demo")); // names are exact
    QCOMPARE(PresetUnusableReason(presets[2]), QString("not part of this installation"));
    QCOMPARE(PresetUnusableReason(presets[1]),
             QString("mame not found beside Tarvelin or on PATH"));
}

void tst_Presets::installs_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("files");   // expected in the data folder
    QTest::addColumn<QStringList>("absent");  // never copied
    QTest::addColumn<QByteArray>("settings"); // dovrel/dovrel.ini afterwards, "@" = the tree

    QTest::newRow("demo: the whole folder, ExeName the installed program")
        << "demo"
        << "lib/tarvelin/demoemu"
        << QStringList{"dovrel/cfgdef.ini", "roms/pacman.zip", "demoemu.ini"}
        << QStringList{"dovrel/cfgs/.gitkeep", "dovrel/demoemu.ini"}
        << QByteArray("[Parse]\r\nWindowCaption=Demo\r\nExeName=@/lib/tarvelin/demoemu\r\n"
                      "GameListCommand=-listfull\r\n[Settings]\r\nRomExt=.zip\r\n");
    QTest::newRow("mame: its files into dovrel/, ExeName the program on PATH")
        << "mame"
        << "path/mame" << QStringList{"dovrel/cfgdef.ini"}
        << QStringList{"dovrel/README.md", "README.md", "cfgdef.ini", "roms"}
        << QByteArray("[Parse]\nExeName=@/path/mame\nGameListCommand=-listxml\n");
}

void tst_Presets::installs() {
    QFETCH(QString, name);
    QFETCH(QString, program);
    QFETCH(QStringList, files);
    QFETCH(QStringList, absent);
    QFETCH(QByteArray, settings);
    const Installation inst;
    inst.program(program);
    const QString data = inst.path("home/data");

    QString error;
    QVERIFY2(InstallPreset(*PresetNamed(inst.presets(), name), data, &error), qPrintable(error));
    QFile written(data + "/dovrel/dovrel.ini");
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), settings.replace("@", inst.tree.path().toUtf8()));
    QVERIFY(QFileInfo(data + "/dovrel/cfgs").isDir());
    for (const QString& file : files)
        QVERIFY2(QFileInfo(data + u'/' + file).isFile(), qPrintable(file));
    for (const QString& file : absent)
        QVERIFY2(!QFileInfo::exists(data + u'/' + file), qPrintable(file));
    // The copies are the user's to change.
    QVERIFY(QFileInfo(data + "/dovrel/cfgdef.ini").permissions() & QFile::WriteOwner);
    QVERIFY(!NeedsSetup(data));
}

void tst_Presets::keepsFilesTheFolderHolds() {
    const Installation inst;
    inst.program("bin/demoemu");
    const QString data = inst.path("data");
    inst.tree.write("data/roms/pacman.zip", "the user's own rom");
    inst.tree.write("data/dovrel/cfgs/default.ini", "[Video]\nScale=3\n");
    QString error;
    QVERIFY(InstallPreset(*PresetNamed(inst.presets(), "demo"), data, &error));
    QCOMPARE(inst.tree.read("data/roms/pacman.zip"), QByteArray("the user's own rom"));
    QCOMPARE(inst.tree.read("data/dovrel/cfgs/default.ini"), QByteArray("[Video]\nScale=3\n"));
    // A folder that is set up already is never overwritten.
    QVERIFY(!InstallPreset(*PresetNamed(inst.presets(), "demo"), data, &error));
    QVERIFY(error.endsWith("exists already"));
}

void tst_Presets::installFailureLeavesNoSettings_data() {
    QTest::addColumn<QString>("obstacle"); // a regular file where a folder must go
    QTest::addColumn<QString>("reason");
    QTest::newRow("the data folder is a file") << "data"
                                               << "cannot create the folder";
    QTest::newRow("dovrel is a file") << "data/dovrel"
                                      << "cannot create the folder";
    QTest::newRow("roms is a file") << "data/roms"
                                    << "cannot create the folder";
    QTest::newRow("demoemu.ini is a folder") << "data/demoemu.ini/x"
                                             << "cannot copy";
}

void tst_Presets::installFailureLeavesNoSettings() {
    QFETCH(QString, obstacle);
    QFETCH(QString, reason);
    const Installation inst;
    inst.program("bin/demoemu");
    inst.tree.write(obstacle, "in the way");
    QString error;
    QVERIFY(!InstallPreset(*PresetNamed(inst.presets(), "demo"), inst.path("data"), &error));
    QVERIFY2(error.startsWith(reason), qPrintable(error));
    QVERIFY(!QFileInfo::exists(inst.path("data/dovrel/dovrel.ini")));
}

void tst_Presets::firstRunWithoutWindow_data() {
    QTest::addColumn<QString>("preset"); // the names of each --preset, separated by blanks
    QTest::addColumn<bool>("setUpAlready");
    QTest::addColumn<int>("next");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message"); // its start; empty: none
    QTest::addColumn<bool>("installed");  // ExeName is the found demo emulator afterwards

    const int ready = int(FirstRunResult::Next::Ready);
    const int ask = int(FirstRunResult::Next::AskInWindow);
    const int end = int(FirstRunResult::Next::End);
    QTest::newRow("no preset, folder empty: the window asks")
        << "" << false << ask << 0 << "" << false;
    QTest::newRow("no preset, set up") << "" << true << ready << 0 << "" << false;
    QTest::newRow("demo into an empty folder") << "demo" << false << ready << 0 << "" << true;
    QTest::newRow("demo into a set-up folder: left as it is")
        << "demo" << true << ready << 0 << "@/data is set up already" << false;
    QTest::newRow("unknown name") << "doom" << false << end << 2
                                  << "unknown preset \"doom\" (there are demo, mame, scummvm, "
                                     "dosbox, fceux, nestopia, gambatte, mgba, stella, hatari)"
                                  << false;
    QTest::newRow("unknown name, folder set up")
        << "doom" << true << end << 2 << "unknown preset" << false;
    QTest::newRow("emulator not found")
        << "mame" << false << end << 1 << "preset mame: mame not found" << false;
    QTest::newRow("preset not installed")
        << "scummvm" << false << end << 1 << "preset scummvm: not part of this installation"
        << false;
    QTest::newRow("two, one unknown: nothing written")
        << "demo doom" << false << end << 2 << "unknown preset \"doom\"" << false;
    QTest::newRow("two, one not found: nothing written")
        << "demo mame" << false << end << 1 << "preset mame: mame not found" << false;
    QTest::newRow("two into a set-up folder: left as it is")
        << "demo mame" << true << ready << 0
        << "@/data is set up already; --preset demo --preset mame left it" << false;
}

void tst_Presets::firstRunWithoutWindow() {
    QFETCH(QString, preset);
    QFETCH(bool, setUpAlready);
    QFETCH(int, next);
    QFETCH(int, status);
    QFETCH(QString, message);
    QFETCH(bool, installed);
    const Installation inst;
    inst.program("lib/tarvelin/demoemu");
    const QString data = inst.path("data");
    if (setUpAlready)
        inst.tree.write("data/dovrel/dovrel.ini", "[Parse]\nExeName=mine\n");

    const FirstRunResult result =
        FirstRunWithoutWindow(data, preset.split(u' ', Qt::SkipEmptyParts), inst.presets());
    QCOMPARE(int(result.next), next);
    QCOMPARE(result.exitStatus, status);
    message.replace("@", inst.tree.path());
    QVERIFY2(message.isEmpty() ? result.message.isEmpty() : result.message.startsWith(message),
             qPrintable(result.message));
    QCOMPARE(ReadIni(data + "/dovrel/dovrel.ini", "Parse", "ExeName"),
             installed      ? inst.path("lib/tarvelin/demoemu")
             : setUpAlready ? QString("mine")
                            : QString());
    // Every name is checked before anything is written.
    QCOMPARE(QDir(data).isEmpty(), !installed && !setUpAlready);
}

QTEST_GUILESS_MAIN(tst_Presets)
#include "tst_Presets.moc"

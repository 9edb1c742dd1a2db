#include "base/AppPaths.h"
#include "base/Ini.h"
#include "base/Settings.h"
#include "gamelist/GameListGenerator.h"
#include "launch/LaunchEmulator.h"
#include "options/CreateCLOString.h"
#include "options/MemoryPanelBuilder.h"
#include "options/MemoryPanelValues.h"
#include "options/OptionDefinitionReader.h"
#include "options/OptionTable.h"
#include "setup/PresetInstaller.h"
#include "setup/Presets.h"

#include <QtTest>

#include "common/FakeDialogs.h"
#include "common/TestAppFolder.h"

// The shipped console presets as the package carries them: each is offered, sets a data folder
// up, lists the ROM folder and composes the launch with the game's full path. A stand-in script
// takes the emulator's place; the real emulators are checked by scripts/check-presets.
class tst_ConsolePresets : public QObject {
    Q_OBJECT
private slots:
    void setsUpListsAndLaunches_data();
    void setsUpListsAndLaunches();
};

void tst_ConsolePresets::setsUpListsAndLaunches_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("gameFile");
    QTest::addColumn<QStringList>("arguments"); // {path} is the game file's full path
    const QString core = "/usr/lib/x86_64-linux-gnu/libretro/";
    QTest::newRow("dosbox") << "dosbox" << "roms/Keen/KEEN4.EXE"
                            << QStringList{"{path}", "-exit", "-machine", "svga_s3", "-scaler",
                                           "normal2x"};
    QTest::newRow("dosbox program") << "dosbox" << "roms/Hello World.com"
                                    << QStringList{"{path}", "-exit", "-machine", "svga_s3",
                                                   "-scaler", "normal2x"};
    QTest::newRow("fceux") << "fceux" << "roms/Blue (World).nes"
                           << QStringList{"--fullscreen", "0", "--xscale", "2", "--yscale", "2",
                                          "--special", "0", "--pal", "0", "--sound", "1",
                                          "--volume", "150", "{path}"};
    QTest::newRow("nestopia") << "nestopia" << "roms/nes/Blue (World).NES"
                              << QStringList{"-L", core + "nestopia_libretro.so", "{path}"};
    QTest::newRow("gambatte") << "gambatte" << "roms/Black (World).gbc"
                              << QStringList{"-L", core + "gambatte_libretro.so", "{path}"};
    QTest::newRow("mgba") << "mgba" << "roms/Button (World).gba"
                          << QStringList{"--scale", "3", "--frameskip", "0", "{path}"};
    QTest::newRow("stella") << "stella" << "roms/Blue (World).a26"
                            << QStringList{"-fullscreen", "0", "-tia.zoom", "3", "-tv.filter",
                                           "0", "-palette", "standard", "-audio.volume", "80",
                                           "{path}"};
    QTest::newRow("hatari") << "hatari" << "roms/st/Blue (World).st"
                            << QStringList{"--machine", "st", "--memsize", "1", "--fast-boot",
                                           "off", "--zoom", "1", "--statusbar", "on",
                                           "--borders", "on", "--joy1", "keys", "--joy0", "none",
                                           "--sound", "44100", "{path}"};
}

void tst_ConsolePresets::setsUpListsAndLaunches() {
    QFETCH(QString, name);
    QFETCH(QString, gameFile);
    QFETCH(QStringList, arguments);
    TestAppFolder bin;
    const QString program = name == "nestopia" || name == "gambatte" ? "retroarch" : name;
    bin.writeScript(program, "exit 0\n");
    const std::vector<Preset> presets =
        FindPresets({{QStringLiteral(TARVELIN_SOURCE_DIR)}, {bin.path()}, {}});
    const std::optional<Preset> preset = PresetNamed(presets, name);
    QVERIFY(preset && preset->available());
    QCOMPARE(preset->found, bin.file(program));
    QVERIFY(QFileInfo(preset->source + "/README.md").isFile());

    TestAppFolder data;
    QString error;
    QVERIFY2(InstallPreset(*preset, data.path(), &error), qPrintable(error));
    data.write(gameFile, "");
    data.write("roms/notes.txt", "");
    FakeDialogs dialogs;
    FrontEndSettings s = ReadFrontEndSettings(data.path());
    QVERIFY(ListsRomFolder(s));
    const GameListResult list =
        GenerateGameList(dialogs, GameListRequestFor(data.path(), s), ListLayoutFor(s));
    QVERIFY2(list.ok, qPrintable(list.message + list.cause));
    QVERIFY(list.warnings.isEmpty());
    const QString rom = name == "dosbox" && gameFile.contains("Keen")
                            ? QStringLiteral("Keen")
                            : QFileInfo(gameFile).completeBaseName();
    QCOMPARE(data.read("dovrel/glist.lst"), (rom + u'|' + rom + "\r\n").toUtf8());

    ApplySettingsDefaults(s, data.path());
    OptionTable table;
    MemoryPanelValues panel;
    MemoryPanelBuilder sink(panel);
    Options::ReadOptionDefinitions(AppPaths::optionDefinitions(data.path()), table, sink);
    QDir::setCurrent(data.path());
    const QString path = gameFile.contains("Keen") ? data.file("roms/Keen") : data.file(gameFile);
    arguments.replaceInStrings("{path}", path);
    QCOMPARE(LaunchArguments(s, rom, Options::CreateCLOString(table, panel)), arguments);
}

QTEST_GUILESS_MAIN(tst_ConsolePresets)
#include "tst_ConsolePresets.moc"

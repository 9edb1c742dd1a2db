#include "base/AppPaths.h"
#include "base/Ini.h"
#include "base/Settings.h"
#include "controls/ui/frmControls.h"
#include "gamelist/ui/GameListBox.h"
#include "launch/LaunchEmulator.h"
#include "profiles/ProfilePaths.h"
#include "profiles/Profiles.h"
#include "session/GameSession.h"
#include "shell/frmMain.h"
#include "ui/Twips.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

#include "HostileFiles.h"
#include "common/FakeDialogs.h"
#include "common/MainWindowFixture.h"
#include "common/TestAppFolder.h"

// What runs and what is written: ROM names and option values reach the emulator as literal
// argument text and run nothing else; a ROM name that would lead a profile out of dovrel/cfgs
// touches no file; and a whole session writes nowhere but the application folder.
namespace {

const char* const kSessionRole = "TARVELIN_SAFETY_SESSION";

// Everything a shell would act on but "|", which no cache line can hold in a ROM name. Each
// command would leave a file named "canary" behind.
const QStringList kShellSyntax = {
    "a;touch canary",
    "$(touch canary)",
    "`touch canary`",
    "x&touch canary",
    "x&&touch canary",
    "x>canary",
    "x<canary",
    "*",
    "?",
    "~",
    "it's",
    "${HOME}",
    "a\tb",
    "!x",
    "#x",
};

// The emulator stand-in writes its arguments, each ended by a NUL, so that line breaks and
// blanks inside arguments show; one more NUL ends a run (no argument is ever empty). Asked for
// its list, it prints one.
QByteArray recorder(const QByteArray& list = QByteArray()) {
    return "if [ \"$1\" = -list ]; then printf '%s' '" + list +
           "'; exit 0; fi\nprintf '%s\\0' \"$@\" >> args.bin\nprintf '\\0' >> args.bin\n";
}

QByteArray settings(int send, int quotes, const QString& romPath) {
    return "[Parse]\nExeName=emu\nGameListCommand=-list\nGameListStartLine=0\n"
           "GameListRomLen=40\nHelpEndLine=0\n[Settings]\nRomPath=" +
           romPath.toUtf8() + "\nSendRomPath=" + QByteArray::number(send) +
           "\nRomPathinQuotes=" + QByteArray::number(quotes) +
           "\nRomExt=.zip\nShowConfig=1\nShowMissingRoms=1\n";
}

const QByteArray kDefinitions = "[General]\nNumCats=1\n[Cat1]\nName=Main\nnumOpts=2\n"
                                "opt1=-name |Name|0|plain\n"
                                "opt2=-mode |Mode|1|$(touch canary)|`touch canary`|; rm x|2\n";

// The runs recorded so far, each the list of its arguments.
QList<QStringList> runsIn(const QByteArray& bytes) {
    QList<QStringList> runs;
    QStringList current;
    QList<QByteArray> args = bytes.split('\0');
    args.removeLast(); // after the last NUL
    for (const QByteArray& arg : args) {
        if (arg.isEmpty()) {
            runs << current;
            current.clear();
        } else {
            current << QString::fromUtf8(arg);
        }
    }
    return runs;
}

// A window on a prepared application folder, started without the list generation.
struct Window : MainWindowFixture {
    Window(const QByteArray& cache, int send, int quotes, const QString& romPath = QString()) {
        app.write("dovrel/dovrel.ini", settings(send, quotes, romPath));
        app.write("dovrel/cfgdef.ini", kDefinitions);
        app.write("dovrel/glist.lst", cache);
        app.writeScript("emu", recorder());
        startFromCache();
    }
    QList<QStringList> runs() const { return runsIn(app.read("args.bin")); }
};

QStringList canaries(const QString& folder) {
    QStringList found;
    QDirIterator it(folder, {"canary"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        found << it.next();
    if (QFileInfo::exists(QDir::current().filePath("canary")))
        found << QDir::current().filePath("canary");
    return found;
}

// Child: a whole session in an application folder inside a world of other folders.
int runSession(const QString& appDir) {
    GameSession state(appDir);
    FakeDialogs dialogs;
    dialogs.yesNoAnswer = true;
    frmMain w(state, dialogs);
    if (!w.Form_Load())
        return 2;
    for (int row = 0; row < w.lstGames->count(); ++row) {
        w.lstGames->setCurrentRow(row);
        w.optionsPanel().setText(1, "changed for " + w.GameList().romName(row));
        w.cmdSaveRom_Click();
        w.cmdLaunch_Click();
        w.cmdRevert_Click();
    }
    w.cmdSaveDefault_Click();
    w.mnuShowMissingRoms_Click();
    w.mnuViewShowGameConfig_Click();
    dialogs.inputAnswer = QFileInfo(appDir).path() + "/roms2/";
    w.mnuConfigSetRomPath_Click();
    w.mnuConfigControls_Click();
    if (auto* controls = w.findChild<frmControls*>()) {
        QTest::qWait(50);
        controls->cmdSave_Click();
        controls->close();
    }
    return 0;
}

} // namespace

class tst_SafeLaunch : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        Twips::setPerPixel(15);
        m_startDir = QDir::currentPath();
    }
    void cleanup() { QDir::setCurrent(m_startDir); }

    void romNamesArriveLiterally_data();
    void romNamesArriveLiterally();
    void breaksAndBarsInROMNames_data();
    void breaksAndBarsInROMNames();
    void optionValuesFromFilesArriveLiterally();
    void unsafeROMNamesTouchNoFile_data();
    void unsafeROMNamesTouchNoFile();
    void sessionWritesOnlyInTheApplicationFolder();

private:
    QString m_startDir;
};

void tst_SafeLaunch::romNamesArriveLiterally_data() {
    QTest::addColumn<QString>("rom");
    QTest::addColumn<int>("flags");             // SendRomPath and RomPathinQuotes both
    QTest::addColumn<QStringList>("arguments"); // what the emulator gets before the options
    for (const QString& rom : kShellSyntax)
        QTest::addRow("quoted path: %s", qPrintable(rom))
            << rom << 1 << QStringList{"@" + rom + ".zip"};
    // Bare, a name splits at its blanks and at nothing else.
    for (const QString rom : {"a;touch canary", "$(touch canary)", "x>canary", "*", "a\tb"})
        QTest::addRow("bare: %s", qPrintable(rom))
            << rom << 0 << rom.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
    // A quote of the name is a character like any other: it neither closes the ROM argument's
    // quotes nor opens a group of its own.
    QTest::newRow("quotes, quoted path")
        << "x\" -evil \"y" << 1 << QStringList{"@x\" -evil \"y.zip"};
    QTest::newRow("quotes, bare") << "say \"hi there\"" << 0
                                  << QStringList{"say", "\"hi", "there\""};
}

void tst_SafeLaunch::romNamesArriveLiterally() {
    QFETCH(QString, rom);
    QFETCH(int, flags);
    QFETCH(QStringList, arguments);
    TestAppFolder probe; // the ROM folder's path, known before the window exists
    Window win(rom.toUtf8() + "|Game\r\n", flags, flags, probe.path() + "/roms/");
    QCOMPARE(win.w.GameList().romName(0), rom);
    win.w.cmdLaunch->click();
    const QList<QStringList> runs = win.runs();
    QCOMPARE(runs.size(), 1);
    for (QString& a : arguments)
        a.replace("@", probe.path() + "/roms/");
    QCOMPARE(runs[0].mid(0, arguments.size()), arguments);
    const QStringList options = {"-name", "plain", "-mode", "`touch", "canary`"};
    QCOMPARE(runs[0].mid(arguments.size()), options);
    QCOMPARE(canaries(win.app.path()), QStringList());
    QVERIFY(win.dialogs.shown.isEmpty());
}

void tst_SafeLaunch::breaksAndBarsInROMNames_data() {
    QTest::addColumn<QString>("rom");
    QTest::addColumn<int>("flags");
    QTest::addColumn<QStringList>("arguments");
    // No cache line holds these; a ROM name reaches the launch only from the list, but the
    // launch itself must not turn them into commands either.
    QTest::newRow("line break, quoted")
        << "a\n;touch canary" << 1 << QStringList{"/r/a\n;touch canary.zip"};
    QTest::newRow("line break, bare")
        << "a\n;touch canary" << 0 << QStringList{"a", ";touch", "canary"};
    QTest::newRow("CR and bar, quoted")
        << "a\r|touch canary" << 1 << QStringList{"/r/a\r|touch canary.zip"};
    QTest::newRow("bar, bare") << "x|touch canary" << 0 << QStringList{"x|touch", "canary"};
}

void tst_SafeLaunch::breaksAndBarsInROMNames() {
    QFETCH(QString, rom);
    QFETCH(int, flags);
    QFETCH(QStringList, arguments);
    TestAppFolder app;
    app.writeScript("emu", recorder());
    FrontEndSettings settings;
    settings.ExeName = "emu";
    settings.RomPath = "/r/";
    settings.RomExt = ".zip";
    settings.SendRomPath = qint16(flags);
    settings.RomPathinQuotes = qint16(flags);
    FakeDialogs dialogs;
    LaunchEmulator(dialogs, app.path(), settings, rom, " -x $(touch canary)");
    const QList<QStringList> runs = runsIn(app.read("args.bin"));
    QCOMPARE(runs.size(), 1);
    const QStringList options = {"-x", "$(touch", "canary)"};
    QCOMPARE(runs[0], arguments + options);
    QCOMPARE(canaries(app.path()), QStringList());
}

void tst_SafeLaunch::optionValuesFromFilesArriveLiterally() {
    // Values come from a game profile someone edited by hand, and from the definitions' choices.
    Window win("alpha|Alpha\r\n", 1, 1);
    win.app.write("dovrel/cfgs/alpha.ini",
                  "[Main]\nName=$(touch canary); rm -rf / | cat > out & `id` \"two  words\"\n"
                  "Mode=3\n");
    win.w.lstGames->setCurrentRow(-1);
    win.w.lstGames->setCurrentRow(0);
    QCOMPARE(win.w.optionsPanel().text(1),
             QString("$(touch canary); rm -rf / | cat > out & `id` \"two  words\""));
    win.w.cmdLaunch->click();
    const QList<QStringList> runs = win.runs();
    QCOMPARE(runs.size(), 1);
    const QStringList expected = {"-name",      "$(touch", "canary);", "rm",  "-rf", "/",
                                  "|",          "cat",     ">",        "out", "&",   "`id`",
                                  "two  words", "-mode",   ";",        "rm",  "x"};
    QCOMPARE(runs[0].mid(1), expected);
    QCOMPARE(canaries(win.app.path()), QStringList());
    QVERIFY(!win.app.exists("out"));
}

void tst_SafeLaunch::unsafeROMNamesTouchNoFile_data() {
    QTest::addColumn<QString>("rom");
    QTest::newRow("parent folder") << "../victim";
    QTest::newRow("two levels up") << "../../victim";
    QTest::newRow("sibling folder") << "../outside/victim";
    QTest::newRow("absolute path") << "/victim";
    QTest::newRow("subfolder") << "sub/victim";
    QTest::newRow("..") << "..";
    QTest::newRow(".") << ".";
    QTest::newRow("default: the default profile itself") << "default";
    QTest::newRow("NUL") << QString::fromUtf8("vic\0tim", 7);
}

void tst_SafeLaunch::unsafeROMNamesTouchNoFile() {
    QFETCH(QString, rom);
    Window win(rom.toUtf8() + "|Victim\r\nsafe|Safe\r\n", 1, 1);
    // Files a profile path built from the name could reach, each holding a value that must
    // never show in the panel.
    const QByteArray victim = "[Main]\nName=from a victim file\n";
    for (const char* where :
         {"dovrel/victim.ini", "victim.ini", "dovrel/outside/victim.ini",
          "dovrel/cfgs/sub/victim.ini", "dovrel/cfgs/..ini", "dovrel/cfgs/.ini"})
        win.app.write(where, victim);
    const QString outsideApp = QFileInfo(win.app.path()).path() + "/victim.ini";
    QVERIFY(!QFileInfo::exists(outsideApp));
    win.w.cmdSaveDefault->click();
    const QByteArray defaults = win.app.read("dovrel/cfgs/default.ini");
    const QByteArray before = HostileFiles::TreeSnapshot(win.app.path());

    win.dialogs.yesNoAnswer = true;
    win.w.lstGames->setCurrentRow(1);
    win.w.lstGames->setCurrentRow(0);
    QCOMPARE(win.w.GameList().romName(0), rom);
    QCOMPARE(win.w.optionsPanel().text(1), QString("plain")); // only the default profile is read
    win.w.optionsPanel().setText(1, "changed");
    win.w.cmdSaveRom->click();
    win.w.cmdRevert->click();
    win.w.cmdLaunch->click();

    QByteArray after = HostileFiles::TreeSnapshot(win.app.path());
    QList<QByteArray> lines = after.split('\n');
    lines.removeIf([](const QByteArray& l) { return l.startsWith("args.bin "); });
    QCOMPARE(lines.join('\n'), before);
    QCOMPARE(win.app.read("dovrel/cfgs/default.ini"), defaults);
    QVERIFY(!QFileInfo::exists(outsideApp));
    // Save and Revert each say once that the game's profile cannot be kept; Revert asks nothing.
    QCOMPARE(win.dialogs.shown.size(), 2);
    for (const FakeDialogs::Shown& shown : win.dialogs.shown) {
        QCOMPARE(shown.kind, QString("warning"));
        QCOMPARE(shown.text, ProfileMessages::unsafeName(rom));
    }
    // The name still reaches the emulator as it stands; no program argument can hold a NUL, so
    // there it ends the argument.
    QCOMPARE(win.runs().size(), 1);
    QCOMPARE(win.runs()[0].value(0), win.state.settings().RomPath + rom.section(QChar(0), 0, 0) +
                                         (rom.contains(QChar(0)) ? "" : ".zip"));
}

void tst_SafeLaunch::sessionWritesOnlyInTheApplicationFolder() {
    // The world: the application folder, the ROM folders the settings name, a home folder for
    // anything the desktop keeps, and a folder beside them that nothing may touch.
    QTemporaryDir world;
    const QString appDir = world.filePath("app");
    QDir().mkpath(appDir + "/dovrel/cfgs");
    for (const char* folder : {"roms", "roms2", "home", "tmp", "outside"})
        QDir(world.path()).mkpath(folder);
    const auto write = [](const QString& file, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(file).path());
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    QByteArray list;
    for (const char* rom : {"alpha", "../outside/x", "../../outside/y", "/abs", "default", "..",
                            "$(touch canary)", "z;touch canary"})
        list += QByteArray(rom).leftJustified(40, ' ') + " A game\n";
    write(appDir + "/dovrel/dovrel.ini", settings(1, 1, world.filePath("roms") + "/"));
    write(appDir + "/dovrel/cfgdef.ini", kDefinitions);
    write(appDir + "/dovrel/controldef.ini",
          "[General]\niniName=emu.ini\nnumCats=1\n[cat1]\nName=P1\nKeyName=[P1]\nnumInputs=1\n"
          "input1=up|Up|Up Arrow\n");
    write(appDir + "/emu", "#!/bin/sh\n" + recorder("Emu\n" + list));
    QFile::setPermissions(appDir + "/emu", QFile::permissions(appDir + "/emu") | QFile::ExeOwner);
    write(world.filePath("outside/keep.ini"), "[Main]\nName=kept\n");
    write(world.filePath("roms/alpha.zip"), "rom");

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(kSessionRole, "1");
    env.insert("HOME", world.filePath("home"));
    env.insert("TMPDIR", world.filePath("tmp"));
    for (const char* xdg : {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"})
        env.insert(xdg, world.filePath("home/") + xdg);
    // Qt makes a runtime folder in TMPDIR when the session names none; a desktop always does.
    QDir(world.path()).mkpath("home/runtime");
    QFile::setPermissions(world.filePath("home/runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    env.insert("XDG_RUNTIME_DIR", world.filePath("home/runtime"));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    child.setProcessEnvironment(env);
    child.setWorkingDirectory(world.filePath("tmp"));
    const QByteArray before = HostileFiles::TreeSnapshot(world.path());
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.setStandardOutputFile(QProcess::nullDevice());
    child.start(QCoreApplication::applicationFilePath(), {appDir});
    QVERIFY(child.waitForFinished(120000));
    QCOMPARE(child.exitCode(), 0);

    // Every entry that is new or changed lies in the application folder.
    const QList<QByteArray> beforeEntries = before.split('\n');
    const QSet<QByteArray> old(beforeEntries.cbegin(), beforeEntries.cend());
    QStringList elsewhere;
    for (const QByteArray& entry : HostileFiles::TreeSnapshot(world.path()).split('\n'))
        if (!old.contains(entry) && !entry.startsWith("app/") && !entry.startsWith("app "))
            elsewhere << QString::fromUtf8(entry);
    QVERIFY2(elsewhere.isEmpty(), qPrintable(elsewhere.join(u'\n')));
    QCOMPARE(canaries(world.path()), QStringList());
    // The session did what it was asked: the launches ran and the settings were written.
    QCOMPARE(runsIn([&] {
                 QFile f(appDir + "/args.bin");
                 return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
             }())
                 .size(),
             8);
    QCOMPARE(ReadIni(appDir + "/dovrel/dovrel.ini", "Settings", "RomPath"),
             world.filePath("roms2") + "/");
    QVERIFY(QFileInfo::exists(appDir + "/emu.ini"));
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsSet(kSessionRole)) {
        QApplication app(argc, argv);
        Twips::setPerPixel(15);
        return runSession(QCoreApplication::arguments().value(1));
    }
    QApplication app(argc, argv);
    tst_SafeLaunch test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_SafeLaunch.moc"

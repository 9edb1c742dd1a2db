#include "base/Settings.h"
#include "launch/CommandLine.h"
#include "launch/LaunchEmulator.h"

#include <QDir>
#include <QtTest>

#include "common/FakeDialogs.h"
#include "common/TestAppFolder.h"

namespace {

FrontEndSettings settingsWith(qint16 send, qint16 quotes, const QString& romPath,
                              const QString& romExt = ".zip") {
    FrontEndSettings s;
    s.ExeName = "emu";
    s.RomPath = romPath;
    s.RomExt = romExt;
    s.SendRomPath = send;
    s.RomPathinQuotes = quotes;
    return s;
}

// The emulator stand-in: records each argument it receives on a line of its own.
void writeRecorder(const TestAppFolder& app) {
    app.writeScript("emu", "printf '%s\\n' \"$@\" > args.txt\n");
}

QStringList recorded(const TestAppFolder& app) {
    QString text = QString::fromUtf8(app.read("args.txt"));
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text.split(u'\n');
}

} // namespace

class tst_LaunchEmulator : public QObject {
    Q_OBJECT
private slots:
    void init() { m_startDir = QDir::currentPath(); }
    void cleanup() { QDir::setCurrent(m_startDir); }

    void romArgument_data();
    void romArgument();
    void argumentText_data();
    void argumentText();
    void emulatorReceives_data();
    void emulatorReceives();
    void shellSyntaxArrivesLiterally();
    void runsFromTheApplicationFolder();
    void failuresAreReported_data();
    void failuresAreReported();
    void argumentTemplate_data();
    void argumentTemplate();

private:
    QString m_startDir;
};

void tst_LaunchEmulator::romArgument_data() {
    QTest::addColumn<int>("send");
    QTest::addColumn<int>("quotes");
    QTest::addColumn<QString>("romPath");
    QTest::addColumn<QString>("argument");
    QTest::newRow("path, quoted") << 1 << 1 << "/r/" << "\"/r/pac.zip\"";
    QTest::newRow("path, not quoted") << 1 << 0 << "/r/" << "/r/pac.zip";
    QTest::newRow("bare, quoted") << 0 << 1 << "/r/" << "\"pac\"";
    QTest::newRow("bare") << 0 << 0 << "/r/" << "pac";
    QTest::newRow("-1 is off") << -1 << -1 << "/r/" << "pac";
    QTest::newRow("2 is off") << 2 << 2 << "/r/" << "pac";
    QTest::newRow("no separator added") << 1 << 0 << "/roms" << "/romspac.zip";
    QTest::newRow("blanks kept") << 1 << 1 << "/my roms/" << "\"/my roms/pac.zip\"";
    QTest::newRow("empty path") << 1 << 0 << "" << "pac.zip";
}

void tst_LaunchEmulator::romArgument() {
    QFETCH(int, send);
    QFETCH(int, quotes);
    QFETCH(QString, romPath);
    QFETCH(QString, argument);
    QCOMPARE(RomArgument(settingsWith(qint16(send), qint16(quotes), romPath), "pac"), argument);
}

void tst_LaunchEmulator::argumentText_data() {
    QTest::addColumn<QString>("options");
    QTest::addColumn<QString>("text");
    QTest::newRow("no options") << "" << " \"/r/pac.zip\"";
    QTest::newRow("one option") << " -a" << " \"/r/pac.zip\"  -a";
    QTest::newRow("two options") << " -a 1 -b" << " \"/r/pac.zip\"  -a 1 -b";
    QTest::newRow("blank only") << " " << " \"/r/pac.zip\"  ";
}

void tst_LaunchEmulator::argumentText() {
    QFETCH(QString, options);
    QFETCH(QString, text);
    const FrontEndSettings s = settingsWith(1, 1, "/r/");
    QCOMPARE(LaunchArgumentText(s, "pac", options), text);
    // With both flags on and two options: ExeName, two blanks, the quoted ROM path, two blanks,
    // the options one blank apart, nothing after the last.
    if (options == " -a 1 -b")
        QCOMPARE(ComposeCommandLine(s.ExeName, LaunchArgumentText(s, "pac", options)),
                 QString("emu  \"/r/pac.zip\"  -a 1 -b"));
}

void tst_LaunchEmulator::emulatorReceives_data() {
    QTest::addColumn<int>("send");
    QTest::addColumn<int>("quotes");
    QTest::addColumn<QString>("romFolder"); // below the application folder
    QTest::addColumn<QString>("options");
    QTest::addColumn<QStringList>("arguments"); // "@" stands for the application folder
    QTest::newRow("both on, blanks in the path")
        << 1 << 1 << "/my roms/" << " -scale 2 -fs"
        << QStringList{"@/my roms/pac man.zip", "-scale", "2", "-fs"};
    QTest::newRow("path not quoted splits at blanks")
        << 1 << 0 << "/my roms/" << " -fs" << QStringList{"@/my", "roms/pac", "man.zip", "-fs"};
    QTest::newRow("bare name quoted") << 0 << 1 << "/my roms/" << "" << QStringList{"pac man"};
    QTest::newRow("bare name") << 0 << 0 << "/my roms/" << "" << QStringList{"pac", "man"};
    QTest::newRow("no options: nothing after the ROM")
        << 1 << 1 << "/roms/" << "" << QStringList{"@/roms/pac man.zip"};
    QTest::newRow("empty switches") << 1 << 1 << "/roms/" << " -name  -x"
                                    << QStringList{"@/roms/pac man.zip", "-name", "-x"};
    QTest::newRow("quotes in an option group its words")
        << 0 << 1 << "/" << " -title \"Big  Game\" -n=\"a b\"c"
        << QStringList{"pac man", "-title", "Big  Game", "-n=a bc"};
}

void tst_LaunchEmulator::emulatorReceives() {
    QFETCH(int, send);
    QFETCH(int, quotes);
    QFETCH(QString, romFolder);
    QFETCH(QString, options);
    QFETCH(QStringList, arguments);
    TestAppFolder app;
    writeRecorder(app);
    FakeDialogs dialogs;
    const FrontEndSettings s = settingsWith(qint16(send), qint16(quotes), app.path() + romFolder);
    LaunchEmulator(dialogs, app.path(), s, "pac man", options);
    arguments.replaceInStrings("@", app.path());
    QCOMPARE(recorded(app), arguments);
    // Exactly what the composed command line means once split with double-quote grouping.
    QCOMPARE(recorded(app), SplitCommandLine(ComposeCommandLine(
                                s.ExeName, LaunchArgumentText(s, "pac man", options)))
                                .mid(1));
    QVERIFY(dialogs.shown.isEmpty());
}

void tst_LaunchEmulator::shellSyntaxArrivesLiterally() {
    TestAppFolder app;
    writeRecorder(app);
    FakeDialogs dialogs;
    const QString options = " -t a;touch semi | touch pipe & touch amp $(touch dollar) "
                            "`touch tick` >out <in * ? $HOME ~ 'single' \\x";
    LaunchEmulator(dialogs, app.path(), settingsWith(0, 1, ""), "pac", options);
    QCOMPARE(recorded(app), (QStringList{"pac", "-t", "a;touch", "semi", "|", "touch", "pipe",
                                         "&", "touch", "amp", "$(touch", "dollar)", "`touch",
                                         "tick`", ">out", "<in", "*", "?", "$HOME", "~",
                                         "'single'", "\\x"}));
    for (const char* name : {"semi", "pipe", "amp", "dollar", "tick", "out", "touch"})
        QVERIFY2(!app.exists(name), name);
}

void tst_LaunchEmulator::runsFromTheApplicationFolder() {
    TestAppFolder app;
    app.writeScript("emu", "pwd > where.txt\nprintf '%s\\n' \"$@\" > args.txt\n");
    app.write("roms/pac.zip", "");
    QDir::setCurrent(QDir::tempPath());
    FakeDialogs dialogs;
    LaunchEmulator(dialogs, app.path(), settingsWith(1, 0, "roms/"), "pac", "");
    // A relative ROM path means the same file to the emulator as to the missing-ROM filter.
    QCOMPARE(recorded(app), QStringList{"roms/pac.zip"});
    QCOMPARE(QFileInfo(QDir::currentPath()).canonicalFilePath(),
             QFileInfo(app.path()).canonicalFilePath());
    QCOMPARE(QFileInfo(QString::fromUtf8(app.read("where.txt")).trimmed()).canonicalFilePath(),
             QFileInfo(app.path()).canonicalFilePath());
}

void tst_LaunchEmulator::failuresAreReported_data() {
    QTest::addColumn<QByteArray>("emulator"); // the script's body; empty: no emulator at all
    QTest::addColumn<QString>("message");     // how the one warning starts; empty: none
    QTest::addColumn<QStringList>("lines");   // lines it must end with
    QByteArray chatty;
    for (int i = 1; i <= 25; ++i)
        chatty += "echo 'line " + QByteArray::number(i) + "' >&2\n";
    QTest::newRow("cannot start") << QByteArray() << "The emulator emu could not be started: "
                                  << QStringList();
    QTest::newRow("status 0 says nothing") << chatty + "exit 0\n" << QString() << QStringList();
    QTest::newRow("status 3, its last 20 lines")
        << chatty + "exit 3\n" << "The emulator emu ended with status 3.\n\nIts last words:\nline 6\n"
        << QStringList{"line 24", "line 25"};
    QTest::newRow("killed") << QByteArray("echo 'segfault' >&2\nkill -9 $$\n")
                            << "The emulator emu crashed." << QStringList{"segfault"};
    QTest::newRow("a line without an end")
        << QByteArray("printf 'required files are missing' >&2\nexit 1\n")
        << "The emulator emu ended with status 1." << QStringList{"required files are missing"};
}

void tst_LaunchEmulator::failuresAreReported() {
    QFETCH(QByteArray, emulator);
    QFETCH(QString, message);
    QFETCH(QStringList, lines);
    TestAppFolder app;
    if (!emulator.isEmpty())
        app.writeScript("emu", emulator);
    FakeDialogs dialogs;
    LaunchEmulator(dialogs, app.path(), settingsWith(1, 1, "/r/"), "pac", " -a");
    QCOMPARE(dialogs.shown.size(), message.isEmpty() ? 0 : 1);
    if (message.isEmpty())
        return;
    QCOMPARE(dialogs.shown[0].kind, QString("warning"));
    QVERIFY2(dialogs.shown[0].text.startsWith(message), qPrintable(dialogs.shown[0].text));
    QVERIFY(dialogs.shown[0].text.endsWith(lines.join(u'\n')));
    QVERIFY(!dialogs.shown[0].text.contains("line 5\n"));
}

void tst_LaunchEmulator::argumentTemplate_data() {
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("rom");
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("none: the standard order") << "" << "sky" << QStringList{"sky", "-f", "x y"};
    QTest::newRow("options first") << "{options} {rom}" << "sky" << QStringList{"-f", "x y", "sky"};
    QTest::newRow("fixed words around")
        << "--auto {options} --game={rom}" << "sky"
        << QStringList{"--auto", "-f", "x y", "--game=sky"};
    QTest::newRow("a name that looks like a mark stays")
        << "{rom} {options}" << "{options}" << QStringList{"{options}", "-f", "x y"};
    QTest::newRow("quoted ROM argument stays one") << "{options} {rom}" << "pac man"
                                                    << QStringList{"-f", "x y", "pac man"};
}

void tst_LaunchEmulator::argumentTemplate() {
    QFETCH(QString, pattern);
    QFETCH(QString, rom);
    QFETCH(QStringList, arguments);
    FrontEndSettings s = settingsWith(0, 1, "/r/");
    s.LaunchArguments = pattern;
    QCOMPARE(SplitCommandLine(LaunchArgumentText(s, rom, " -f \"x y\"")), arguments);
}

QTEST_GUILESS_MAIN(tst_LaunchEmulator)
#include "tst_LaunchEmulator.moc"

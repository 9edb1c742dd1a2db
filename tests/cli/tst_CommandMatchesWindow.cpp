#include "shell/frmMain.h"

#include <QProcess>
#include <QtTest>

#include "common/MainWindowFixture.h"
#include "common/TestAppFolder.h"

// --print-command builds the options without the window; what it prints must be what the
// window's Launch starts, option kind by kind, with and without profiles.
namespace {

const QByteArray kSettings = "[Parse]\nWindowCaption=Test\nExeName=emu\nGameListCommand=-list\n"
                             "GameListStartLine=1\nGameListRomLen=6\nHelpEndLine=0\n"
                             "[Settings]\nRomPath=/my roms/\nSendRomPath=1\nRomPathinQuotes=1\n"
                             "RomExt=.zip\nShowConfig=0\nShowMissingRoms=1\n"
                             "LaunchArguments={options} -- {rom}\n";

// Every kind and the corner cases of each: a list with and without a default choice, a list
// without choices, ticked, unticked and greyed boxes, texts with blanks, quotes and nothing.
const QByteArray kDefinitions = "[General]\nNumCats=3\n"
                                "[Cat1]\nName=Video\nnumOpts=4\n"
                                "opt1=-scale |Scale|1|1|2|3|2\n"
                                "opt2=-filter |Filter|1|none|crt|0\n"
                                "opt3=-fullscreen|Full screen|2|1\n"
                                "opt4=-vsync|Vertical sync|2|0\n"
                                "[Cat2]\nName=Other\nnumOpts=4\n"
                                "opt1=-mouse|Use mouse|2|2\n"
                                "opt2=-name |Name|0|Player One\n"
                                "opt3=-empty|Empty|0|\n"
                                "opt4=-quoted=|Quoted|0|say \"hi\"\n"
                                "[Cat3]\nName=Odd\nnumOpts=2\n"
                                "opt1=-nochoice|No choice|1|0\n"
                                "opt2=-x|Unknown kind|7|1\n";

const QByteArray kEmulator =
    "if [ \"$1\" = -list ]; then\n"
    "  printf 'Emu 1.0\\nName  Description\\nalpha Alpha\\nbeta  Beta\\n'\n"
    "  exit 0\n"
    "fi\n"
    "printf '%s\\n' \"$@\" > args.txt\n";

} // namespace

class tst_CommandMatchesWindow : public QObject {
    Q_OBJECT
private slots:
    void sameArguments_data();
    void sameArguments();
};

void tst_CommandMatchesWindow::sameArguments_data() {
    QTest::addColumn<QString>("rom");
    QTest::addColumn<QByteArray>("defaults"); // the default profile; empty: none yet
    QTest::addColumn<QByteArray>("game");     // the game's profile; empty: none
    QTest::newRow("no profiles at all") << "alpha" << QByteArray() << QByteArray();
    QTest::newRow("a game profile, no default profile")
        << "beta" << QByteArray()
        << QByteArray("[Video]\nScale=3\nFilter=2\n[Other]\nUse mouse=1\n");
    QTest::newRow("both profiles")
        << "alpha" << QByteArray("[Video]\nScale=1\nFull screen=0\n[Other]\nName=\n")
        << QByteArray("[Other]\nName=Ann\nQuoted=a \"b c\"\n[Odd]\nNo choice=1\n");
    QTest::newRow("a default profile with values out of range")
        << "beta" << QByteArray("[Video]\nScale=9\nVertical sync=2.5\n[Other]\nUse mouse=-1\n")
        << QByteArray();
}

void tst_CommandMatchesWindow::sameArguments() {
    QFETCH(QString, rom);
    QFETCH(QByteArray, defaults);
    QFETCH(QByteArray, game);
    const TestAppFolder app;
    app.write("dovrel/dovrel.ini", kSettings);
    app.write("dovrel/cfgdef.ini", kDefinitions);
    app.writeScript("emu", kEmulator);
    if (!defaults.isEmpty())
        app.write("dovrel/cfgs/default.ini", defaults);
    if (!game.isEmpty())
        app.write("dovrel/cfgs/" + rom + ".ini", game);

    QProcess cli;
    cli.start(QStringLiteral(TARVELIN_EXE), {"--data", app.path(), "--print-command", rom});
    QVERIFY(cli.waitForFinished(30000));
    QCOMPARE(cli.exitCode(), 0);
    QList<QByteArray> printed = cli.readAllStandardOutput().split('\n');
    QCOMPARE(printed.takeFirst(), app.file("emu").toUtf8());
    QCOMPARE(app.exists("dovrel/cfgs/default.ini"), !defaults.isEmpty());

    MainWindowFixture f(app);
    QVERIFY(f.w.Form_Load());
    const int row = rom == "alpha" ? 0 : 1;
    f.w.lstGames->setCurrentRow(row);
    QCOMPARE(f.w.GameList().romName(row), rom);
    f.w.cmdLaunch_Click();
    QVERIFY(f.dialogs.shown.isEmpty());
    QCOMPARE(app.read("args.txt"), printed.join('\n'));
}

QTEST_MAIN(tst_CommandMatchesWindow)
#include "tst_CommandMatchesWindow.moc"

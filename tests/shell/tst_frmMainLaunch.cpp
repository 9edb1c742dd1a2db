#include "gamelist/ui/GameListBox.h"
#include "session/GameSession.h"
#include "shell/frmMain.h"
#include "ui/Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "common/FakeDialogs.h"
#include "common/EmulatorGate.h"
#include "common/MainWindowFixture.h"
#include "common/TestAppFolder.h"

namespace {

QByteArray settings(int send, int quotes, const QString& romPath) {
    return "[Parse]\nWindowCaption=Test\nExeName=emu\nGameListCommand=-list\n"
           "GameListStartLine=1\nGameListRomLen=6\nHelpEndLine=0\n[Settings]\nRomPath=" +
           romPath.toUtf8() + "\nSendRomPath=" + QByteArray::number(send) +
           "\nRomPathinQuotes=" + QByteArray::number(quotes) +
           "\nRomExt=.zip\nShowConfig=0\nShowMissingRoms=0\n";
}

// Rows: 1 Scale (list, 2nd entry), 2 Filter (list, none), 3 Full screen (ticked), 4 Vertical
// sync (unticked), 5 Use mouse (greyed), 6 Name (text with a blank), 7 Empty (empty text).
const QByteArray kDefinitions = "[General]\nNumCats=2\n"
                                "[Cat1]\nName=Video\nnumOpts=4\n"
                                "opt1=-scale |Scale|1|1|2|3|2\n"
                                "opt2=-filter |Filter|1|none|crt|0\n"
                                "opt3=-fullscreen|Full screen|2|1\n"
                                "opt4=-vsync|Vertical sync|2|0\n"
                                "[Cat2]\nName=Other\nnumOpts=3\n"
                                "opt1=-mouse|Use mouse|2|2\n"
                                "opt2=-name |Name|0|Player One\n"
                                "opt3=-empty|Empty|0|\n";

const QStringList kDefaultOptions = {"-scale", "2",      "-filter", "-fullscreen",
                                     "-name",  "Player", "One",     "-empty"};

// The emulator stand-in prints a game list when asked for one; a play launch appends a "run"
// line and its arguments, one per line. Before it ends it may wait at a gate (a FIFO).
QByteArray emulator(bool gated) {
    QByteArray body = "if [ \"$1\" = -list ]; then\n"
                      "  printf 'Emu 1.0\\nName  Description\\nalpha Alpha Game\\n'\n"
                      "  exit 0\n"
                      "fi\n"
                      "{ echo run; printf '%s\\n' \"$@\"; } >> args.txt\n";
    if (gated)
        body += "echo started > started\nread line < gate\necho ended > ended\n";
    return body;
}

struct Window : MainWindowFixture {
    explicit Window(int send = 1, int quotes = 1, const QString& romFolder = "/my roms/",
                    const QByteArray& games = "alpha|Alpha Game\r\nbig game|Big Game\r\n"
                                              "gamma|Gamma\r\n",
                    const QByteArray& definitions = kDefinitions, bool gated = false) {
        app.write("dovrel/dovrel.ini", settings(send, quotes, app.path() + romFolder));
        if (!definitions.isNull())
            app.write("dovrel/cfgdef.ini", definitions);
        app.write("dovrel/glist.lst", games);
        app.writeScript("emu", emulator(gated));
        // The start-up sequence without the list generation: the cache is written above.
        startFromCache();
    }
    // The runs recorded so far, each the list of its arguments.
    QList<QStringList> runs() const {
        QList<QStringList> result;
        for (const QString& line : QString::fromUtf8(app.read("args.txt")).split(u'\n')) {
            if (line == u"run")
                result.append(QStringList());
            else if (!result.isEmpty())
                result.last().append(line);
        }
        for (QStringList& run : result)
            if (!run.isEmpty() && run.last().isEmpty())
                run.removeLast();
        return result;
    }
    QStringList lastRun() const { return runs().value(runs().size() - 1); }
    QString at(const QString& relative) const { return app.path() + relative; }
};

// The middle of a game list entry, in the window's coordinates.
QPoint itemCenter(const frmMain& w, int row) {
    const QRect item = w.lstGames->visualRowRect(row);
    return w.lstGames->viewport()->mapTo(&w, item.center());
}

} // namespace

class tst_frmMainLaunch : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        Twips::setPerPixel(15);
        m_startDir = QDir::currentPath();
    }
    void cleanup() { QDir::setCurrent(m_startDir); }

    void romArgument_data();
    void romArgument();
    void panelStates_data();
    void panelStates();
    void shellSyntaxInATextOption();
    void emptyOptionString();
    void fromStartUpToLaunch();
    void noGameSelectedLaunchesNothing();
    void enterAndDoubleClickLaunch();
    void secondLaunchDuringARunDoesNothing();
    void busyGuardCoversEveryWay();
    void closingDuringARunWaitsForTheEmulator();

private:
    QString m_startDir;
};

void tst_frmMainLaunch::romArgument_data() {
    QTest::addColumn<int>("send");
    QTest::addColumn<int>("quotes");
    QTest::addColumn<int>("game");
    QTest::addColumn<QStringList>("romArguments"); // "@" stands for the application folder
    QTest::newRow("both on") << 1 << 1 << 0 << QStringList{"@/my roms/alpha.zip"};
    QTest::newRow("both on, blank in the name")
        << 1 << 1 << 1 << QStringList{"@/my roms/big game.zip"};
    QTest::newRow("path not quoted") << 1 << 0 << 1 << QStringList{"@/my", "roms/big", "game.zip"};
    QTest::newRow("bare name quoted") << 0 << 1 << 1 << QStringList{"big game"};
    QTest::newRow("bare name") << 0 << 0 << 1 << QStringList{"big", "game"};
    QTest::newRow("flags of -1 are off") << -1 << -1 << 0 << QStringList{"alpha"};
}

void tst_frmMainLaunch::romArgument() {
    QFETCH(int, send);
    QFETCH(int, quotes);
    QFETCH(int, game);
    QFETCH(QStringList, romArguments);
    Window win(send, quotes);
    win.w.lstGames->setCurrentRow(game);
    win.w.cmdLaunch->click();
    romArguments.replaceInStrings("@", win.app.path());
    QCOMPARE(win.runs().size(), 1);
    QCOMPARE(win.lastRun(), romArguments + kDefaultOptions);
    QVERIFY(win.dialogs.shown.isEmpty());
    QVERIFY(!win.state.LaunchBusy());
}

void tst_frmMainLaunch::panelStates_data() {
    QTest::addColumn<int>("scale");
    QTest::addColumn<int>("filter");
    QTest::addColumn<int>("fullScreen");
    QTest::addColumn<int>("vsync");
    QTest::addColumn<int>("mouse");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("empty");
    QTest::addColumn<QStringList>("options");
    QTest::newRow("lists selected, boxes flipped")
        << 2 << 1 << 0 << 1 << 1 << "Ann"
        << "" << QStringList{"-scale", "3",     "-filter", "crt",   "-vsync",
                             "-mouse", "-name", "Ann",     "-empty"};
    QTest::newRow("no list selection, every box greyed")
        << -1 << -1 << 2 << 2 << 2 << "Ann"
        << "x" << QStringList{"-scale", "-filter", "-name", "Ann", "-emptyx"};
    QTest::newRow("empty texts give their switches alone")
        << 0 << -1 << 0 << 0 << 0 << ""
        << "" << QStringList{"-scale", "1", "-filter", "-name", "-empty"};
    QTest::newRow("blanks split, quotes group")
        << 0 << -1 << 0 << 0 << 0 << "  two  words "
        << " \"a  b\" c\"d e\""
        << QStringList{"-scale", "1", "-filter", "-name", "two", "words", "-empty", "a  b", "cd e"};
}

void tst_frmMainLaunch::panelStates() {
    QFETCH(int, scale);
    QFETCH(int, filter);
    QFETCH(int, fullScreen);
    QFETCH(int, vsync);
    QFETCH(int, mouse);
    QFETCH(QString, name);
    QFETCH(QString, empty);
    QFETCH(QStringList, options);
    Window win(0, 0);
    OptionsPanel& panel = win.w.optionsPanel();
    QCOMPARE(panel.checkState(5), 2); // the definitions' greyed default reached the box
    // Edits that are not saved: the launch takes the panel as it is.
    panel.setListIndex(1, scale);
    panel.setListIndex(2, filter);
    panel.setCheckState(3, fullScreen);
    panel.setCheckState(4, vsync);
    panel.setCheckState(5, mouse);
    panel.txtConfig(6)->setText(name);
    panel.txtConfig(7)->setText(empty);
    win.w.cmdLaunch->click();
    QCOMPARE(win.lastRun(), QStringList{"alpha"} + options);
    QVERIFY(!win.app.exists("dovrel/cfgs/alpha.ini"));
}

void tst_frmMainLaunch::shellSyntaxInATextOption() {
    Window win(1, 1);
    win.w.optionsPanel().txtConfig(6)->setText(
        "say \"hi there\"; rm -rf x | cat & $(touch dollar) `touch tick` > out < in * ? ~");
    win.w.cmdLaunch->click();
    QCOMPARE(win.lastRun(), (QStringList{win.at("/my roms/alpha.zip"),
                                         "-scale",
                                         "2",
                                         "-filter",
                                         "-fullscreen",
                                         "-name",
                                         "say",
                                         "hi there;",
                                         "rm",
                                         "-rf",
                                         "x",
                                         "|",
                                         "cat",
                                         "&",
                                         "$(touch",
                                         "dollar)",
                                         "`touch",
                                         "tick`",
                                         ">",
                                         "out",
                                         "<",
                                         "in",
                                         "*",
                                         "?",
                                         "~",
                                         "-empty"}));
    for (const char* name : {"dollar", "tick", "out", "touch", "x"})
        QVERIFY2(!win.app.exists(name), name);
}

void tst_frmMainLaunch::emptyOptionString() {
    // No option definitions: the option string is empty and nothing follows the ROM argument.
    Window win(1, 1, "/my roms/", "alpha|Alpha Game\r\n", QByteArray());
    QCOMPARE(win.w.CreateCLOString(), QString());
    win.w.cmdLaunch->click();
    QCOMPARE(win.runs(), (QList<QStringList>{{win.at("/my roms/alpha.zip")}}));
}

void tst_frmMainLaunch::fromStartUpToLaunch() {
    TestAppFolder app;
    app.write("dovrel/dovrel.ini", settings(1, 1, ""));
    app.write("dovrel/cfgdef.ini", kDefinitions);
    app.writeScript("emu", emulator(false));
    app.write("roms/alpha.zip", "");
    GameSession state(app.path());
    FakeDialogs dialogs;
    frmMain w(state, dialogs);
    QVERIFY(w.Form_Load());
    QCOMPARE(w.lstGames->count(), 1);
    // Start-up created the default profile from the definition defaults.
    QCOMPARE(app.read("dovrel/cfgs/default.ini"),
             QByteArray("[Video]\nScale=2\nFilter=0\nFull screen=1\nVertical sync=0\n\n"
                        "[Other]\nUse mouse=2\nName=Player One\nEmpty=\n"));
    w.cmdLaunch->click();
    const QStringList expected =
        QStringList{"run", app.path() + "/roms/alpha.zip"} + kDefaultOptions + QStringList{""};
    QCOMPARE(QString::fromUtf8(app.read("args.txt")).split(u'\n'), expected);
    QVERIFY(dialogs.shown.isEmpty());
}

void tst_frmMainLaunch::noGameSelectedLaunchesNothing() {
    Window empty(1, 1, "/my roms/", QByteArray(""));
    QCOMPARE(empty.w.lstGames->count(), 0);
    empty.w.cmdLaunch->click();
    QVERIFY(!empty.app.exists("args.txt"));
    QVERIFY(!empty.state.LaunchBusy());
    QVERIFY(empty.dialogs.shown.isEmpty());

    Window win;
    win.w.lstGames->setCurrentRow(-1);
    QCOMPARE(win.w.lstGames->currentRow(), -1);
    win.w.cmdLaunch->click();
    QTest::keyClick(win.w.lstGames, Qt::Key_Return);
    QVERIFY(!win.app.exists("args.txt"));
    QVERIFY(!win.state.LaunchBusy());
}

void tst_frmMainLaunch::enterAndDoubleClickLaunch() {
    Window win(0, 0);
    win.w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&win.w));
    win.w.lstGames->setCurrentRow(2);
    QTest::keyClick(win.w.lstGames, Qt::Key_Return);
    QCOMPARE(win.runs().size(), 1);
    QCOMPARE(win.lastRun().value(0), QString("gamma"));

    win.w.lstGames->setCurrentRow(0);
    QTest::keyClick(win.w.lstGames, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(win.runs().size(), 2);
    QCOMPARE(win.lastRun().value(0), QString("alpha"));

    // Other keys keep their list meaning and launch nothing.
    QTest::keyClick(win.w.lstGames, Qt::Key_Down);
    QCOMPARE(win.w.lstGames->currentRow(), 1);
    QCOMPARE(win.runs().size(), 2);

    // Through the window system, as a user's double-click comes: press, release, press with
    // the double-click, release.
    QTest::mouseDClick(win.w.windowHandle(), Qt::LeftButton, {}, itemCenter(win.w, 2));
    QCOMPARE(win.w.lstGames->currentRow(), 2);
    QCOMPARE(win.runs().size(), 3);
    QCOMPARE(win.lastRun(), QStringList{"gamma"} + kDefaultOptions);
    // A single click only selects.
    QTest::mouseClick(win.w.windowHandle(), Qt::LeftButton, {}, itemCenter(win.w, 0),
                      QTest::mouseDoubleClickInterval * 2);
    QCOMPARE(win.w.lstGames->currentRow(), 0);
    QCOMPARE(win.runs().size(), 3);
}

void tst_frmMainLaunch::secondLaunchDuringARunDoesNothing() {
    Window win(0, 0, "/", "alpha|Alpha Game\r\n", kDefinitions, true);
    EmulatorGate gate(win.app.file("gate"));
    QVERIFY(gate.isOpen());
    bool busyDuringRun = false;
    bool secondClickReturned = false;
    // Fires at the wait's first round of events, while the emulator waits at its gate.
    QTimer::singleShot(0, &win.w, [&] {
        busyDuringRun = win.state.LaunchBusy();
        win.w.cmdLaunch->click();
        secondClickReturned = true;
        gate.release();
    });
    win.w.cmdLaunch->click();
    QVERIFY(busyDuringRun);
    QVERIFY(secondClickReturned);
    QVERIFY(win.app.exists("ended"));
    QCOMPARE(win.runs().size(), 1);
    QVERIFY(!win.state.LaunchBusy());

    // Once the emulator has ended, Launch works again.
    gate.release();
    win.w.cmdLaunch->click();
    QCOMPARE(win.runs().size(), 2);
    QCOMPARE(win.lastRun(), QStringList{"alpha"} + kDefaultOptions);
}

void tst_frmMainLaunch::busyGuardCoversEveryWay() {
    Window win(1, 1, "/my roms/", "alpha|Alpha Game\r\nbig game|Big Game\r\ngamma|Gamma\r\n",
               kDefinitions, true);
    EmulatorGate gate(win.app.file("gate"));
    QVERIFY(gate.isOpen());
    win.w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&win.w));
    bool busyAfterRefusals = false;
    // While the emulator waits at its gate, every way of launching is tried and refused.
    QTimer::singleShot(0, &win.w, [&] {
        win.w.cmdLaunch->click();
        QTest::keyClick(win.w.lstGames, Qt::Key_Return);
        QTest::mouseDClick(win.w.windowHandle(), Qt::LeftButton, {}, itemCenter(win.w, 1));
        // A refused launch leaves the running one's flag alone.
        busyAfterRefusals = win.state.LaunchBusy();
        gate.release();
    });
    win.w.cmdLaunch->click();
    QVERIFY(busyAfterRefusals);
    QCOMPARE(win.runs().size(), 1);
    QVERIFY(!win.state.LaunchBusy());
}

void tst_frmMainLaunch::closingDuringARunWaitsForTheEmulator() {
    Window win(0, 0, "/", "alpha|Alpha Game\r\n", kDefinitions, true);
    EmulatorGate gate(win.app.file("gate"));
    QVERIFY(gate.isOpen());
    win.w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&win.w));

    bool closeAccepted = true;
    bool hiddenDuringRun = false;
    bool emulatorRanOn = false;
    bool launchReturned = false;
    QTimer::singleShot(0, &win.w, [&] {
        QTimer::singleShot(0, &win.w, [&] {
            closeAccepted = win.w.close();
            hiddenDuringRun = !win.w.isVisible();
            emulatorRanOn = !win.app.exists("ended");
            gate.release();
        });
        win.w.cmdLaunch->click();
        launchReturned = true;
    });
    // Only if the program never ended would this end the loop instead.
    QTimer hangGuard;
    hangGuard.setSingleShot(true);
    connect(&hangGuard, &QTimer::timeout, [] { QCoreApplication::exit(2); });
    hangGuard.start(120000);

    const int exitCode = QApplication::exec();
    QCOMPARE(exitCode, 0);
    QVERIFY(launchReturned);
    QVERIFY(!closeAccepted);
    QVERIFY(hiddenDuringRun);
    QVERIFY(emulatorRanOn);
    QVERIFY(win.app.exists("ended")); // the emulator ran to its end: nothing killed it
    QVERIFY(!win.w.isVisible());
    QVERIFY(!win.state.LaunchBusy());
    QCOMPARE(win.runs().size(), 1);
}

QTEST_MAIN(tst_frmMainLaunch)
#include "tst_frmMainLaunch.moc"

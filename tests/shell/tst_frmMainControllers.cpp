#include "controllers/PadNavigator.h"
#include "gamelist/ui/GameFilterField.h"
#include "gamelist/ui/GameListBox.h"
#include "shell/FullScreenView.h"
#include "shell/PadControl.h"
#include "shell/frmMain.h"
#include "ui/Twips.h"

#include <QAction>
#include <QApplication>
#include <QDirIterator>
#include <QMenu>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include "common/EmulatorGate.h"
#include "common/MainWindowFixture.h"
#include "common/TestAppFolder.h"
#include "common/VirtualPad.h"

// The main window driven by SDL's virtual controller: moving, paging, launching, the hand-over
// to the emulator, favourites, the filter field, the View menu, plugging in and out.
namespace {

QByteArray games(int count) {
    QByteArray list;
    for (int i = 0; i < count; ++i)
        list += "game" + QByteArray::number(i) + "|Game " + QByteArray::number(i) + "\r\n";
    return list;
}

void prepare(const TestAppFolder& app, const QByteArray& settingsExtra = {}) {
    app.write("dovrel/dovrel.ini", "[Parse]\nExeName=emu\n[Settings]\nShowMissingRoms=1\n" +
                                       settingsExtra);
    app.write("dovrel/cfgdef.ini", "[General]\nNumCats=1\n[Cat1]\nName=Video\nnumOpts=1\n"
                                   "opt1=-name |Name|0|Anna\n");
    app.write("dovrel/glist.lst", games(60));
    // Each run appends its ROM name; it waits at the gate when there is one.
    app.writeScript("emu", "echo \"$1\" >> runs.txt\n"
                           "if [ -p gate ]; then echo started > started; read line < gate; fi\n");
}

struct Window : MainWindowFixture {
    explicit Window(const TestAppFolder& folder) : MainWindowFixture(folder) {
        startFromCache();
        w.enableControllers();
        // The controller talks to the active window, as the keyboard does.
        w.show();
        w.activateWindow();
        active = QTest::qWaitForWindowActive(&w);
    }
    bool active = false;
    int row() const { return w.lstGames->currentRow(); }
    PadNavigator& navigator() { return w.padControl()->navigator(); }
    QStringList runs() const {
        return QString::fromUtf8(app.read("runs.txt")).split(u'\n', Qt::SkipEmptyParts);
    }
    bool fullScreenListed() const {
        return w.menus().mnuView->actions().contains(w.menus().mnuViewFullScreen);
    }
};

QStringList filesBelow(const QString& folder) {
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

} // namespace

class tst_frmMainControllers : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        Twips::setPerPixel(15);
        m_startDir = QDir::currentPath();
    }
    void cleanup() {
        QDir::setCurrent(m_startDir);
        QTRY_VERIFY(!QApplication::activePopupWidget());
    }

    void offInTheSettings_data();
    void offInTheSettings();
    void withoutAControllerNothingChanges();
    void moves_data();
    void moves();
    void heldDownRepeats();
    void launchAndHandOver();
    void favouriteFilterAndViews();
    void hotplug();
    void anotherWindowInFront();

private:
    QString m_startDir;
};

void tst_frmMainControllers::offInTheSettings_data() {
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<bool>("on");
    QTest::newRow("absent") << QByteArray() << true;
    QTest::newRow("0 turns them off") << QByteArray("Controllers=0\n") << false;
    QTest::newRow("anything else") << QByteArray("Controllers=no\n") << true;
}

void tst_frmMainControllers::offInTheSettings() {
    QFETCH(QByteArray, key);
    QFETCH(bool, on);
    TestAppFolder app;
    prepare(app, key);
    Window win(app);
    QCOMPARE(win.w.padControl() != nullptr, on);
}

void tst_frmMainControllers::withoutAControllerNothingChanges() {
    TestAppFolder plain;
    prepare(plain, "Controllers=0\n");
    MainWindowFixture without(plain);
    without.startFromCache();
    TestAppFolder app;
    prepare(app);
    const QStringList before = filesBelow(app.path());
    Window win(app);
    QTRY_VERIFY(win.navigator().reader().isReady());
    QCOMPARE(win.navigator().reader().controllerCount(), 0);
    const auto items = [](const frmMain& w) {
        QStringList names;
        for (const QMenu* menu : {w.menus().mnuConfig, w.menus().mnuView, w.menus().mnuHelp})
            for (const QAction* a : menu->actions())
                names << a->objectName() + " " + a->text();
        return names;
    };
    QCOMPARE(items(win.w), items(without.w));
    QVERIFY(!win.fullScreenListed());
    // The start-up writes the default profile, as it always does; nothing else is made.
    QStringList expected = before + QStringList{app.file("dovrel/cfgs/default.ini")};
    expected.sort();
    QCOMPARE(filesBelow(app.path()), expected);
}

void tst_frmMainControllers::moves_data() {
    QTest::addColumn<QList<int>>("buttons"); // taps; -1 is a push of the stick down, -2 up
    QTest::addColumn<int>("row");
    QTest::newRow("down") << QList<int>{SDL_CONTROLLER_BUTTON_DPAD_DOWN} << 1;
    QTest::newRow("down, down, up")
        << QList<int>{SDL_CONTROLLER_BUTTON_DPAD_DOWN, SDL_CONTROLLER_BUTTON_DPAD_DOWN,
                      SDL_CONTROLLER_BUTTON_DPAD_UP}
        << 1;
    QTest::newRow("up at the top stays") << QList<int>{SDL_CONTROLLER_BUTTON_DPAD_UP} << 0;
    QTest::newRow("stick down twice") << QList<int>{-1, -1} << 2;
    QTest::newRow("stick down, d-pad down, stick up")
        << QList<int>{-1, SDL_CONTROLLER_BUTTON_DPAD_DOWN, -2} << 1;
    QTest::newRow("left, right and X move nothing")
        << QList<int>{SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_CONTROLLER_BUTTON_DPAD_RIGHT,
                      SDL_CONTROLLER_BUTTON_X}
        << 0;
}

void tst_frmMainControllers::moves() {
    QFETCH(QList<int>, buttons);
    QFETCH(int, row);
    TestAppFolder app;
    prepare(app);
    Window win(app);
    QVERIFY(win.active);
    VirtualPad pad(win.navigator().reader());
    QVERIFY(pad.waitUntilOpen());
    QCOMPARE(win.row(), 0);
    for (int button : buttons) {
        if (button < 0) {
            QVERIFY(pad.setAxis(SDL_CONTROLLER_AXIS_LEFTY, button == -1 ? 32000 : -32000));
            QVERIFY(pad.setAxis(SDL_CONTROLLER_AXIS_LEFTY, 0));
        } else {
            QVERIFY(pad.tap(SDL_GameControllerButton(button)));
        }
    }
    // A marker that moves by one: once it has, everything before it has acted.
    QVERIFY(pad.tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN));
    QTRY_COMPARE(win.row(), row + 1);
    // The profile of the game moved to is on the panel, as after a click.
    QCOMPARE(win.w.GameList().romName(win.row()), "game" + QString::number(row + 1));
}

void tst_frmMainControllers::heldDownRepeats() {
    TestAppFolder app;
    prepare(app);
    Window win(app);
    QVERIFY(win.active);
    VirtualPad pad(win.navigator().reader());
    QVERIFY(pad.waitUntilOpen());
    QVERIFY(pad.setButton(SDL_CONTROLLER_BUTTON_DPAD_DOWN, true));
    QTRY_COMPARE(win.row(), 1);
    QTRY_VERIFY(win.row() >= 4);
    QVERIFY(pad.setButton(SDL_CONTROLLER_BUTTON_DPAD_DOWN, false));
    QTRY_VERIFY(!win.navigator().repeating());
    const int stopped = win.row();
    QVERIFY(pad.tap(SDL_CONTROLLER_BUTTON_DPAD_UP));
    QTRY_COMPARE(win.row(), stopped - 1);
}

void tst_frmMainControllers::launchAndHandOver() {
    TestAppFolder app;
    prepare(app);
    EmulatorGate gate(app.file("gate"));
    Window win(app);
    QVERIFY(win.active);
    VirtualPad pad(win.navigator().reader());
    QVERIFY(pad.waitUntilOpen());
    QVERIFY(pad.tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN));
    QTRY_COMPARE(win.row(), 1);

    // While the emulator runs, its player moves, pages, pushes the stick and quits the game
    // with Start, still held when the game has ended. (Not A: the tap that launched waits for
    // its own let-go to be read.)
    bool heldDuringRun = false;
    bool playedDuringRun = false;
    QTimer during;
    during.setInterval(5);
    connect(&during, &QTimer::timeout, &win.w, [&] {
        if (!win.state.LaunchBusy() || !app.exists("started") || playedDuringRun)
            return;
        playedDuringRun = true;
        heldDuringRun = win.navigator().held() && win.navigator().reader().paused();
        pad.setButtonUnread(SDL_CONTROLLER_BUTTON_DPAD_DOWN, true);
        QTest::qWait(20);
        pad.setButtonUnread(SDL_CONTROLLER_BUTTON_DPAD_DOWN, false);
        pad.setButtonUnread(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, true);
        QTest::qWait(20);
        pad.setButtonUnread(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, false);
        pad.setAxisUnread(SDL_CONTROLLER_AXIS_LEFTY, 32000);
        pad.setButtonUnread(SDL_CONTROLLER_BUTTON_START, true);
        QTest::qWait(20);
        gate.release(2); // a second launch that should not happen would end, and show
    });
    during.start();
    QVERIFY(pad.tap(SDL_CONTROLLER_BUTTON_A));
    QTRY_VERIFY(playedDuringRun);
    QTRY_VERIFY(!win.state.LaunchBusy());
    during.stop();
    QVERIFY(heldDuringRun);
    QTRY_VERIFY(!win.navigator().reader().resuming());
    QVERIFY(!win.navigator().held());

    // Start and the stick let go after the game: nothing of it reaches the window.
    QVERIFY(pad.setAxis(SDL_CONTROLLER_AXIS_LEFTY, 0));
    QVERIFY(pad.setButton(SDL_CONTROLLER_BUTTON_START, false));
    QVERIFY(pad.tap(SDL_CONTROLLER_BUTTON_Y)); // a marker: the favourite mark
    QTRY_VERIFY(win.w.library().isFavourite("game1"));
    QCOMPARE(win.row(), 1);
    QCOMPARE(win.runs(), QStringList{"game1"});
    QVERIFY(win.dialogs.shown.isEmpty());

    // The controller is the window's again.
    QVERIFY(pad.tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN));
    QTRY_COMPARE(win.row(), 2);
    QVERIFY(pad.tap(SDL_CONTROLLER_BUTTON_START));
    QTRY_COMPARE(win.runs(), (QStringList{"game1", "game2"}));
}

void tst_frmMainControllers::favouriteFilterAndViews() {
    TestAppFolder app;
    prepare(app);
    Window win(app);
    QVERIFY(win.active);
    VirtualPad pad(win.navigator().reader());
    QVERIFY(pad.waitUntilOpen());

    // Y does what View -> Favourite does, check mark and all.
    QVERIFY(pad.tap(SDL_CONTROLLER_BUTTON_Y));
    QTRY_VERIFY(win.w.library().isFavourite("game0"));
    QVERIFY(win.w.menus().mnuViewFavourite->isChecked());
    QVERIFY(pad.tap(SDL_CONTROLLER_BUTTON_Y));
    QTRY_VERIFY(!win.w.library().isFavourite("game0"));
    QVERIFY(!win.w.menus().mnuViewFavourite->isChecked());

    // B closes the filter field and keeps the game found.
    win.w.openFilter("game5");
    auto* filter = win.w.findChild<GameFilterField*>("txtFilter");
    QVERIFY(filter && filter->isVisible());
    QVERIFY(pad.tap(SDL_CONTROLLER_BUTTON_B));
    QTRY_VERIFY(filter->isHidden());
    QCOMPARE(win.w.GameList().romName(win.row()), QString("game5"));

    // Back opens the View menu, B closes it.
    QVERIFY(pad.tap(SDL_CONTROLLER_BUTTON_BACK));
    QTRY_COMPARE(QApplication::activePopupWidget(), win.w.menus().mnuView);
    QVERIFY(pad.tap(SDL_CONTROLLER_BUTTON_B));
    QTRY_VERIFY(!QApplication::activePopupWidget());
    QVERIFY(win.runs().isEmpty()); // A chose in the menu and launched nothing
}

void tst_frmMainControllers::hotplug() {
    TestAppFolder app;
    prepare(app);
    Window win(app);
    QTRY_VERIFY(win.navigator().reader().isReady());
    QVERIFY(!win.fullScreenListed());
    {
        VirtualPad pad(win.navigator().reader());
        QVERIFY(pad.waitUntilOpen());
        // Plugged in after the start: Full Screen joins the View menu.
        QTRY_VERIFY(win.fullScreenListed());
        QVERIFY(pad.tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN));
        QTRY_COMPARE(win.row(), 1);
    }
    QTRY_COMPARE(win.navigator().reader().controllerCount(), 0);
    QVERIFY(win.fullScreenListed()); // it stays once there
    VirtualPad again(win.navigator().reader());
    QVERIFY(again.waitUntilOpen());
    QVERIFY(again.tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN));
    QTRY_COMPARE(win.row(), 2);
    QCOMPARE(win.w.menus().mnuView->actions().count(win.w.menus().mnuViewFullScreen), 1);
}

void tst_frmMainControllers::anotherWindowInFront() {
    TestAppFolder app;
    prepare(app);
    Window win(app);
    QVERIFY(win.active);
    VirtualPad pad(win.navigator().reader());
    QVERIFY(pad.waitUntilOpen());
    QSignalSpy asked(&win.navigator(), &PadNavigator::actionAsked);
    QWidget front;
    front.show();
    front.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&front));
    // Asked for, but not for this window: neither a move nor a launch.
    QVERIFY(pad.tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN));
    QVERIFY(pad.tap(SDL_CONTROLLER_BUTTON_A));
    QTRY_COMPARE(asked.size(), 2);
    QCOMPARE(win.row(), 0);
    QVERIFY(win.runs().isEmpty());
    front.hide();
    win.w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&win.w));
    QVERIFY(pad.tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN));
    QTRY_COMPARE(win.row(), 1);
}

QTEST_MAIN(tst_frmMainControllers)
#include "tst_frmMainControllers.moc"

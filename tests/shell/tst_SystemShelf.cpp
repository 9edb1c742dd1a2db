#include "base/Ini.h"
#include "setup/SystemSetup.h"
#include "systems/SystemList.h"
#include "gamelist/ui/GameListBox.h"
#include "session/GameSession.h"
#include "shell/PadControl.h"
#include "shell/SystemMenus.h"
#include "shell/SystemShelf.h"
#include "shell/frmAllSystems.h"
#include "shell/frmMain.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

#include "common/EmulatorGate.h"
#include "common/FakeDialogs.h"
#include "common/StderrCapture.h"
#include "common/TestAppFolder.h"
#include "common/VirtualPad.h"

namespace {

// A system in `folder` of the data folder: its emulator lists g00 "Title 00" to g02 and
// logs each list it makes; a launch writes its arguments to ran.txt, after waiting at a gate
// when there is one.
void writeSystem(const TestAppFolder& data, const QString& folder, const QByteArray& caption) {
    const QByteArray dir = data.file(folder).toUtf8();
    data.write(folder + "/dovrel/dovrel.ini",
               "[Parse]\nWindowCaption=" + caption + "\nExeName=" + dir +
                   "/emu\nGameListCommand=-list\nGameListStartLine=1\nGameListRomLen=4\n"
                   "HelpEndLine=0\n[Settings]\nRomPath=\nShowMissingRoms=1\nQuickStart=0\n");
    data.write(folder + "/dovrel/cfgdef.ini", "[General]\nNumCats=1\n[Cat1]\nName=Video\n"
                                              "numOpts=1\nopt1=-res |Resolution|0|" +
                                                  caption + "\n");
    data.writeScript(folder + "/emu",
                     "if [ \"$1\" = -list ]; then\n  echo list >> lists.log\n"
                     "  printf 'Emu\\nName Description\\n'\n"
                     "  for i in 00 01 02; do printf 'g%s Title %s\\n' $i $i; done\n"
                     "  exit 0\nfi\n"
                         "[ -p gate ] && read line < gate\nprintf '%s\\n' \"$@\" > ran.txt\n");
}

// Two systems, Arcade in a/ and Consoles in b/, listed in that order.
void writeArcadeAndConsoles(const TestAppFolder& data) {
    writeSystem(data, "a", "Arcade");
    writeSystem(data, "b", "Consoles");
    data.write("dovrel/systems.ini",
               "[Systems]\nCount=2\nName1=Arcade\nFolder1=a\nName2=Consoles\nFolder2=b\n");
}

SystemMenus& menusOf(QMainWindow* window) {
    return *window->findChild<SystemMenus*>(QString(), Qt::FindDirectChildrenOnly);
}

QStringList rowsOf(frmAllSystems& all) {
    QStringList rows;
    for (const AllSystemsGames::Row& row : all.model().rows())
        rows << all.model().games().systems()[size_t(row.system)].name + u'/' +
                    all.model().games().game(row).rom;
    return rows;
}

} // namespace

class tst_SystemShelf : public QObject {
    Q_OBJECT
private slots:
    void init() { m_startDir = QDir::currentPath(); }
    void cleanup() { QDir::setCurrent(m_startDir); }
    void oneSystemIsTheStandardWindow();
    void switchingKeepsEachSystemsState();
    void allSystemsFindsAndLaunchesInItsOwnSystem();
    void switchRefusedWhileAGameRuns();
    void followsTheListAsItChanges();
    void controllerSwitchesAndBrowsesAllSystems();

private:
    QString m_startDir;
};

void tst_SystemShelf::oneSystemIsTheStandardWindow() {
    const TestAppFolder data;
    writeSystem(data, ".", "Alone");
    FakeDialogs dialogs;
    SystemShelf shelf(data.path(), dialogs);
    QVERIFY(shelf.start());
    frmMain* w = shelf.window(0);
    QVERIFY(w && w->isVisible());
    QStringList menus;
    for (QAction* top : w->menuBar()->actions())
        if (top->isVisible())
            menus << top->text();
    QCOMPARE(menus, (QStringList{"&Config", "&View", "&Help"}));
    SystemMenus& added = menusOf(w);
    QVERIFY(!added.cmbSystem->isVisible());
    QVERIFY(!added.mnuViewAllSystems->isVisible());
    QCOMPARE(w->menus().mnuConfig->actions().last(), added.mnuConfigEmulators);
    QVERIFY(!data.exists("dovrel/systems.ini"));
}

void tst_SystemShelf::switchingKeepsEachSystemsState() {
    const TestAppFolder data;
    writeSystem(data, "a", "Arcade");
    writeSystem(data, "b", "Consoles");
    data.write("dovrel/systems.ini", "[Systems]\nCount=3\nName1=Arcade\nFolder1=a\n"
                                     "Name2=Gone\nFolder2=gone\nName3=Consoles\nFolder3=b\n");
    FakeDialogs dialogs;
    StderrCapture err;
    SystemShelf shelf(data.path(), dialogs);
    QVERIFY(shelf.start());
    const QStringList warnings = err.lines().filter("left out");
    QCOMPARE(warnings.size(), 1);
    QVERIFY(warnings[0].contains("Gone"));
    QCOMPARE(shelf.names(), (QStringList{"Arcade", "Consoles"}));

    frmMain* arcade = shelf.window(0);
    QCOMPARE(arcade->windowTitle(), "Arcade");
    SystemMenus& menus = menusOf(arcade);
    QVERIFY(menus.mnuSystem->menuAction()->isVisible() && menus.cmbSystem->isVisible());
    QCOMPARE(menus.mnuSystemItems.size(), 2);
    QCOMPARE(menus.mnuSystemItems[1]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_2));
    QVERIFY(menus.mnuSystemItems[0]->isChecked());
    QVERIFY(!shelf.window(1)); // made when first shown

    arcade->openFilter("title 01");
    arcade->lstGames->setCurrentRow(0);
    QCOMPARE(arcade->lstGames->count(), 1);
    menus.mnuSystemNext->trigger();
    frmMain* consoles = shelf.window(1);
    QVERIFY(consoles && consoles->isVisible() && !arcade->isVisible());
    QCOMPARE(consoles->windowTitle(), "Consoles");
    QCOMPARE(consoles->pos(), arcade->pos());
    QCOMPARE(ReadIni(data.file("dovrel/systems.ini"), "Systems", "Current"), "Consoles");
    QCOMPARE(QDir::currentPath(), QDir(data.file("b")).absolutePath());
    QCOMPARE(consoles->lstGames->count(), 3);
    QVERIFY(menusOf(consoles).mnuSystemItems[1]->isChecked());

    menusOf(consoles).mnuSystemNext->trigger(); // round the list
    QCOMPARE(shelf.currentIndex(), 0);
    QVERIFY(arcade->isVisible() && !consoles->isVisible());
    QCOMPARE(arcade->viewChoices().query, "title 01");
    QCOMPARE(arcade->GameList().romName(arcade->lstGames->currentRow()), "g01");
    QCOMPARE(QDir::currentPath(), QDir(data.file("a")).absolutePath());
    // The next start opens the system shown last; one whose list cannot be made gives way.
    SystemShelf again(data.path(), dialogs);
    QVERIFY(again.start("consoles"));
    QCOMPARE(again.currentIndex(), 1);
    data.writeScript("b/emu", "exit 1\n");
    SystemShelf broken(data.path(), dialogs);
    QVERIFY(broken.start("consoles"));
    QCOMPARE(broken.currentIndex(), 0);
    QVERIFY(!broken.window(1));
}

void tst_SystemShelf::allSystemsFindsAndLaunchesInItsOwnSystem() {
    const TestAppFolder data;
    writeSystem(data, "a", "Arcade");
    writeSystem(data, "b", "Consoles");
    writeSystem(data, "c", "Never");
    data.write("dovrel/systems.ini", "[Systems]\nCount=3\nName1=Arcade\nFolder1=a\n"
                                     "Name2=Consoles\nFolder2=b\nName3=Never\nFolder3=c\n");
    FakeDialogs dialogs;
    {
        // Consoles was listed on an earlier start; Never has no list yet.
        GameSession earlier(data.file("b"));
        earlier.enterFolder();
        earlier.readSettings();
        QVERIFY(earlier.generateList(dialogs).ok);
    }
    SystemShelf shelf(data.path(), dialogs);
    QVERIFY(shelf.start());
    menusOf(shelf.window(0)).mnuViewAllSystems->trigger();
    frmAllSystems* all = shelf.allSystemsWindow();
    QVERIFY(all && all->isVisible() && !shelf.window(0)->isVisible());
    QCOMPARE(rowsOf(*all), (QStringList{"Arcade/g00", "Arcade/g01", "Arcade/g02", "Consoles/g00",
                                        "Consoles/g01", "Consoles/g02"}));
    QVERIFY(all->lblUnlisted->isVisibleTo(all) && all->lblUnlisted->text().contains("Never"));
    // Systems not shown are read from their caches: no emulator listed anything for this.
    QCOMPARE(data.read("b/lists.log"), "list\n");
    QVERIFY(!data.exists("c/lists.log"));

    all->txtFind->setText("consoles 02");
    QCOMPARE(rowsOf(*all), QStringList{"Consoles/g02"});
    QTest::keyClick(all->txtFind, Qt::Key_Return);
    QCOMPARE(data.read("b/ran.txt"), "g02\n-res\nConsoles\n");
    QVERIFY(!data.exists("a/ran.txt"));
    // Typing selects the best match, even where the game selected before is still listed.
    all->txtFind->setText("02");
    QCOMPARE(all->selected(), (AllSystemsGames::Row{0, 2}));

    all->txtFind->setText("title 01");
    QCOMPARE(all->model().rows().size(), size_t(2));
    all->mnuViewFavourite->trigger(); // Arcade's g01, the first row
    all->txtFind->clear();
    all->mnuViewFavouritesOnly->trigger();
    QCOMPARE(rowsOf(*all), QStringList{"Arcade/g01"});
    QCOMPARE(ReadIni(data.file("a/dovrel/library.ini"), "Favourites", "g01"), "1");

    menusOf(all).mnuViewAllSystems->trigger();
    QVERIFY(shelf.window(0)->isVisible() && !all->isVisible());
}

void tst_SystemShelf::switchRefusedWhileAGameRuns() {
    const TestAppFolder data;
    writeArcadeAndConsoles(data);
    EmulatorGate gate(data.file("a/gate"));
    QVERIFY(gate.isOpen());
    FakeDialogs dialogs;
    SystemShelf shelf(data.path(), dialogs);
    QVERIFY(shelf.start());
    bool switched = true;
    QTimer::singleShot(0, shelf.window(0), [&] {
        switched = shelf.showSystem(1);
        gate.release();
    });
    shelf.window(0)->cmdLaunch_Click();
    QVERIFY(!switched);
    QVERIFY(!shelf.window(1));
    QCOMPARE(dialogs.shown.last().kind, "information");
    QVERIFY(dialogs.shown.last().text.contains("A game of Arcade is running"));
    QVERIFY(shelf.showSystem(1)); // once it has ended
}

// What Config -> Emulators changes on disk, the shelf follows: the one system becomes the
// first of two with its window kept; a removed system's window goes, the list's next in its place.
void tst_SystemShelf::followsTheListAsItChanges() {
    const TestAppFolder data;
    writeSystem(data, ".", "Arcade");
    writeSystem(data, "b", "Consoles");
    FakeDialogs dialogs;
    SystemShelf shelf(data.path(), dialogs);
    QVERIFY(shelf.start());
    QPointer<frmMain> arcade = shelf.window(0);
    arcade->openFilter("title 02");
    QString error;
    QCOMPARE(AddFolderSystem(data.file("b"), data.path(), &error), "Consoles");
    shelf.reload();
    QCOMPARE(shelf.names(), (QStringList{"Arcade", "Consoles"}));
    QCOMPARE(shelf.window(0), arcade.data());
    QCOMPARE(arcade->viewChoices().query, "title 02");
    QVERIFY(menusOf(arcade).mnuSystem->menuAction()->isVisible());
    QVERIFY(menusOf(arcade).cmbSystem->isVisibleTo(arcade));

    QVERIFY(SystemLists::write(data.path(), SystemList{{{"Consoles", "b"}}, {}}));
    shelf.reload();
    QCOMPARE(shelf.names(), QStringList{"Consoles"});
    QVERIFY(shelf.window(0) && shelf.window(0)->isVisible());
    QCOMPARE(shelf.shownWindow(), shelf.window(0));
    QVERIFY(!menusOf(shelf.window(0)).mnuSystem->menuAction()->isVisible());
    QTRY_VERIFY(!arcade); // once the loop is back
}

// The triggers go from system to system; in All Systems the d-pad moves and A launches there.
void tst_SystemShelf::controllerSwitchesAndBrowsesAllSystems() {
    const TestAppFolder data;
    writeArcadeAndConsoles(data);
    FakeDialogs dialogs;
    SystemShelf shelf(data.path(), dialogs);
    QVERIFY(shelf.start());
    PadControl* control = shelf.window(0)->padControl();
    QVERIFY(control);
    QTRY_VERIFY(control->navigator().reader().isReady());
    VirtualPad pad(control->navigator().reader());
    QVERIFY(pad.plugged() && pad.waitUntilOpen());
    const auto activeShown = [&] {
        shelf.shownWindow()->activateWindow();
        return QTest::qWaitForWindowActive(shelf.shownWindow());
    };
    QVERIFY(activeShown());
    QVERIFY(pad.setAxis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767));
    QVERIFY(pad.setAxis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 0));
    QTRY_COMPARE(shelf.currentIndex(), 1);

    menusOf(shelf.window(1)).mnuViewAllSystems->trigger();
    frmAllSystems* all = shelf.allSystemsWindow();
    QVERIFY(activeShown());
    QVERIFY(pad.tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN));
    QTRY_COMPARE(all->selected(), (AllSystemsGames::Row{0, 1}));
    QVERIFY(pad.tap(SDL_CONTROLLER_BUTTON_A));
    QTRY_COMPARE(data.read("a/ran.txt"), "g01\n-res\nArcade\n");
}

QTEST_MAIN(tst_SystemShelf)
#include "tst_SystemShelf.moc"

#include "base/Ini.h"
#include "gamelist/ui/GameDetailsTable.h"
#include "gamelist/ui/GameListBox.h"
#include "shell/frmMain.h"
#include "ui/Twips.h"

#include <QAction>
#include <QHeaderView>
#include <QtTest>

#include "common/MainWindowFixture.h"
#include "common/StderrCapture.h"
#include "common/TestAppFolder.h"

// The main window with a list that has details: the View menu's choices, the details table in
// the list's place, clones opened and closed from the keyboard, a details cache not used.
namespace {

const QByteArray kGames = "mspacman|Ms. Pac-Man\r\npacman|Pac-Man (Midway)\r\n"
                          "puckman|Puck Man (Japan set 1)\r\npacland|Pac-Land\r\n";
const QByteArray kDetails = "#Tarvelin details\tYear\tManufacturer\tParent\tStatus\r\n"
                            "mspacman\t1981\tMidway\t\tgood\r\n"
                            "pacman\t1980\tNamco (Midway license)\tpuckman\tgood\r\n"
                            "puckman\t1980\tNamco\t\tgood\r\n"
                            "pacland\t1984\tNamco\t\tpreliminary\r\n";

void prepare(const TestAppFolder& app, bool withDetails, const QByteArray& details = kDetails) {
    app.write("dovrel/dovrel.ini",
              "[Parse]\nExeName=emu\n" +
                  (withDetails ? QByteArray("DetailFields=Year;Manufacturer;Parent;Status\n")
                               : QByteArray()) +
                  "[Settings]\nShowMissingRoms=1\n");
    app.write("dovrel/cfgdef.ini", "[General]\nNumCats=0\n");
    app.write("dovrel/glist.lst", kGames);
    app.write("dovrel/gdetails.lst", details);
}

struct Window : MainWindowFixture {
    explicit Window(const TestAppFolder& folder) : MainWindowFixture(folder) {
        startFromCache();
        w.show();
    }
    QAction* action(const char* name) const { return w.findChild<QAction*>(name); }
    GameDetailsTable* table() const { return w.findChild<GameDetailsTable*>("tblGameDetails"); }
    QString selected() const { return w.GameList().romName(w.lstGames->currentRow()); }
    QStringList roms() const {
        QStringList out;
        for (int row = 0; row < w.lstGames->count(); ++row)
            out << w.GameList().romName(row);
        return out;
    }
    QString setting(const char* key) const {
        return ReadIni(app.file("dovrel/dovrel.ini"), "Settings", key);
    }
};

} // namespace

class tst_frmMainDetails : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Twips::setPerPixel(15); }
    void cleanup() { QDir::setCurrent(QDir::tempPath()); }
    void choicesComeOnlyWithDetails();
    void tableSharesTheSelectionAndSortsByItsHeader();
    void clonesOpenAndCloseFromTheKeyboard();
    void fullScreenShowsTheLargeListAndComesBackToTheTable();
    void detailsOfAnotherListAreNotShown();
};

void tst_frmMainDetails::choicesComeOnlyWithDetails() {
    TestAppFolder plain;
    prepare(plain, false);
    Window standard(plain);
    QVERIFY(!standard.action("mnuViewDetails") && !standard.action("mnuViewHideClones"));
    standard.action("mnuViewSortByTitle")->trigger();
    QVERIFY(!plain.read("dovrel/dovrel.ini").contains("HideClones"));
    QCOMPARE(standard.w.lstGames->model()->data(standard.w.lstGames->model()->index(1, 0),
                                                  Qt::ToolTipRole),
             QVariant(QString()));

    TestAppFolder app;
    prepare(app, true);
    Window win(app);
    QVERIFY(win.action("mnuViewDetails") && win.action("mnuViewWorkingOnly"));
    // The standard list tells the details in one line.
    QCOMPARE(win.w.lstGames->model()->data(win.w.lstGames->model()->index(1, 0), Qt::ToolTipRole)
                 .toString(),
             QString("1980 \u00B7 Namco (Midway license) \u00B7 clone of puckman \u00B7 status: good"));
    win.action("mnuViewWorkingOnly")->trigger();
    QCOMPARE(win.roms(), QStringList({"mspacman", "pacman", "puckman"}));
    QCOMPARE(win.setting("WorkingOnly"), QString("1"));
}

void tst_frmMainDetails::tableSharesTheSelectionAndSortsByItsHeader() {
    TestAppFolder app;
    prepare(app, true);
    {
        Window win(app);
        win.w.lstGames->setCurrentRow(2);
        win.action("mnuViewDetails")->trigger();
        GameDetailsTable* table = win.table();
        QVERIFY(table && table->isVisible() && !win.w.lstGames->isVisible());
        QCOMPARE(table->geometry(), win.w.lstGames->geometry());
        QCOMPARE(table->model()->headerData(3, Qt::Horizontal).toString(), QString("ROM name"));
        QCOMPARE(table->currentIndex().row(), 2);
        table->setCurrentIndex(table->model()->index(3, 1));
        QCOMPARE(win.selected(), QString("pacland"));
        table->horizontalHeader()->setSortIndicator(1, Qt::DescendingOrder); // Year
        QCOMPARE(win.roms(), QStringList({"pacland", "mspacman", "pacman", "puckman"}));
        QCOMPARE(win.selected(), QString("pacland"));
        QCOMPARE(win.setting("DetailsSort"), QString("Year"));
        table->horizontalHeader()->resizeSection(0, 333);
        QTRY_VERIFY(!win.setting("DetailsColumns").isEmpty());
    }
    Window again(app);
    QVERIFY(again.table() && again.table()->isVisible());
    QCOMPARE(again.roms(), QStringList({"pacland", "mspacman", "pacman", "puckman"}));
    QCOMPARE(again.table()->horizontalHeader()->sectionSize(0), 333);
    QCOMPARE(again.table()->horizontalHeader()->sortIndicatorSection(), 1);
    // An order chosen from the menu ends the column's sort.
    again.action("mnuViewSortByTitle")->trigger();
    QCOMPARE(again.roms(), QStringList({"mspacman", "pacland", "pacman", "puckman"}));
    QCOMPARE(again.table()->horizontalHeader()->sortIndicatorSection(), -1);
    QCOMPARE(again.setting("DetailsSort"), QString());
    again.action("mnuViewSortByTitle")->trigger();
    again.action("mnuViewDetails")->trigger();
    QVERIFY(!again.table()->isVisible() && again.w.lstGames->isVisible());
    QCOMPARE(again.roms(), QStringList({"mspacman", "pacman", "puckman", "pacland"}));
}

void tst_frmMainDetails::clonesOpenAndCloseFromTheKeyboard() {
    TestAppFolder app;
    prepare(app, true);
    Window win(app);
    win.action("mnuViewHideClones")->trigger();
    QCOMPARE(win.roms(), QStringList({"mspacman", "puckman", "pacland"}));
    QCOMPARE(win.w.lstGames->itemText(1), QString("\u25B8 Puck Man (Japan set 1)"));
    win.w.lstGames->setCurrentRow(1);
    win.w.lstGames->setFocus();
    QTest::keyClick(win.w.lstGames, Qt::Key_Right);
    QCOMPARE(win.roms(), QStringList({"mspacman", "puckman", "pacman", "pacland"}));
    QTest::keyClick(win.w.lstGames, Qt::Key_Down);
    QCOMPARE(win.selected(), QString("pacman"));
    QTest::keyClick(win.w.lstGames, Qt::Key_Left); // from the clone: its parent closes
    QCOMPARE(win.roms(), QStringList({"mspacman", "puckman", "pacland"}));
    QCOMPARE(win.selected(), QString("puckman"));
    // A game without clones: the key does what it does in any list.
    win.w.lstGames->setCurrentRow(0);
    QTest::keyClick(win.w.lstGames, Qt::Key_Right);
    QCOMPARE(win.roms().size(), 3);
}

void tst_frmMainDetails::fullScreenShowsTheLargeListAndComesBackToTheTable() {
    TestAppFolder app;
    prepare(app, true);
    Window win(app);
    win.action("mnuViewDetails")->trigger();
    win.w.activateWindow();
    win.table()->setFocus();
    win.action("mnuViewFullScreen")->trigger();
    QVERIFY(win.w.lstGames->isVisible() && !win.table()->isVisible());
    win.action("mnuViewFullScreen")->trigger();
    QVERIFY(!win.w.lstGames->isVisible() && win.table()->isVisible());
    QCOMPARE(win.w.gameView(), win.table());
}

void tst_frmMainDetails::detailsOfAnotherListAreNotShown() {
    TestAppFolder app;
    prepare(app, true, "#Tarvelin details\tYear\tManufacturer\tParent\tStatus\r\n"
                       "galaga\t1981\tNamco\t\tgood\r\n");
    StderrCapture err;
    app.write("dovrel/dovrel.ini", app.read("dovrel/dovrel.ini") + "Details=1\nHideClones=1\n");
    Window win(app);
    const QStringList lines = err.lines().filter("gdetails.lst");
    QCOMPARE(lines.size(), 1);
    QVERIFY(lines[0].contains("the next list writes them anew"));
    // Every game listed, as the standard list shows them.
    QCOMPARE(win.roms(), QStringList({"mspacman", "pacman", "puckman", "pacland"}));
    QVERIFY(!win.table() || !win.table()->isVisible());
}

QTEST_MAIN(tst_frmMainDetails)
#include "tst_frmMainDetails.moc"

#include "base/Ini.h"
#include "gamelist/ui/GameFilterField.h"
#include "gamelist/ui/GameListBox.h"
#include "shell/frmMain.h"
#include "ui/Twips.h"

#include <QAction>
#include <QLineEdit>
#include <QtTest>

#include "common/MainWindowFixture.h"
#include "common/TestAppFolder.h"

// Finding games on the main window: the filter field, favourites, the views, play records.
namespace {

const QByteArray kGames = "alpha|Café Rush\r\nbeta|Super pacman deluxe\r\ngamma|Pac Attack\r\n"
                          "delta|Zoo 10\r\nepsilon|Zoo 9\r\n";

struct Window : MainWindowFixture {
    explicit Window(const TestAppFolder& folder) : MainWindowFixture(folder) { startFromCache(); }
    QStringList listed() const {
        QStringList items;
        for (int i = 0; i < w.lstGames->count(); ++i)
            items << w.lstGames->itemText(i);
        return items;
    }
    QString selected() const { return w.GameList().romName(w.lstGames->currentRow()); }
    void select(int row) { w.lstGames->setCurrentRow(row); }
};

void prepare(const TestAppFolder& app) {
    app.write("dovrel/dovrel.ini", "[Parse]\nExeName=emu\n[Settings]\nShowMissingRoms=1\n");
    app.write("dovrel/cfgdef.ini", "[General]\nNumCats=1\n[Cat1]\nName=Video\nnumOpts=1\n"
                                   "opt1=-name |Name|0|Anna\n");
    app.write("dovrel/glist.lst", kGames);
    app.writeScript("emu", "exit 0\n");
}

} // namespace

class tst_frmMainFinding : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Twips::setPerPixel(15); }
    void cleanup() { QDir::setCurrent(QDir::tempPath()); }
    void typingFiltersTheList();
    void favouritesAndViewsAreKept();
    void launchesAreRecordedOnceAsked();
};

void tst_frmMainFinding::typingFiltersTheList() {
    TestAppFolder app;
    prepare(app);
    Window win(app);
    const QRect listPlace = win.w.lstGames->geometry();
    win.select(2); // gamma
    win.w.optionsPanel().setText(1, "edited, not saved");

    QTest::keyClicks(win.w.lstGames, "pac");
    QVERIFY(!win.w.findChild<QLineEdit*>("txtFilter")->isHidden());
    QCOMPARE(win.w.findChild<QLineEdit*>("txtFilter")->text(), QString("pac"));
    QCOMPARE(win.listed(), QStringList({"Super pacman deluxe", "Pac Attack"}));
    // The selected game stays selected, its panel as the user left it.
    QCOMPARE(win.selected(), QString("gamma"));
    QCOMPARE(win.w.optionsPanel().text(1), QString("edited, not saved"));
    // The field takes the top of the list's place; the list keeps the rest.
    QCOMPARE(win.w.findChild<QLineEdit*>("txtFilter")->geometry().top(), listPlace.top());
    QCOMPARE(win.w.lstGames->geometry().bottom(), listPlace.bottom());
    QVERIFY(win.w.lstGames->geometry().top() >
            win.w.findChild<QLineEdit*>("txtFilter")->geometry().bottom());

    // A game that no longer matches gives way to the first match; accents and case are folded.
    QTest::keyClicks(win.w.findChild<QLineEdit*>("txtFilter"), " MAN");
    QCOMPARE(win.listed(), QStringList({"Super pacman deluxe"}));
    QCOMPARE(win.selected(), QString("beta"));
    win.w.findChild<QLineEdit*>("txtFilter")->setText("CAFE");
    QCOMPARE(win.listed(), QStringList({"Café Rush"}));
    win.w.findChild<QLineEdit*>("txtFilter")->setText("nothing like it");
    QCOMPARE(win.w.lstGames->count(), 0);
    win.w.findChild<QLineEdit*>("txtFilter")->setText("zoo");
    QCOMPARE(win.selected(), QString("delta"));

    QTest::keyClick(win.w.findChild<QLineEdit*>("txtFilter"), Qt::Key_Escape);
    QVERIFY(win.w.findChild<QLineEdit*>("txtFilter")->isHidden());
    QCOMPARE(win.w.lstGames->geometry(), listPlace);
    QCOMPARE(win.listed().size(), 5);
    QCOMPARE(win.selected(), QString("delta"));

    // Ctrl+F opens the field empty; Control with a letter in the list does not.
    win.w.menus().mnuViewFind->trigger();
    QVERIFY(!win.w.findChild<QLineEdit*>("txtFilter")->isHidden());
    QCOMPARE(win.w.findChild<QLineEdit*>("txtFilter")->text(), QString());
    QTest::keyClick(win.w.findChild<QLineEdit*>("txtFilter"), Qt::Key_Escape);
    QTest::keyClick(win.w.lstGames, Qt::Key_A, Qt::ControlModifier);
    QVERIFY(win.w.findChild<QLineEdit*>("txtFilter")->isHidden());
}

void tst_frmMainFinding::favouritesAndViewsAreKept() {
    TestAppFolder app;
    prepare(app);
    {
        Window win(app);
        win.select(1); // beta
        win.w.menus().mnuViewFavourite->trigger();
        QVERIFY(win.w.menus().mnuViewFavourite->isChecked());
        QCOMPARE(win.listed()[1], QString("\u2605 Super pacman deluxe"));
        win.w.menus().mnuViewSortByTitle->trigger();
        QCOMPARE(win.listed(), QStringList({"Café Rush", "Pac Attack", "\u2605 Super pacman deluxe",
                                            "Zoo 9", "Zoo 10"}));
        QCOMPARE(win.selected(), QString("beta"));
        win.w.menus().mnuViewFavouritesOnly->trigger();
        QCOMPARE(win.listed(), QStringList({"\u2605 Super pacman deluxe"}));
    }
    QCOMPARE(ReadIni(app.file("dovrel/library.ini"), "Favourites", "beta"), QString("1"));
    QCOMPARE(ReadIni(app.file("dovrel/dovrel.ini"), "Settings", "FavouritesOnly"), QString("1"));
    {
        // Started again: the same view, the favourite still marked.
        Window win(app);
        QVERIFY(win.w.menus().mnuViewFavouritesOnly->isChecked());
        QVERIFY(win.w.menus().mnuViewSortByTitle->isChecked());
        QCOMPARE(win.listed(), QStringList({"\u2605 Super pacman deluxe"}));
        win.w.menus().mnuViewFavourite->trigger(); // taken back: the view empties
        QCOMPARE(win.w.lstGames->count(), 0);
        win.w.menus().mnuViewFavouritesOnly->trigger();
        QCOMPARE(win.listed().first(), QString("Café Rush"));
    }
    QCOMPARE(ReadIni(app.file("dovrel/library.ini"), "Favourites", "beta"), QString("0"));
}

void tst_frmMainFinding::launchesAreRecordedOnceAsked() {
    TestAppFolder app;
    prepare(app);
    Window win(app);
    win.select(3);
    win.w.cmdLaunch_Click();
    QVERIFY(!app.exists("dovrel/library.ini")); // nobody asked for records yet
    win.w.menus().mnuViewRecentlyPlayed->trigger();
    QCOMPARE(win.w.lstGames->count(), 0);
    win.w.menus().mnuViewRecentlyPlayed->trigger();
    win.select(3); // delta
    win.w.cmdLaunch_Click();
    win.select(0); // alpha
    win.w.cmdLaunch_Click();
    win.w.menus().mnuViewRecentlyPlayed->trigger();
    QCOMPARE(win.listed().size(), 2);
    QCOMPARE(win.w.library().record("delta")->launches, 1);
    QVERIFY(win.w.library().record("alpha")->lastStart >=
            win.w.library().record("delta")->lastStart);
    QVERIFY(
        GameLibrary::describe(*win.w.library().record("alpha")).startsWith("Played once, 0 min"));
}

QTEST_MAIN(tst_frmMainFinding)
#include "tst_frmMainFinding.moc"

#include "gamelist/ui/GameListBox.h"
#include "session/GameSession.h"
#include "shell/frmMain.h"
#include "ui/Twips.h"

#include <QAction>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

#include "common/FakeDialogs.h"
#include "common/TestAppFolder.h"

class tst_frmMain : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Twips::setPerPixel(15); }
    void fixedControls_data();
    void fixedControls();
    void menuTree();
    void caption_data();
    void caption();
    void tabOrder();
};

void tst_frmMain::fixedControls_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    QTest::newRow("lstGames") << "lstGames" << QRect(240, 120, 5535, 4380);
    QTest::newRow("cmdLaunch") << "cmdLaunch" << QRect(240, 4680, 5535, 375);
    QTest::newRow("cmdSaveDefault") << "cmdSaveDefault" << QRect(6000, 4680, 1335, 375);
    QTest::newRow("cmdSaveRom") << "cmdSaveRom" << QRect(7320, 4680, 1095, 375);
    QTest::newRow("cmdRevert") << "cmdRevert" << QRect(8400, 4680, 1215, 375);
    QTest::newRow("fraCat template") << "fraCat_1" << QRect(6000, 120, 3615, 1455);
    QTest::newRow("txtConfig template") << "txtConfig_1" << QRect(9240, 480, 1095, 345);
    QTest::newRow("cmbConfig template") << "cmbConfig_1" << QRect(9240, 480, 1095, 315);
    QTest::newRow("chkCfg template") << "chkCfg_1" << QRect(6120, 480, 2895, 345);
}

void tst_frmMain::fixedControls() {
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    GameSession state{QString()};
    FakeDialogs dialogs;
    frmMain w(state, dialogs);
    auto* control = w.findChild<QWidget*>(name);
    QVERIFY(control);
    const QRect px = control->geometry();
    QCOMPARE(QRect(Twips::fromPx(px.x()), Twips::fromPx(px.y()), Twips::fromPx(px.width()),
                   Twips::fromPx(px.height())),
             twips);
    QCOMPARE(w.findChild<QWidget*>("client")->width(), Twips::toPx(5940));
    QCOMPARE(w.findChild<QWidget*>("client")->height(), Twips::toPx(5145));
}

void tst_frmMain::menuTree() {
    GameSession state{QString()};
    FakeDialogs dialogs;
    frmMain w(state, dialogs);
    QStringList seen;
    for (QAction* top : w.menuBar()->actions()) {
        seen << top->text();
        for (QAction* item : top->menu()->actions())
            seen << "  " + item->objectName() + " " + item->text() +
                        (item->isChecked() ? " [x]" : "");
    }
    QCOMPARE(
        seen,
        QStringList(
            {"&Config", "  mnuConfigControls &Controls", "  mnuConfigEmulator &Emulator",
             "  mnuConfigSetRomPath Set &Rom Path", "   ", "  mnuConfigQuickStart &Quick Start",
             "&View", "  mnuShowMissingRoms Show &Missing Roms",
             "  mnuViewShowGameConfig Show &Game Config",
             // Finding games: items added after the standard ones.
             "   ", "  mnuViewFind &Find Games...", "  mnuViewFavourite Fa&vourite", "   ",
             "  mnuViewFavouritesOnly Fav&ourites Only", "  mnuViewRecentlyPlayed Recently &Played",
             "  mnuViewSortByTitle Sort by &Title", "&Help", "  mnuHelpAbout &About"}));
}

void tst_frmMain::caption_data() {
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QString>("caption");
    QTest::newRow("configured") << QByteArray("[Parse]\nWindowCaption=  My Emu  \n") << "My Emu";
    // An empty caption is shown as a blank: Qt would put the program's name in an empty one.
    QTest::newRow("empty stays empty") << QByteArray("[Parse]\nWindowCaption=\n") << " ";
    QTest::newRow("no settings file") << QByteArray() << " ";
}

void tst_frmMain::caption() {
    QFETCH(QByteArray, settings);
    QFETCH(QString, caption);
    TestAppFolder app;
    if (!settings.isEmpty())
        app.write("dovrel/dovrel.ini", settings);
    GameSession state(app.path());
    FakeDialogs dialogs;
    frmMain w(state, dialogs);
    QCOMPARE(w.windowTitle(), QString("Tarvelin Launcher"));
    w.ReadDovrelCFG();
    QCOMPARE(w.windowTitle(), caption);
    QCOMPARE(state.settings().RomExt, QString(".zip"));
}

void tst_frmMain::tabOrder() {
    GameSession state{QString()};
    FakeDialogs dialogs;
    frmMain w(state, dialogs);
    // The next widget that Tab reaches, skipping the list's own viewport.
    const auto next = [](QWidget* from) {
        QWidget* n = from->nextInFocusChain();
        while (!(n->focusPolicy() & Qt::TabFocus) || from->isAncestorOf(n))
            n = n->nextInFocusChain();
        return n;
    };
    QCOMPARE(next(w.lstGames), static_cast<QWidget*>(w.cmdLaunch));
    QCOMPARE(next(w.cmdLaunch), static_cast<QWidget*>(w.cmdSaveDefault));
    QCOMPARE(next(w.cmdSaveDefault), static_cast<QWidget*>(w.cmdSaveRom));
    QCOMPARE(next(w.cmdSaveRom), static_cast<QWidget*>(w.cmdRevert));
}

QTEST_MAIN(tst_frmMain)
#include "tst_frmMain.moc"

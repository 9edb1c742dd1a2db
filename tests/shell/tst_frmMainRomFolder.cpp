#include "shell/frmMain.h"

#include <QAction>
#include <QtTest>

#include "common/MainWindowFixture.h"
#include "common/TestAppFolder.h"

// The main window with its list made from the ROM folder: the standard start, the quick start
// that shows the last list and reads the folder again in the background, and the missing-ROM
// filter, which has nothing to hide.
class tst_frmMainRomFolder : public QObject {
    Q_OBJECT
private slots:
    void startsWithTheFolderAndQuickStartRefreshes();
};

namespace {

void setUp(const TestAppFolder& app, bool quick) {
    app.writeScript("emu", "exit 0\n");
    app.write("dovrel/dovrel.ini",
              "[Parse]\nWindowCaption=Folder\nExeName=emu\nGameListCommand=\nGameListStartLine=0\n"
              "GameListRomLen=0\nHelpEndLine=0\nRomFolderExtensions=nes\nRomFolderSubFolders=1\n"
              "[Settings]\nRomPath=roms/\nSendRomPath=0\nRomPathinQuotes=0\nRomExt=.zip\n"
              "ShowConfig=1\nShowMissingRoms=0\nQuickStart=" +
                  QByteArray(quick ? "1" : "0") + "\n");
    app.write("dovrel/cfgdef.ini", "[General]\nNumCats=1\n[Cat1]\nName=Video\nnumOpts=1\n"
                                   "opt1=-f|Full screen|2|0\n");
}

} // namespace

void tst_frmMainRomFolder::startsWithTheFolderAndQuickStartRefreshes() {
    const TestAppFolder app;
    setUp(app, false);
    app.write("roms/Alpha (World).nes", "");
    app.write("roms/more/Beta.NES", "");
    {
        MainWindowFixture first(app);
        QVERIFY(first.w.Form_Load());
        QVERIFY(!first.w.backgroundListRunning());
        // RomExt is .zip and missing games are hidden, yet both games are there.
        QCOMPARE(ListedTitles(first.w), (QStringList{"Alpha (World)", "Beta"}));
        QVERIFY2(first.dialogs.shown.isEmpty(), qPrintable(first.dialogs.shown.value(0).text));
    }
    setUp(app, true);
    app.write("roms/Gamma.nes", "");
    MainWindowFixture win(app);
    QVERIFY(win.w.Form_Load());
    QCOMPARE(ListedTitles(win.w), (QStringList{"Alpha (World)", "Beta"})); // the last list, at once
    QVERIFY(win.w.backgroundListRunning());
    win.w.show();
    QTRY_VERIFY_WITH_TIMEOUT(!win.w.backgroundListRunning(), 10000);
    QCOMPARE(ListedTitles(win.w), (QStringList{"Alpha (World)", "Beta", "Gamma"}));
    QVERIFY(app.read("dovrel/romfiles.lst").contains(app.file("roms/Gamma.nes").toUtf8()));
    QVERIFY2(win.dialogs.shown.isEmpty(), qPrintable(win.dialogs.shown.value(0).text));
}

QTEST_MAIN(tst_frmMainRomFolder)
#include "tst_frmMainRomFolder.moc"

#include "gamelist/ui/GameListBox.h"
#include "options/ui/OptionsPanel.h"
#include "pictures/ui/PicturePane.h"
#include "shell/frmMain.h"
#include "ui/Twips.h"
#include "ui/WindowFrame.h"

#include <QAction>
#include <QBuffer>
#include <QImage>
#include <QScrollArea>
#include <QSignalSpy>
#include <QtTest>

#include "common/MainWindowFixture.h"
#include "common/TestAppFolder.h"

namespace {

// An emulator that lists 1942 and pacman, every game listed, the panel shown at start-up.
void writeEmulator(const TestAppFolder& app, const QByteArray& pictureSources) {
    app.write("dovrel/dovrel.ini",
              "[Parse]\nWindowCaption=Pictures\nExeName=emu\nGameListCommand=-list\n"
              "GameListStartLine=1\nGameListRomLen=7\nHelpEndLine=0\n[Settings]\nRomPath=\n"
              "SendRomPath=1\nRomPathinQuotes=0\nRomExt=.zip\nShowConfig=1\n"
              "ShowMissingRoms=1\n" +
                  pictureSources);
    app.write("dovrel/cfgdef.ini", "[Categories]\nNumCats=1\n[Cat1]\nName=Video\nNumOpts=1\n"
                                   "opt1=Scale|-scale|0|2\n");
    app.writeScript("emu", "printf 'Banner\\nName   Description\\n1942   Game 1942\\n"
                           "pacman Game pacman\\n'\n");
    QImage image(640, 480, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    app.write("snap/1942.png", png);
}

double placed(double twips) {
    return Twips::fromPx(Twips::toPx(twips));
}

// Waits until the pane has what it shows for the selected game.
bool settled(PicturePane* pane) {
    QCoreApplication::processEvents(); // the queued look at the selection after a refill
    QSignalSpy arrived(pane, &PicturePane::pictureChanged);
    return !pane->waiting() || arrived.wait(5000);
}

} // namespace

class tst_frmMainPictures : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Twips::setPerPixel(15); }

    void withoutTheKey_data();
    void withoutTheKey();
    void paneBesidePanel();
    void followsSelection();
};

void tst_frmMainPictures::withoutTheKey_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("absent") << QByteArray();
    QTest::newRow("empty") << QByteArray("PictureSources=\n");
    QTest::newRow("only separators") << QByteArray("PictureSources= ; \n");
}

void tst_frmMainPictures::withoutTheKey() {
    QFETCH(QByteArray, line);
    TestAppFolder app;
    writeEmulator(app, line);
    MainWindowFixture m(app);
    QVERIFY(m.w.Form_Load());
    QVERIFY(!m.w.findChild<PicturePane*>("picGame"));
    QVERIFY(!m.w.findChild<PicturePane*>());
    QCOMPARE(m.w.outerWidthTw(), placed(6000.0 + 3615 + 500));
}

void tst_frmMainPictures::paneBesidePanel() {
    TestAppFolder app;
    writeEmulator(app, "PictureSources=snap\n");
    MainWindowFixture m(app);
    QVERIFY(m.w.Form_Load());
    m.w.show(); // the pane fits itself to the window's client area as it is laid out
    QCoreApplication::processEvents();
    PicturePane* pane = m.w.findChild<PicturePane*>("picGame");
    QVERIFY(pane);
    QCOMPARE(pane->objectName(), QString("picGame"));
    // Right of the frames and of the scroll bar they may need, at the frames' top.
    const QScrollArea* panel = m.w.optionsPanel().scrollArea();
    QVERIFY(pane->x() > panel->geometry().right());
    QCOMPARE(pane->y(), Twips::toPx(120));
    // The window grows for it as far as the screen allows, and the pane fits in the window.
    const double standard = placed(6000.0 + 3615 + 500);
    const double available = WindowFrame::maxOuterWidthTw(&m.w);
    QVERIFY(m.w.outerWidthTw() > standard);
    QVERIFY(m.w.outerWidthTw() <= available);
    QVERIFY(pane->geometry().right() < m.w.findChild<QWidget*>("client")->width());
    QCOMPARE(m.w.outerWidthTw(),
             placed(qMin(Twips::fromPx(pane->designedGeometry().right() + 1) + 500, available)));

    // Hiding the panel hides the pane with it; showing it again widens the window as before.
    const double shown = m.w.outerWidthTw();
    m.w.menus().mnuViewShowGameConfig->trigger();
    QCOMPARE(m.w.outerWidthTw(), placed(6000.0 + 150));
    QVERIFY(pane->x() > m.w.findChild<QWidget*>("client")->width());
    m.w.menus().mnuViewShowGameConfig->trigger();
    QCOMPARE(m.w.outerWidthTw(), shown);
}

void tst_frmMainPictures::followsSelection() {
    TestAppFolder app;
    writeEmulator(app, "PictureSources=gone.zip;snap\n");
    MainWindowFixture m(app);
    QVERIFY(m.w.Form_Load());
    PicturePane* pane = m.w.findChild<PicturePane*>("picGame");
    QVERIFY(pane);
    // Start-up asks for no picture: the first is asked for once the window is shown.
    QCOMPARE(pane->rom(), QString("1942"));
    QVERIFY(!pane->waiting());
    QVERIFY(pane->picture().isNull());
    m.w.show();
    QVERIFY(pane->waiting());
    QVERIFY(settled(pane));
    QCOMPARE(pane->rom(), QString("1942"));
    QVERIFY(!pane->picture().isNull());
    QCOMPARE(pane->picture().pixelColor(3, 3), QColor(Qt::blue));

    m.w.lstGames->setCurrentRow(1);
    QVERIFY(settled(pane));
    QCOMPARE(pane->rom(), QString("pacman"));
    QCOMPARE(pane->description(), QString("Game pacman"));
    QVERIFY(pane->picture().isNull()); // the placeholder

    // A filter that lists nothing leaves no game selected; emptying it selects one again.
    m.w.openFilter("zzz");
    QCOMPARE(m.w.lstGames->count(), 0);
    QVERIFY(settled(pane));
    QCOMPARE(pane->rom(), QString());
    m.w.closeFilter();
    QVERIFY(settled(pane));
    QCOMPARE(pane->rom(), m.w.GameList().romName(m.w.lstGames->currentRow()));

    // A refill that keeps the selected game keeps its picture.
    m.w.lstGames->setCurrentRow(0);
    QVERIFY(settled(pane));
    m.w.openFilter("1942");
    QVERIFY(settled(pane));
    QCOMPARE(pane->rom(), QString("1942"));
    QVERIFY(!pane->picture().isNull());
}

QTEST_MAIN(tst_frmMainPictures)
#include "tst_frmMainPictures.moc"

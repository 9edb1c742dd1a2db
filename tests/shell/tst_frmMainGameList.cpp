#include "gamelist/GameLibrary.h"
#include "gamelist/GameListModel.h"
#include "gamelist/ui/GameListBox.h"
#include "session/GameSession.h"
#include "shell/frmMain.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include "common/FakeDialogs.h"
#include "common/MainWindowFixture.h"
#include "common/TestAppFolder.h"

namespace {

QByteArray settings(const QByteArray& exeName, const QByteArray& command,
                    const QByteArray& missing) {
    return "[Parse]\nWindowCaption=Test\nExeName=" + exeName + "\nGameListCommand=" + command +
           "\nGameListStartLine=1\nGameListRomLen=6\nHelpEndLine=0\n[Settings]\nRomPath=\n"
           "SendRomPath=1\nRomPathinQuotes=1\nRomExt=.zip\nShowConfig=0\nShowMissingRoms=" +
           missing + "\n";
}

QByteArray cacheOf(int games) {
    QByteArray bytes;
    for (int i = 0; i < games; ++i)
        bytes += "g" + QByteArray::number(i) + "|Game " + QByteArray::number(i) + "\r\n";
    return bytes;
}

struct Window : MainWindowFixture {
    explicit Window(const TestAppFolder& folder) : MainWindowFixture(folder) {
        state.settings().RomPath = app.path() + "/roms/";
        state.settings().RomExt = ".zip";
    }
};

// One row of the list as drawn (at least one line of text in the window's font).
double lineTw(const frmMain& w) {
    const GameLibrary library;
    GameListModel model(library);
    model.setGames({{"x", "XXXX"}});
    model.show({});
    GameListBox probe(&model);
    probe.setFont(w.font());
    return Twips::fromPx(qMax(probe.sizeHintForRow(0), QFontMetrics(w.font()).height()));
}

} // namespace

class tst_frmMainGameList : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        Twips::setPerPixel(15);
        m_startDir = QDir::currentPath();
    }
    void cleanup() { QDir::setCurrent(m_startDir); }

    void startupEndsWithMessage_data();
    void startupEndsWithMessage();
    void startupListsAvailableGames();
    void filter();
    void selectionRunsOncePerFill();
    void staleRowsAfterAnEmptyFill();
    void growth();
    void growthStopsAtTheScreen();

private:
    QString m_startDir;
};

void tst_frmMainGameList::startupEndsWithMessage_data() {
    QTest::addColumn<QByteArray>("exeName");
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<QString>("messageStart");
    QTest::newRow("emulator missing")
        << QByteArray("noemu") << QByteArray("a\nb\n") << "noemu not found!\r\n\r\n";
    QTest::newRow("emulator prints nothing")
        << QByteArray("emu") << QByteArray() << "gamelist.txt empty!\r\n\r\n";
}

void tst_frmMainGameList::startupEndsWithMessage() {
    QFETCH(QByteArray, exeName);
    QFETCH(QByteArray, output);
    QFETCH(QString, messageStart);
    TestAppFolder app;
    app.write("dovrel/dovrel.ini", settings(exeName, "-list", "0"));
    app.writeScript("emu", "printf '%s' '" + output + "'\n");
    GameSession state(app.path());
    FakeDialogs dialogs;
    frmMain w(state, dialogs);
    QVERIFY(!w.Form_Load()); // main returns 1 then, before anything is shown
    QCOMPARE(dialogs.shown.size(), 1);
    QCOMPARE(dialogs.shown[0].kind, QString("critical"));
    QCOMPARE(dialogs.shown[0].title, QString());
    QVERIFY2(dialogs.shown[0].text.startsWith(messageStart), qPrintable(dialogs.shown[0].text));
    QVERIFY(!w.isVisible());
    for (QWidget* top : QApplication::topLevelWidgets())
        QVERIFY(!top->isVisible());
    QCOMPARE(w.lstGames->count(), 0);
}

void tst_frmMainGameList::startupListsAvailableGames() {
    TestAppFolder app;
    app.write("dovrel/dovrel.ini", settings("emu", "-list", "0"));
    app.writeScript("emu", "printf 'Emu 1.0\\nName  Description\\nalpha Alpha Game\\n"
                           "beta  Beta Game\\ngamma Gamma Game\\n'\n");
    app.write("roms/beta.zip", "");
    app.write("roms/gamma.zip", "");
    GameSession state(app.path());
    FakeDialogs dialogs;
    frmMain w(state, dialogs);
    QVERIFY(w.Form_Load());
    QVERIFY(dialogs.shown.isEmpty());
    QCOMPARE(state.HelpText(), QString("Emu 1.0\r\n"));
    QCOMPARE(app.read("dovrel/glist.lst"),
             QByteArray("alpha|Alpha Game\r\nbeta|Beta Game\r\ngamma|Gamma Game\r\n"));
    QVERIFY(!app.exists("gamelist.txt"));
    QCOMPARE(w.lstGames->count(), 2);
    QCOMPARE(w.lstGames->itemText(0), QString("Beta Game"));
    QCOMPARE(w.lstGames->currentRow(), 0);
    QCOMPARE(w.GameList().romName(0), QString("beta"));
    QCOMPARE(w.GameList().romName(1), QString("gamma"));
}

void tst_frmMainGameList::filter() {
    TestAppFolder app;
    app.write("dovrel/glist.lst", "first|First\r\nsecond|Second|extra\r\nthird|Third\r\n");
    app.write("roms/second.zip", "");
    Window win(app);
    win.w.LoadGameList(true);
    QCOMPARE(win.w.lstGames->count(), 1);
    QCOMPARE(win.w.lstGames->itemText(0), QString("Second"));
    QCOMPARE(win.w.GameList().romName(0), QString("second"));
    QCOMPARE(win.w.GameList().description(0), QString("Second"));
    QCOMPARE(win.w.lstGames->currentRow(), 0);

    win.w.LoadGameList(false);
    QCOMPARE(win.w.lstGames->count(), 3);
    QCOMPARE(win.w.GameList().rowCount(), 3);
    QCOMPARE(win.w.GameList().romName(2), QString("third"));

    // A relative ROM path is taken from the current directory, where RunAndWait left it.
    QDir::setCurrent(app.path());
    win.state.settings().RomPath = "roms/";
    win.w.LoadGameList(true);
    QCOMPARE(win.w.lstGames->count(), 1);
    // Joined as they stand: without a separator at its end the path names other files.
    win.state.settings().RomPath = app.path() + "/roms";
    win.w.LoadGameList(true);
    QCOMPARE(win.w.lstGames->count(), 0);
}

void tst_frmMainGameList::selectionRunsOncePerFill() {
    TestAppFolder app;
    app.write("dovrel/glist.lst", cacheOf(3));
    Window win(app);
    QSignalSpy selected(win.w.lstGames, &GameListBox::currentRowChanged);
    win.w.LoadGameList(false);
    QCOMPARE(selected.size(), 1);
    QCOMPARE(selected[0][0].toInt(), 0);
    // Entry 0 was already selected before this fill: the handler must still run once.
    win.w.LoadGameList(false);
    QCOMPARE(selected.size(), 2);
    QCOMPARE(selected[1][0].toInt(), 0);
    // The user selecting another game runs it as well.
    win.w.lstGames->setCurrentRow(2);
    QCOMPARE(selected.size(), 3);
}

void tst_frmMainGameList::staleRowsAfterAnEmptyFill() {
    TestAppFolder app;
    app.write("dovrel/glist.lst", cacheOf(3));
    Window win(app);
    win.w.LoadGameList(false);
    QSignalSpy selected(win.w.lstGames, &GameListBox::currentRowChanged);
    app.write("dovrel/glist.lst", "");
    win.w.LoadGameList(false);
    QCOMPARE(win.w.lstGames->count(), 0);
    QCOMPARE(win.w.lstGames->currentRow(), -1);
    QCOMPARE(selected.size(), 0);
    QCOMPARE(win.w.GameList().rowCount(), 3);
    QCOMPARE(win.w.GameList().romName(1), QString("g1"));
}

void tst_frmMainGameList::growth() {
    TestAppFolder app;
    Window win(app);
    frmMain& w = win.w;
    const double outer0 = w.outerHeightTw();
    const int list0 = w.lstGames->height();
    const int saveTop0 = w.cmdSaveRom->y();
    const double belowLaunch = outer0 - Twips::fromPx(w.cmdLaunch->y());

    const int fitting = int(Twips::fromPx(list0) / lineTw(w)); // as many as fit: no change
    app.write("dovrel/glist.lst", cacheOf(fitting));
    w.LoadGameList(false);
    QCOMPARE(w.outerHeightTw(), outer0);
    QCOMPARE(w.lstGames->height(), list0);

    const int entries = fitting + 4;
    app.write("dovrel/glist.lst", cacheOf(entries));
    w.LoadGameList(false);
    const int expectedList = Twips::toPx(float(entries) * float(lineTw(w)) * 1.05f);
    QVERIFY(qAbs(w.lstGames->height() - expectedList) <= 1);
    // The window becomes list top + list height + the room below the Launch button's top, so
    // the list reaches down to the button.
    QVERIFY(qAbs(Twips::toPx(w.outerHeightTw()) -
                 (w.lstGames->y() + w.lstGames->height() + Twips::toPx(belowLaunch))) <= 1);
    QVERIFY(w.outerHeightTw() > outer0);
    QVERIFY(qAbs(Twips::toPx(w.outerHeightTw() - Twips::fromPx(w.cmdLaunch->y()) - belowLaunch)) <=
            1);
    QCOMPARE(w.cmdSaveRom->y(), saveTop0); // no other control moves

    // A later fill with fewer entries keeps the grown size.
    const int grownList = w.lstGames->height();
    const double grownOuter = w.outerHeightTw();
    app.write("dovrel/glist.lst", cacheOf(2));
    w.LoadGameList(false);
    QCOMPARE(w.lstGames->height(), grownList);
    QCOMPARE(w.outerHeightTw(), grownOuter);
}

void tst_frmMainGameList::growthStopsAtTheScreen() {
    TestAppFolder app;
    app.write("dovrel/glist.lst", cacheOf(5000));
    Window win(app);
    frmMain& w = win.w;
    const double belowLaunch = w.outerHeightTw() - Twips::fromPx(w.cmdLaunch->y());
    w.LoadGameList(false);
    QCOMPARE(w.lstGames->count(), 5000);
    QVERIFY(w.outerHeightTw() <= w.maxOuterHeightTw());
    QVERIFY(w.outerHeightTw() > 5145); // it did grow, up to the screen
    QVERIFY(w.lstGames->geometry().bottom() < w.cmdLaunch->y());
    QVERIFY(w.cmdLaunch->geometry().bottom() < w.findChild<QWidget*>("client")->height());
    QVERIFY(qAbs(Twips::toPx(w.outerHeightTw() - Twips::fromPx(w.cmdLaunch->y()) - belowLaunch)) <=
            1);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(w.lstGames->verticalScrollBar()->maximum() > 0); // the list scrolls instead
}

QTEST_MAIN(tst_frmMainGameList)
#include "tst_frmMainGameList.moc"

#include "gamelist/ui/GameListBox.h"
#include "gamelist/ui/ListWaitWindow.h"
#include "shell/frmMain.h"

#include <QAction>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

#include "common/FileFaults.h"
#include "common/MainWindowFixture.h"
#include "common/TestAppFolder.h"

namespace {

// An emulator that prints list.txt after `delay` seconds; games of 6-character ROM names.
void writeEmulator(const TestAppFolder& app, const QByteArray& delay, bool quick) {
    app.write("dovrel/dovrel.ini",
              "[Parse]\nWindowCaption=Quick\nExeName=emu\nGameListCommand=-list\n"
              "GameListStartLine=1\nGameListRomLen=6\nHelpEndLine=0\n[Settings]\nRomPath=\n"
              "SendRomPath=1\nRomPathinQuotes=1\nRomExt=.zip\nShowConfig=1\nShowMissingRoms=1\n"
              "QuickStart=" +
                  QByteArray(quick ? "1" : "0") + "\n");
    app.write("dovrel/cfgdef.ini", "[General]\nNumCats=1\n[Cat1]\nName=Video\nnumOpts=1\n"
                                   "opt1=-res|Resolution|0|640x480\n");
    app.writeScript("emu", "sleep " + delay + "\ncat list.txt\n");
}

// Games g00 to g59 but those left out, and those added, as the emulator lists them.
QByteArray listOf(const QList<int>& without, const QList<int>& extra = {}) {
    QByteArray list = "Emu 1.0\nName  Description\n";
    QList<int> games;
    for (int i = 0; i < 60; ++i)
        if (!without.contains(i))
            games << i;
    games << extra;
    for (int i : games)
        list += QStringLiteral("g%1").arg(i, 2, 10, QChar(u'0')).leftJustified(6).toUtf8() +
                QStringLiteral("Game %1\n").arg(i, 2, 10, QChar(u'0')).toUtf8();
    return list;
}

} // namespace

class tst_frmMainQuickStart : public QObject {
    Q_OBJECT
private slots:
    void init() { m_startDir = QDir::currentPath(); }
    void cleanup() { QDir::setCurrent(m_startDir); }

    // The list comes from the cache at once; the emulator's new list replaces it in place,
    // the selected game, its unsaved panel and the scroll position kept, or touches nothing.
    void newListReplacesTheCacheInPlace_data() {
        QTest::addColumn<QByteArray>("newList");
        QTest::addColumn<bool>("changed");
        QTest::newRow("a game added, one removed") << listOf({10}, {60}) << true;
        QTest::newRow("the same list") << listOf({}) << false;
    }
    void newListReplacesTheCacheInPlace() {
        QFETCH(QByteArray, newList);
        QFETCH(bool, changed);
        const TestAppFolder app;
        writeEmulator(app, "0", false);
        app.write("list.txt", listOf({}));
        {
            MainWindowFixture first(app); // the standard start-up leaves the cache
            QVERIFY(first.w.Form_Load());
        }
        const QByteArray oldCache = app.read("dovrel/glist.lst");
        writeEmulator(app, "0.5", true);
        app.write("list.txt", newList);
        if (!changed)
            FileFaults::failNextCommitOnto(app.file("dovrel/glist.lst")); // a write would fail

        MainWindowFixture win(app);
        QVERIFY(win.w.Form_Load());
        QVERIFY(win.w.backgroundListRunning());
        QCOMPARE(win.w.lstGames->count(), 60);
        win.w.show();
        win.w.lstGames->setCurrentRow(5);
        win.w.optionsPanel().setText(1, "edited, not saved");
        QScrollBar* scroll = win.w.lstGames->verticalScrollBar();
        // Scrolled away from the selected game, which a refill would bring back into view.
        scroll->setValue(scroll->maximum());
        const int scrolled = scroll->value();
        QVERIFY(scrolled > 5);

        QTRY_VERIFY_WITH_TIMEOUT(!win.w.backgroundListRunning(), 10000);
        QVERIFY2(win.dialogs.shown.isEmpty(), qPrintable(win.dialogs.shown.value(0).text));
        QCOMPARE(ListedTitles(win.w).contains("Game 10"), !changed);
        QCOMPARE(ListedTitles(win.w).contains("Game 60"), changed);
        QCOMPARE(win.w.lstGames->itemText(win.w.lstGames->currentRow()), QString("Game 05"));
        QCOMPARE(win.w.optionsPanel().text(1), QString("edited, not saved"));
        QCOMPARE(scroll->value(), scrolled);
        QCOMPARE(app.read("dovrel/glist.lst") == oldCache, !changed);
        QVERIFY(!app.exists("gamelist.txt"));
        if (!changed)
            FileFaults::failNextCommitOnto(QString()); // disarm
    }

    // A list command that fails keeps the list and tells the user once, without ending.
    void failedListKeepsTheList() {
        const TestAppFolder app;
        writeEmulator(app, "0", true);
        app.write("dovrel/glist.lst", "g00|Game 00\r\ng01|Game 01\r\n");
        app.write("list.txt", ""); // nothing printed: too short
        MainWindowFixture win(app);
        QVERIFY(win.w.Form_Load());
        // Never drawn (a window that starts hidden): the list command starts all the same.
        QTRY_VERIFY_WITH_TIMEOUT(!win.w.backgroundListRunning(), 10000);
        QCOMPARE(ListedTitles(win.w), QStringList({"Game 00", "Game 01"}));
        QCOMPARE(win.dialogs.shown.size(), 1);
        QCOMPARE(win.dialogs.shown[0].kind, QString("warning"));
        QVERIFY(win.dialogs.shown[0].text.contains("gamelist.txt empty!"));

        // The menu shows the stored key and stores the user's choice for the next start.
        QVERIFY(win.w.menus().mnuConfigQuickStart->isChecked());
        win.w.menus().mnuConfigQuickStart->trigger();
        QVERIFY(app.read("dovrel/dovrel.ini").contains("QuickStart=0"));
    }

    // A launch during the background run works; the new list waits until it returns.
    void launchDuringTheBackgroundRun() {
        const TestAppFolder app;
        writeEmulator(app, "0.3", true);
        app.write("dovrel/glist.lst", "g00|Game 00\r\ng01|Game 01\r\n");
        app.write("list.txt", listOf({1}));
        app.writeScript("emu-game", "sleep 0.8\necho \"$@\" > launched.txt\n");
        MainWindowFixture win(app);
        QVERIFY(win.w.Form_Load());
        win.w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&win.w));
        QTest::qWait(50);                          // drawn: the list command starts
        win.state.settings().ExeName = "emu-game"; // the launch starts the game script
        int countDuringLaunch = -1;
        QTimer::singleShot(700, [&] { countDuringLaunch = win.w.lstGames->count(); });
        win.w.cmdLaunch_Click();
        QVERIFY(app.exists("launched.txt"));
        QCOMPARE(countDuringLaunch, 2); // the list ended meanwhile but was not replaced yet
        QTRY_VERIFY(!win.w.backgroundListRunning());
        QCOMPARE(win.w.lstGames->count(), 59);
        QCOMPARE(win.w.lstGames->itemText(win.w.lstGames->currentRow()), QString("Game 00"));
    }

    // The standard start-up shows the wait window only when the list command takes a while,
    // and closes it when the main window shows.
    void waitWindowOnlyForASlowEmulator_data() {
        QTest::addColumn<QByteArray>("delay");
        QTest::addColumn<bool>("shown");
        QTest::newRow("fast") << QByteArray("0") << false;
        QTest::newRow("slow") << QByteArray("0.8") << true;
    }
    void waitWindowOnlyForASlowEmulator() {
        QFETCH(QByteArray, delay);
        QFETCH(bool, shown);
        const TestAppFolder app;
        writeEmulator(app, delay, false);
        app.write("list.txt", listOf({}));
        MainWindowFixture win(app);
        bool seen = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (ListWaitWindow* wait = win.w.listWaitWindow(); wait && wait->isVisible()) {
                seen = true;
                QCOMPARE(wait->windowTitle(), QString("Quick"));
            }
        });
        poll.start(20);
        QVERIFY(win.w.Form_Load());
        QCOMPARE(seen, shown);
        win.w.show();
        QVERIFY(!win.w.listWaitWindow());
    }

private:
    QString m_startDir;
};

QTEST_MAIN(tst_frmMainQuickStart)
#include "tst_frmMainQuickStart.moc"

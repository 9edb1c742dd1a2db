#include "base/AppPaths.h"
#include "session/GameSession.h"

#include "common/FakeDialogs.h"
#include "common/TestAppFolder.h"

#include <QDir>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

namespace {

QByteArray settings(const QByteArray& caption) {
    return "[Parse]\nWindowCaption=" + caption +
           "\nExeName=emu\nGameListCommand=-list\nGameListStartLine=1\nGameListRomLen=5\n"
           "HelpEndLine=0\n[Settings]\nRomPath=roms/\nSendRomPath=1\nRomPathinQuotes=0\n"
           "RomExt=.zip\nShowConfig=0\nShowMissingRoms=0\n";
}

// A data folder whose emulator lists two games of its own and, when it plays, writes its
// arguments into args.txt.
void setUp(const TestAppFolder& folder, const QByteArray& name) {
    folder.write("dovrel/dovrel.ini", settings(name));
    folder.write("dovrel/cfgdef.ini", "[General]\nNumCats=1\n[Cat1]\nName=Video\nnumOpts=1\n"
                                      "opt1=-scale |Scale|0|" +
                                          name + "\n");
    folder.writeScript("emu", "if [ \"$1\" = -list ]; then\n"
                              "  printf '" +
                                  name + " 1.0\\nName  Description\\n" + name + "1 " + name +
                                  " One\\n" + name + "2 " + name +
                                  " Two\\n'\n"
                                  "  exit 0\nfi\nsleep 0.4\nprintf '%s\\n' \"$@\" > args.txt\n");
}

QStringList roms(const QList<GameEntry>& games) {
    QStringList names;
    for (const GameEntry& game : games)
        names << game.rom;
    return names;
}

} // namespace

class tst_GameSession : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { m_startDir = QDir::currentPath(); }
    void cleanup() { QDir::setCurrent(m_startDir); }
    void twoFoldersInOneProcessKeepApart();
    void aBackgroundListThatEndsDuringALaunchWaitsForIt();

private:
    QString m_startDir;
};

void tst_GameSession::twoFoldersInOneProcessKeepApart() {
    const TestAppFolder firstFolder, secondFolder;
    setUp(firstFolder, "aaa");
    setUp(secondFolder, "bbb");
    GameSession first(firstFolder.path()), second(secondFolder.path());
    FakeDialogs dialogs;
    for (GameSession* session : {&first, &second}) {
        session->readSettings();
        QVERIFY(session->generateList(dialogs).ok);
        session->applySettingsDefaults();
    }
    QCOMPARE(first.settings().WindowCaption, QString("aaa"));
    QCOMPARE(second.HelpText(), QString("bbb 1.0\r\n"));
    QCOMPARE(roms(first.loadGames(false)), QStringList({"aaa1", "aaa2"}));
    QCOMPARE(roms(second.loadGames(false)), QStringList({"bbb1", "bbb2"}));
    // Each one's relative RomPath is its own roms/, whichever folder is current.
    firstFolder.write("roms/aaa2.zip", "");
    secondFolder.write("roms/bbb1.zip", "");
    second.enterFolder();
    QCOMPARE(roms(first.loadGames(true)), QStringList({"aaa2"}));
    first.enterFolder();
    QCOMPARE(roms(second.loadGames(true)), QStringList({"bbb1"}));
    QCOMPARE(first.optionsFor("aaa1"), QString(" -scale aaa"));
    QCOMPARE(second.optionsFor("bbb1"), QString(" -scale bbb"));

    // What one session stores lands in its own folder only.
    ViewChoices byTitle;
    byTitle.sortByTitle = true;
    first.storeViewChoices(byTitle);
    QVERIFY(first.library().setFavourite("aaa2", true));
    QVERIFY(first.storedViewChoices().sortByTitle);
    QVERIFY(!second.storedViewChoices().sortByTitle);
    QVERIFY(!secondFolder.exists("dovrel/library.ini"));
    QVERIFY(!second.library().isFavourite("aaa2"));

    // A launch in one leaves the other free, and is recorded in its own library.
    bool otherBusy = true;
    QTimer::singleShot(0, this, [&] { otherBusy = second.LaunchBusy() || !first.LaunchBusy(); });
    first.enterFolder();
    QVERIFY(first.launch(dialogs, "aaa1", first.optionsFor("aaa1")).recorded);
    QVERIFY(!otherBusy);
    QCOMPARE(firstFolder.read("args.txt"), QByteArray("roms/aaa1.zip\n-scale\naaa\n"));
    QVERIFY(!secondFolder.exists("args.txt"));
    QCOMPARE(GameLibrary::read(AppPaths::library(firstFolder.path())).record("aaa1")->launches, 1);
    second.enterFolder();
    QCOMPARE(QDir::currentPath(), QDir(secondFolder.path()).canonicalPath());
    QVERIFY(dialogs.shown.isEmpty());
}

void tst_GameSession::aBackgroundListThatEndsDuringALaunchWaitsForIt() {
    const TestAppFolder folder;
    setUp(folder, "aaa");
    folder.write("dovrel/glist.lst", "old|Old\r\n");
    GameSession session(folder.path());
    session.readSettings();
    QSignalSpy replaced(&session, &GameSession::listReplaced);
    session.startBackgroundList();
    // The game runs until the background list has ended; only then is the new list reported.
    folder.writeScript("play", "while [ ! -s dovrel/glist.lst.done ]; do sleep 0.05; done\n");
    QTimer::singleShot(0, this, [&] {
        QTRY_VERIFY_WITH_TIMEOUT(!session.backgroundListRunning(), 10000);
        QCOMPARE(replaced.count(), 0);
        folder.write("dovrel/glist.lst.done", "1");
    });
    session.settings().ExeName = "play";
    session.enterFolder();
    FakeDialogs dialogs;
    session.launch(dialogs, "old", QString());
    QCOMPARE(replaced.count(), 0);
    session.finishLaunch(false);
    QCOMPARE(replaced.count(), 1);
    QCOMPARE(roms(session.loadGames(false)), QStringList({"aaa1", "aaa2"}));
    QCOMPARE(session.HelpText(), QString("aaa 1.0\r\n"));
}

QTEST_MAIN(tst_GameSession)
#include "tst_GameSession.moc"

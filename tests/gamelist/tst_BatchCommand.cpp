#include "gamelist/BatchCommand.h"
#include "gamelist/GameListGenerator.h"

#include <QDir>
#include <QtTest>

#include "common/FakeDialogs.h"
#include "common/TestAppFolder.h"

class tst_BatchCommand : public QObject {
    Q_OBJECT
private slots:
    void init() { m_startDir = QDir::currentPath(); }
    void cleanup() { QDir::setCurrent(m_startDir); }
    void windowsScript_data();
    void windowsScript();
    void pathOrder();
    void runsTheLineInTheApplicationFolder();
    void shellSyntaxOfTheListCommandWorks();

private:
    QString m_startDir;
};

void tst_BatchCommand::windowsScript_data() {
    QTest::addColumn<QString>("appDir");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<QByteArray>("script");
    QTest::newRow("a switch") << "D:\\Games\\Emu" << "emu.exe" << " -listfull"
                              << QByteArray("D:\r\ncd\\\r\ncd D:\\Games\\Emu\r\nemu.exe -listfull\r\n");
    QTest::newRow("no arguments") << "C:\\Emu" << "emu.exe" << ""
                                  << QByteArray("C:\r\ncd\\\r\ncd C:\\Emu\r\nemu.exe\r\n");
    QTest::newRow("the list command with its redirection")
        << "D:\\My Games" << "mame.exe" << RedirectedListArguments("-listfull", "D:\\My Games")
        << QByteArray("D:\r\ncd\\\r\ncd D:\\My Games\r\n"
                      "mame.exe -listfull > \"D:\\My Games\\gamelist.txt\"\r\n");
    QTest::newRow("empty ExeName starts with the blank")
        << "E:\\x" << "" << RedirectedListArguments("-l", "E:\\x")
        << QByteArray("E:\r\ncd\\\r\ncd E:\\x\r\n -l > \"E:\\x\\gamelist.txt\"\r\n");
}

void tst_BatchCommand::windowsScript() {
    QFETCH(QString, appDir);
    QFETCH(QString, program);
    QFETCH(QString, arguments);
    QFETCH(QByteArray, script);
    QCOMPARE(BatchScriptText(appDir, program, arguments), script);
}

void tst_BatchCommand::pathOrder() {
    QCOMPARE(PathWithAppFolderFirst("/app", "/usr/bin:/bin"), QString("/app:/usr/bin:/bin"));
    QCOMPARE(PathWithAppFolderFirst("/app", ""), QString("/app"));
}

void tst_BatchCommand::runsTheLineInTheApplicationFolder() {
    TestAppFolder app;
    // The emulator is found on PATH only because the application folder is put first there.
    app.writeScript("fakeemu", "printf '%s\\n' \"$@\"\npwd > where.out\n");
    QDir::setCurrent(QDir::tempPath());
    FakeDialogs dialogs;
    QVERIFY(RunBatchCommand(dialogs, app.path(), "fakeemu", " -listfull 'two words'",
                            app.file("gamelist.txt")));
    QCOMPARE(app.read("gamelist.txt"), QByteArray("-listfull\ntwo words\n"));
    QCOMPARE(QFileInfo(QString::fromUtf8(app.read("where.out").trimmed())).canonicalFilePath(),
             QFileInfo(app.path()).canonicalFilePath());
    QCOMPARE(QFileInfo(QDir::currentPath()).canonicalFilePath(),
             QFileInfo(app.path()).canonicalFilePath());
    QVERIFY(!app.exists("test.bat"));
    QVERIFY(dialogs.shown.isEmpty());
}

void tst_BatchCommand::shellSyntaxOfTheListCommandWorks() {
    TestAppFolder app;
    app.writeScript("fakeemu", "echo \"game $1\"\n");
    FakeDialogs dialogs;
    QVERIFY(RunBatchCommand(dialogs, app.path(), "fakeemu", " a; fakeemu b", app.file("out.txt")));
    QCOMPARE(app.read("out.txt"), QByteArray("game a\ngame b\n"));
}

QTEST_GUILESS_MAIN(tst_BatchCommand)
#include "tst_BatchCommand.moc"

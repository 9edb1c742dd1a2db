#include "base/AppPaths.h"
#include "base/Settings.h"

#include <QtTest>

#include "common/StderrCapture.h"
#include "common/TestAppFolder.h"

class tst_Settings : public QObject {
    Q_OBJECT
private slots:
    void readsAllTwelve();
    void int16Keys_data();
    void int16Keys();
    void defaultsInMemoryOnly();
};

void tst_Settings::readsAllTwelve() {
    TestAppFolder app;
    app.write("dovrel/dovrel.ini", "[Parse]\r\nWindowCaption=My Emu\r\nExeName=emu\r\n"
                                   "GameListCommand=-listfull\r\nGameListStartLine=4\r\n"
                                   "GameListRomLen=9\r\nHelpEndLine=2\r\n"
                                   "[Settings]\r\nRomPath=/r/\r\nSendRomPath=1\r\n"
                                   "RomPathinQuotes=0\r\nRomExt=.7z\r\nShowConfig=1\r\n"
                                   "ShowMissingRoms=1\r\n");
    const FrontEndSettings s = ReadFrontEndSettings(app.path());
    QCOMPARE(s.WindowCaption, QString("My Emu"));
    QCOMPARE(s.ExeName, QString("emu"));
    QCOMPARE(s.GameListCommand, QString("-listfull"));
    QCOMPARE(s.GameListStartLine, qint16(4));
    QCOMPARE(s.GameListRomLen, qint16(9));
    QCOMPARE(s.HelpEndLine, qint16(2));
    QCOMPARE(s.RomPath, QString("/r/"));
    QCOMPARE(s.SendRomPath, qint16(1));
    QCOMPARE(s.RomPathinQuotes, qint16(0));
    QCOMPARE(s.RomExt, QString(".7z"));
    QCOMPARE(s.ShowConfig, qint16(1));
    QCOMPARE(s.ShowMissingRoms, qint16(1));
}

void tst_Settings::int16Keys_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("expected");
    QTest::addColumn<bool>("warned");
    QTest::newRow("number") << QByteArray("7") << 7 << false;
    QTest::newRow("half to even") << QByteArray("2.5") << 2 << false;
    QTest::newRow("empty") << QByteArray("") << 0 << true;
    QTest::newRow("word") << QByteArray("on") << 0 << true;
    QTest::newRow("out of range") << QByteArray("40000") << 0 << true;
}

void tst_Settings::int16Keys() {
    QFETCH(QByteArray, text);
    QFETCH(int, expected);
    QFETCH(bool, warned);
    TestAppFolder app;
    app.write("dovrel/dovrel.ini", "[Parse]\nGameListStartLine=" + text + "\n");
    const QString file = AppPaths::settingsFile(app.path());
    StderrCapture stderrCapture;
    const qint16 value = ReadInt16Setting(file, "Parse", "GameListStartLine");
    const QStringList warnings = stderrCapture.lines();
    QCOMPARE(int(value), expected);
    QCOMPARE(warnings.size(), warned ? 1 : 0);
    if (warned) {
        QVERIFY(warnings[0].contains(file));
        QVERIFY(warnings[0].contains("[Parse] GameListStartLine"));
    }
}

void tst_Settings::defaultsInMemoryOnly() {
    TestAppFolder app;
    const QByteArray file = "[Settings]\nRomPath=\nRomExt=\n";
    app.write("dovrel/dovrel.ini", file);
    FrontEndSettings s = ReadFrontEndSettings(app.path());
    ApplySettingsDefaults(s, app.path());
    QCOMPARE(s.RomPath, app.path() + "/roms/");
    QCOMPARE(s.RomExt, QString(".zip"));
    QCOMPARE(app.read("dovrel/dovrel.ini"), file);
}

QTEST_APPLESS_MAIN(tst_Settings)
#include "tst_Settings.moc"

#include "base/Ini.h"

#include <QtTest>

#include "common/FileFaults.h"
#include "common/TestAppFolder.h"

// What the reader and writer do with the file system: nothing created by reading, atomic
// replacement, failures reported and the old file left whole.
class tst_Ini : public QObject {
    Q_OBJECT
private slots:
    void readingCreatesNothing();
    void writeCreatesFileAndReadsBack();
    void failedCommitLeavesOldFile();
    void writeFailures_data();
    void writeFailures();
    void writeThroughSymlinkKeepsLink();
    void snapshotMatchesReadIni();
};

void tst_Ini::readingCreatesNothing() {
    TestAppFolder app;
    QCOMPARE(ReadIni(app.file("dovrel/none.ini"), "a", "b"), QString());
    QVERIFY(!app.exists("dovrel/none.ini"));
    QCOMPARE(ReadIni(app.file("dovrel"), "a", "b"), QString()); // a directory reads as missing
}

void tst_Ini::writeCreatesFileAndReadsBack() {
    TestAppFolder app;
    QVERIFY(WriteIni(app.file("dovrel/new.ini"), "Settings", "RomPath", " /my roms/ "));
    QCOMPARE(app.read("dovrel/new.ini"), QByteArray("[Settings]\nRomPath= /my roms/ \n"));
    QCOMPARE(ReadIni(app.file("dovrel/new.ini"), "settings", "rompath"), QString("/my roms/"));
}

void tst_Ini::failedCommitLeavesOldFile() {
    TestAppFolder app;
    const QByteArray old = "[a]\nk=old\nother=kept\n";
    app.write("f.ini", old);
    FileFaults::failNextCommitOnto(app.file("f.ini"));
    QVERIFY(!WriteIni(app.file("f.ini"), "a", "k", "new"));
    QCOMPARE(app.read("f.ini"), old);
    QCOMPARE(QDir(app.path()).entryList(QDir::Files), QStringList{"f.ini"}); // no temp left
    QVERIFY(WriteIni(app.file("f.ini"), "a", "k", "new")); // the hook fires once
}

void tst_Ini::writeFailures_data() {
    QTest::addColumn<QString>("relative");
    QTest::newRow("path is a directory") << "adir";
    QTest::newRow("parent is a regular file") << "plain/f.ini";
    QTest::newRow("parent missing") << "missing/f.ini";
}

void tst_Ini::writeFailures() {
    QFETCH(QString, relative);
    TestAppFolder app;
    QDir(app.path()).mkdir("adir");
    app.write("plain", "not a folder");
    QVERIFY(!WriteIni(app.file(relative), "a", "k", "v"));
    QCOMPARE(app.read("plain"), QByteArray("not a folder"));
}

void tst_Ini::writeThroughSymlinkKeepsLink() {
    TestAppFolder app;
    app.write("real.ini", "[a]\nk=1\n");
    QVERIFY(QFile::link(app.file("real.ini"), app.file("link.ini")));
    QVERIFY(WriteIni(app.file("link.ini"), "a", "k", "2"));
    QVERIFY(QFileInfo(app.file("link.ini")).isSymLink());
    QCOMPARE(app.read("real.ini"), QByteArray("[a]\nk=2\n"));
}

void tst_Ini::snapshotMatchesReadIni() {
    TestAppFolder app;
    app.write("f.ini", "[A]\nk=  \" v \"  \nlong=" + QByteArray(3000, 'x') + "\n");
    const IniSnapshot snapshot(app.file("f.ini"));
    for (const char* key : {"k", "long", "missing"})
        QCOMPARE(snapshot.read("a", key), ReadIni(app.file("f.ini"), "a", key));
}

QTEST_APPLESS_MAIN(tst_Ini)
#include "tst_Ini.moc"

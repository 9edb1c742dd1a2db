#include "gamelist/RomFileIndex.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <cstdio>

#include <sys/stat.h>
#include <unistd.h>

#include "common/TestAppFolder.h"

using Strategy = RomFileIndex::Strategy;

// Every case is answered twice, once from one listing of the ROM folder and once by looking
// up each name: the two must agree with each other and with the expected answer.
class tst_RomFileIndex : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void exists_data();
    void exists();
    void automaticChoice();
    void manyNamesAgree();

private:
    TestAppFolder m_app;
    QString m_startDir;
    QByteArray m_latin1Name; // a name Qt cannot spell, so the temporary folder cannot remove it
};

void tst_RomFileIndex::initTestCase() {
    m_startDir = QDir::currentPath();
    for (const char* file : {"roms/pacman.zip", "roms/.hidden.zip", "roms/Mixed.zip",
                             "roms/my game.zip", "roms/sub/deep.zip", "roms/noext", "romsx.zip",
                             "afile", "roms/roms.zip", "roms/caf\u00e9.zip"})
        m_app.write(QString::fromUtf8(file), "rom");
    // A name in another encoding than UTF-8: Latin-1 "b\u00e9b\u00e9.zip".
    m_latin1Name = QFile::encodeName(m_app.file("roms/")) + "b\xe9" "b\xe9.zip";
    FILE* latin1 = std::fopen(m_latin1Name.constData(), "w");
    QVERIFY(latin1);
    std::fclose(latin1);
    QVERIFY(QDir(m_app.path()).mkpath("roms/dir.zip"));
    const QString roms = m_app.file("roms/");
    QVERIFY(QFile::link(roms + "pacman.zip", roms + "link.zip"));
    QVERIFY(QFile::link(roms + "gone.zip", roms + "broken.zip"));
    QVERIFY(QFile::link(roms + "dir.zip", roms + "linkdir.zip"));
    QCOMPARE(::mkfifo(QFile::encodeName(roms + "fifo.zip").constData(), 0600), 0);
    // Relative ROM paths are taken from the current directory, the application folder.
    QDir::setCurrent(m_app.path());
}

void tst_RomFileIndex::cleanupTestCase() {
    QDir::setCurrent(m_startDir);
    ::unlink(m_latin1Name.constData());
}

void tst_RomFileIndex::exists_data() {
    QTest::addColumn<QString>("romPath"); // "{app}" stands for the application folder
    QTest::addColumn<QString>("romExt");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("expected");
    QTest::addColumn<bool>("listable"); // the folder can be listed for this ROM path
    const QString roms = "{app}/roms/";
    QTest::newRow("present") << roms << ".zip" << "pacman" << true << true;
    QTest::newRow("missing") << roms << ".zip" << "galaga" << false << true;
    QTest::newRow("other letter case") << roms << ".zip" << "PACMAN" << false << true;
    QTest::newRow("exact case") << roms << ".zip" << "Mixed" << true << true;
    QTest::newRow("hidden file") << roms << ".zip" << ".hidden" << true << true;
    QTest::newRow("blank in the name") << roms << ".zip" << "my game" << true << true;
    QTest::newRow("folder is not a file") << roms << ".zip" << "dir" << false << true;
    QTest::newRow("link to a file") << roms << ".zip" << "link" << true << true;
    QTest::newRow("broken link") << roms << ".zip" << "broken" << false << true;
    QTest::newRow("link to a folder") << roms << ".zip" << "linkdir" << false << true;
    QTest::newRow("FIFO is not a file") << roms << ".zip" << "fifo" << false << true;
    QTest::newRow("name into a subfolder") << roms << ".zip" << "sub/deep" << true << true;
    QTest::newRow("name leaving the folder") << roms << "" << "../afile" << true << true;
    QTest::newRow("empty name and extension: the folder") << roms << "" << "" << false << true;
    QTest::newRow("dot") << roms << "" << "." << false << true;
    QTest::newRow("empty extension") << roms << "" << "noext" << true << true;
    QTest::newRow("extension with the dot in the name") << roms << "" << "pacman.zip" << true << true;
    QTest::newRow("NUL in the name") << roms << ".zip" << QString::fromUtf8("pac\0man", 7) << false << true;
    QTest::newRow("no separator at the end: joined as they stand")
        << "{app}/roms" << ".zip" << "x" << true << true;
    QTest::newRow("no separator at the end: not inside the folder")
        << "{app}/roms" << ".zip" << "pacman" << false << true;
    QTest::newRow("path part and extension meet")
        << "{app}/roms/pac" << "man.zip" << "" << true << true;
    QTest::newRow("path part and extension would overlap")
        << "{app}/roms/pacm" << "man.zip" << "" << false << true;
    QTest::newRow("UTF-8 name") << roms << ".zip" << QString::fromUtf8("caf\u00e9") << true << true;
    QTest::newRow("UTF-8 name, other case")
        << roms << ".zip" << QString::fromUtf8("CAF\u00c9") << false << true;
    QTest::newRow("name held in Latin-1 bytes is not its UTF-8 spelling")
        << roms << ".zip" << QString::fromUtf8("b\u00e9b\u00e9") << false << true;
    QTest::newRow("nor the replacement of its bytes")
        << roms << ".zip" << QString::fromUtf8("b\ufffdb\ufffd") << false << true;
    QTest::newRow("relative path") << "roms/" << ".zip" << "pacman" << true << true;
    QTest::newRow("relative path without separator") << "roms" << ".zip" << "x" << true << true;
    QTest::newRow("empty path: the current directory") << "" << "" << "romsx.zip" << true << true;
    QTest::newRow("doubled separator") << "{app}/roms//" << ".zip" << "pacman" << true << true;
    QTest::newRow("missing folder") << "{app}/nothere/" << ".zip" << "pacman" << false << false;
    QTest::newRow("file as folder") << "{app}/afile/" << ".zip" << "pacman" << false << false;
    QTest::newRow("separator in the extension") << "{app}/" << "/pacman.zip" << "roms" << true << false;
}

void tst_RomFileIndex::exists() {
    QFETCH(QString, romPath);
    QFETCH(QString, romExt);
    QFETCH(QString, name);
    QFETCH(bool, expected);
    QFETCH(bool, listable);
    romPath.replace("{app}", m_app.path());
    const RomFileIndex listing(romPath, romExt, 1, Strategy::FolderListing);
    const RomFileIndex lookups(romPath, romExt, 1, Strategy::SingleLookups);
    QCOMPARE(listing.usesListing(), listable);
    QVERIFY(!lookups.usesListing());
    QCOMPARE(lookups.exists(name), expected);
    QCOMPARE(listing.exists(name), expected);
}

void tst_RomFileIndex::automaticChoice() {
    const QString roms = m_app.file("roms/");
    QVERIFY(!RomFileIndex(roms, ".zip", 3).usesListing());
    QVERIFY(RomFileIndex(roms, ".zip", 5000).usesListing());
}

void tst_RomFileIndex::manyNamesAgree() {
    TestAppFolder app;
    QStringList names;
    for (int i = 0; i < 300; ++i) {
        names << QString("game%1").arg(i);
        if (i % 3 != 0)
            app.write(QString("roms/game%1.7z").arg(i), "");
    }
    const RomFileIndex listing(app.path() + "/roms/", ".7z", names.size());
    const RomFileIndex lookups(app.path() + "/roms/", ".7z", names.size(), Strategy::SingleLookups);
    QVERIFY(listing.usesListing());
    int present = 0;
    for (const QString& name : names) {
        QCOMPARE(listing.exists(name), lookups.exists(name));
        present += listing.exists(name) ? 1 : 0;
    }
    QCOMPARE(present, 200);
}

QTEST_GUILESS_MAIN(tst_RomFileIndex)
#include "tst_RomFileIndex.moc"

#include "gamelist/RomFileName.h"
#include "gamelist/RomFolderListing.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <fcntl.h>
#include <unistd.h>

#include "common/TestAppFolder.h"

// ROM folders no one would make on purpose: each gives a defined list and ends.
class tst_HostileRomFolder : public QObject {
    Q_OBJECT
private slots:
    void hundredThousandFiles();
    void deepFoldersStopAtTheLimit();
    void everyByteInAName();
};

namespace {

void create(const QByteArray& path) {
    const int fd = ::open(path.constData(), O_CREAT | O_WRONLY, 0600);
    QVERIFY2(fd >= 0, path.constData());
    ::close(fd);
}

} // namespace

void tst_HostileRomFolder::hundredThousandFiles() {
    TestAppFolder app;
    const QByteArray folder = QFile::encodeName(app.file("roms"));
    QVERIFY(QDir().mkpath(app.file("roms")));
    for (int i = 0; i < 100000; ++i)
        create(folder + "/game " + QByteArray::number(i) + (i % 10 == 0 ? ".txt" : ".nes"));
    const RomFolderList list =
        ListRomFolder({app.file("roms"), ParseRomExtensions("nes"), true, false});
    QCOMPARE(list.games.size(), 90000);
    QVERIFY(list.warnings.isEmpty());
    QCOMPARE(list.games.first().rom, QStringLiteral("game 1"));
}

void tst_HostileRomFolder::deepFoldersStopAtTheLimit() {
    TestAppFolder app;
    QString path = app.file("roms");
    for (int depth = 0; depth <= 40; ++depth) {
        QVERIFY(QDir().mkpath(path));
        create(QFile::encodeName(path + QStringLiteral("/level%1.nes").arg(depth)));
        path += QStringLiteral("/d");
    }
    const RomFolderList list =
        ListRomFolder({app.file("roms"), ParseRomExtensions("nes"), true, false});
    QCOMPARE(list.games.size(), 33); // the top and 32 levels below it
}

void tst_HostileRomFolder::everyByteInAName() {
    TestAppFolder app;
    const QByteArray folder = QFile::encodeName(app.file("roms"));
    QVERIFY(QDir().mkpath(app.file("roms")));
    int expected = 0;
    for (int byte = 1; byte < 256; ++byte) {
        if (byte == '/')
            continue;
        const QByteArray name = "x" + QByteArray(1, char(byte)) + ".nes";
        create(folder + '/' + name);
        const bool usable = byte < 0x80 && byte != '\n' && byte != '\r' && byte != '|';
        expected += usable ? 1 : 0;
        const RomEntryName entry = NameRomEntry(name, false, ParseRomExtensions("nes"));
        QCOMPARE(entry.kind, usable ? RomEntryName::Kind::Game : RomEntryName::Kind::Unusable);
    }
    const RomFolderList list = ListRomFolder({app.file("roms"), ParseRomExtensions("nes"), false, false});
    QCOMPARE(list.games.size(), expected);
    QCOMPARE(list.warnings.size(), RomFolderList::kMaxWarnings + 1); // capped, with the count
}

QTEST_GUILESS_MAIN(tst_HostileRomFolder)
#include "tst_HostileRomFolder.moc"

#include "base/Settings.h"
#include "gamelist/RomFileName.h"
#include "gamelist/RomFolderListing.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/FolderFaults.h"
#include "common/TestAppFolder.h"

using Kind = RomEntryName::Kind;

class tst_RomFolderListing : public QObject {
    Q_OBJECT
private slots:
    void extensions_data();
    void extensions();
    void names_data();
    void names();
    void listsMatchingFilesInOrder();
    void subFoldersAndGameFolders_data();
    void subFoldersAndGameFolders();
    void sharedAndUnsafeNamesListedOnceWithOneWarning();
    void unusableNamesLeftOutWithAWarning();
    void linkLoopsEndAndLinksAreFollowed();
    void unreadableFoldersGiveAWarning();
    void missingFolderIsAnEmptyList();
    void warningsStopAtTheLimit();
    void rulesFromTheSettings();
    void stoppedListingEnds();
};

void tst_RomFolderListing::extensions_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("blanks and empty parts") << " ; ;; " << QStringList{};
    QTest::newRow("dot added, case folded") << "NES;.Unf" << QStringList{".nes", ".unf"};
    QTest::newRow("each once") << ".gb;GB;.gB" << QStringList{".gb"};
    QTest::newRow("longest first") << ".gz;.tar.gz;.a" << QStringList{".tar.gz", ".gz", ".a"};
    QTest::newRow("lone dot dropped") << ".;com" << QStringList{".com"};
}

void tst_RomFolderListing::extensions() {
    QFETCH(QString, value);
    QFETCH(QStringList, expected);
    QCOMPARE(ParseRomExtensions(value), expected);
}

void tst_RomFolderListing::names_data() {
    QTest::addColumn<QByteArray>("entry");
    QTest::addColumn<bool>("isFolder");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("rom");
    QTest::addColumn<bool>("profileSafe");
    const int notAGame = int(Kind::NotAGame), game = int(Kind::Game), bad = int(Kind::Unusable);
    QTest::newRow("plain") << QByteArray("Tetris.nes") << false << game << "Tetris" << true;
    QTest::newRow("case of the extension") << QByteArray("Tetris.NeS") << false << game
                                           << "Tetris" << true;
    QTest::newRow("No-Intro title kept") << QByteArray("Alter Ego (World) (v1.1).nes") << false
                                         << game << "Alter Ego (World) (v1.1)" << true;
    QTest::newRow("only the matched extension goes")
        << QByteArray("a.b.tar.gz") << false << game << "a.b" << true;
    QTest::newRow("other extension") << QByteArray("Tetris.zip") << false << notAGame << ""
                                     << true;
    QTest::newRow("extension alone") << QByteArray("nes") << false << notAGame << "" << true;
    QTest::newRow("hidden") << QByteArray(".Tetris.nes") << false << notAGame << "" << true;
    QTest::newRow("dot dot") << QByteArray("..") << true << notAGame << "" << true;
    QTest::newRow("folder game keeps its dots")
        << QByteArray("Keen 4.v1") << true << game << "Keen 4.v1" << true;
    QTest::newRow("default cannot name a profile")
        << QByteArray("default.nes") << false << game << "default" << false;
    QTest::newRow("dot stem cannot name a profile")
        << QByteArray("x..nes") << false << game << "x." << true;
    QTest::newRow("line break") << QByteArray("a\nb.nes") << false << bad << "" << true;
    QTest::newRow("carriage return") << QByteArray("a\rb.nes") << false << bad << "" << true;
    QTest::newRow("bar") << QByteArray("a|b.nes") << false << bad << "" << true;
    QTest::newRow("not UTF-8") << QByteArray("caf\xE9.nes") << false << bad << "" << true;
    QTest::newRow("not UTF-8 and no game") << QByteArray("caf\xE9.txt") << false << notAGame
                                           << "" << true;
    QTest::newRow("UTF-8") << QByteArray("Caf\xC3\xA9.nes") << false << game
                           << QString::fromUtf8("Caf\xC3\xA9") << true;
}

void tst_RomFolderListing::names() {
    QFETCH(QByteArray, entry);
    QFETCH(bool, isFolder);
    QFETCH(int, kind);
    QFETCH(QString, rom);
    QFETCH(bool, profileSafe);
    const RomEntryName name = NameRomEntry(entry, isFolder, ParseRomExtensions("nes;tar.gz;gz"));
    QCOMPARE(int(name.kind), kind);
    QCOMPARE(name.rom, rom);
    QCOMPARE(name.profileSafe, profileSafe);
    QCOMPARE(name.reason.isEmpty(), kind != int(Kind::Unusable));
}

namespace {

RomFolderRules rules(const QString& folder, const QString& extensions, bool sub = false,
                     bool games = false) {
    return {folder, ParseRomExtensions(extensions), sub, games};
}

QStringList roms(const RomFolderList& list) {
    QStringList names;
    for (const RomFile& game : list.games)
        names << game.rom;
    return names;
}

void touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

} // namespace

void tst_RomFolderListing::listsMatchingFilesInOrder() {
    TestAppFolder app;
    const QString roms_ = app.file("roms");
    for (const char* name : {"zelda.NES", "Alpha.nes", "beta.unf", "readme.txt", "alpha.nes"})
        touch(roms_ + "/" + name);
    QVERIFY(QDir().mkpath(roms_ + "/Sub.nes")); // a folder is no file game
    QVERIFY(::mkfifo(QFile::encodeName(roms_ + "/pipe.nes").constData(), 0600) == 0);
    const RomFolderList list = ListRomFolder(rules(roms_ + "/", "nes;.unf"));
    QVERIFY(list.folderRead);
    QCOMPARE(roms(list), (QStringList{"Alpha", "alpha", "beta", "zelda"}));
    QCOMPARE(list.games[0].path, roms_ + "/Alpha.nes");
    QCOMPARE(list.games[3].path, roms_ + "/zelda.NES");
    QVERIFY(list.warnings.isEmpty());
}

void tst_RomFolderListing::subFoldersAndGameFolders_data() {
    QTest::addColumn<bool>("sub");
    QTest::addColumn<bool>("games");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("top only") << false << false << QStringList{"top"};
    QTest::newRow("sub-folders") << true << false << QStringList{"deep", "inner", "top"};
    QTest::newRow("game folders") << false << true << QStringList{"Keen", "nes", "top"};
    QTest::newRow("game folders win") << true << true << QStringList{"Keen", "nes", "top"};
}

void tst_RomFolderListing::subFoldersAndGameFolders() {
    QFETCH(bool, sub);
    QFETCH(bool, games);
    QFETCH(QStringList, expected);
    TestAppFolder app;
    const QString r = app.file("roms");
    touch(r + "/top.com");
    touch(r + "/nes/inner.com");
    touch(r + "/nes/a/b/deep.COM");
    touch(r + "/Keen/KEEN4.EXE");
    touch(r + "/.git/hidden.com");
    QCOMPARE(roms(ListRomFolder(rules(r, "com", sub, games))), expected);
}

void tst_RomFolderListing::sharedAndUnsafeNamesListedOnceWithOneWarning() {
    TestAppFolder app;
    const QString r = app.file("roms");
    touch(r + "/a/Tetris.gb");
    touch(r + "/b/Tetris.gb");
    touch(r + "/Tetris.gbc");
    touch(r + "/default.gb");
    const RomFolderList list = ListRomFolder(rules(r, "gb;gbc", true));
    QCOMPARE(roms(list), (QStringList{"default", "Tetris"}));
    QCOMPARE(list.games[1].path, r + "/Tetris.gbc"); // the first by path ("T" before "a")
    QCOMPARE(list.warnings.size(), 2);
    QVERIFY2(list.warnings[0].contains("\"default\"") &&
                 list.warnings[0].contains("cannot name a game profile"),
             qPrintable(list.warnings[0]));
    QVERIFY2(list.warnings[1].contains("\"Tetris\" is the name of 3 files"),
             qPrintable(list.warnings[1]));
}

void tst_RomFolderListing::unusableNamesLeftOutWithAWarning() {
    TestAppFolder app;
    const QString r = app.file("roms");
    QVERIFY(QDir().mkpath(r));
    const QByteArray folder = QFile::encodeName(r);
    // Made with the C library: a QString cannot hold the Latin-1 byte.
    for (const QByteArray& name : {QByteArray("line\nbreak.nes"), QByteArray("caf\xE9.nes"),
                                   QByteArray("bar|x.nes"), QByteArray("good.nes")}) {
        const QByteArray path = folder + '/' + name;
        const int fd = ::open(path.constData(), O_CREAT | O_WRONLY, 0600);
        QVERIFY(fd >= 0);
        ::close(fd);
    }
    const RomFolderList list = ListRomFolder(rules(r, "nes"));
    QCOMPARE(roms(list), QStringList{"good"});
    QCOMPARE(list.warnings.size(), 3);
    for (const QString& warning : list.warnings) {
        QVERIFY(warning.startsWith("tarvelin: ROM folder: left out "));
        QVERIFY(!warning.contains(u'\n')); // one line each, whatever the name holds
    }
}

void tst_RomFolderListing::linkLoopsEndAndLinksAreFollowed() {
    TestAppFolder app;
    const QString r = app.file("roms");
    touch(r + "/real/game.nes");
    touch(app.file("elsewhere/linked.nes"));
    QVERIFY(QFile::link(r, r + "/real/loop"));          // back to the top
    QVERIFY(QFile::link(r + "/real", r + "/real/self")); // to itself
    QVERIFY(QFile::link(r + "/x", r + "/y"));
    QVERIFY(QFile::link(r + "/y", r + "/x"));            // a pair that resolves to nothing
    QVERIFY(QFile::link(app.file("elsewhere"), r + "/other"));
    QVERIFY(QFile::link(app.file("elsewhere/linked.nes"), r + "/file link.nes"));
    QVERIFY(QFile::link(app.file("nothing.nes"), r + "/dangling.nes"));
    const RomFolderList list = ListRomFolder(rules(r, "nes", true));
    QCOMPARE(roms(list), (QStringList{"file link", "game", "linked"}));
    QVERIFY(list.warnings.isEmpty());
}

void tst_RomFolderListing::unreadableFoldersGiveAWarning() {
    TestAppFolder app;
    const QString r = app.file("roms");
    touch(r + "/top.nes");
    touch(r + "/locked/inner.nes");
    FolderFaults::failOpening(r + "/locked");
    const RomFolderList list = ListRomFolder(rules(r, "nes", true));
    FolderFaults::disarm();
    QVERIFY(list.folderRead);
    QCOMPARE(roms(list), QStringList{"top"});
    QCOMPARE(list.warnings.size(), 1);
    QVERIFY2(list.warnings[0].contains("cannot read the folder " + r + "/locked"),
             qPrintable(list.warnings[0]));

    FolderFaults::failOpening(r);
    const RomFolderList none = ListRomFolder(rules(r, "nes", true));
    FolderFaults::disarm();
    QVERIFY(!none.folderRead);
    QVERIFY(none.games.isEmpty());
    QCOMPARE(none.warnings.size(), 1);
}

void tst_RomFolderListing::missingFolderIsAnEmptyList() {
    TestAppFolder app;
    touch(app.file("file"));
    for (const QString& folder : {app.file("missing"), app.file("file")}) {
        const RomFolderList list = ListRomFolder(rules(folder, "nes"));
        QVERIFY(!list.folderRead);
        QVERIFY(list.games.isEmpty());
        QCOMPARE(list.warnings.size(), 1);
    }
}

void tst_RomFolderListing::warningsStopAtTheLimit() {
    TestAppFolder app;
    const QString r = app.file("roms");
    for (int i = 0; i < 30; ++i)
        touch(r + QStringLiteral("/bad|%1.nes").arg(i));
    const RomFolderList list = ListRomFolder(rules(r, "nes"));
    QCOMPARE(list.warnings.size(), RomFolderList::kMaxWarnings + 1);
    QCOMPARE(list.warnings.last(), QStringLiteral("tarvelin: ROM folder: 10 more warnings like these"));
}

void tst_RomFolderListing::rulesFromTheSettings() {
    FrontEndSettings s;
    QVERIFY(!RomFolderRulesFor("/app", s).isOn());
    s.RomFolderExtensions = "nes";
    RomFolderRules r = RomFolderRulesFor("/app", s);
    QVERIFY(r.isOn());
    QCOMPARE(r.folder, QStringLiteral("/app/roms")); // the default RomPath
    s.RomPath = "games/nes/";
    QCOMPARE(RomFolderRulesFor("/app", s).folder, QStringLiteral("/app/games/nes"));
    s.RomPath = "/media/nes";
    s.RomFolderExtensions.clear();
    s.RomFolderGameFolders = true;
    r = RomFolderRulesFor("/app", s);
    QVERIFY(r.isOn());
    QCOMPARE(r.folder, QStringLiteral("/media/nes"));
}

void tst_RomFolderListing::stoppedListingEnds() {
    TestAppFolder app;
    const QString r = app.file("roms");
    touch(r + "/a.nes");
    const std::atomic<bool> stop{true};
    QVERIFY(ListRomFolder(rules(r, "nes"), &stop).games.isEmpty());
}

QTEST_GUILESS_MAIN(tst_RomFolderListing)
#include "tst_RomFolderListing.moc"

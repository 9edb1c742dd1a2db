#include "base/AppPaths.h"
#include "gamelist/EndingMessage.h"
#include "gamelist/GameListCache.h"
#include "gamelist/GameListGenerator.h"
#include "gamelist/GameListLoader.h"

#include <QElapsedTimer>
#include <QtTest>

#include "common/FakeDialogs.h"
#include "common/StderrCapture.h"
#include "common/TestAppFolder.h"
#include "FifoWatch.h"
#include "HostileFiles.h"

// The emulator's list output (gamelist.txt) and the game list cache (dovrel/glist.lst) at their
// worst: every output gives a cache or one of the messages that end the program, the cache of
// the last good run is never damaged by a failed one, and every cache loads.
namespace {

const QByteArray kOldCache = "old|Old Game\r\n";

GameListRequest request(const TestAppFolder& app, int startLine, int helpEnd, int romLen) {
    return {app.path(),      "emu",         "", "gamelist.txt", qint16(startLine),
            double(helpEnd), qint16(romLen), {}};
}

QString firstLine(const QString& text) {
    return text.section(QStringLiteral("\r\n"), 0, 0);
}

// The size of the big cache: 100 MB, but 25 MB under AddressSanitizer, which makes the load
// several times slower; TARVELIN_BIG_CACHE_MB chooses any size.
qsizetype bigCacheBytes() {
#if defined(__SANITIZE_ADDRESS__)
    constexpr int defaultMb = 25;
#else
    constexpr int defaultMb = 100;
#endif
    bool ok = false;
    const int mb = qEnvironmentVariableIntValue("TARVELIN_BIG_CACHE_MB", &ok);
    return qsizetype(ok && mb > 0 ? mb : defaultMb) << 20;
}

} // namespace

class tst_HostileGameList : public QObject {
    Q_OBJECT
private slots:
    void output_data();
    void output();
    void outputEndsTheProgram_data();
    void outputEndsTheProgram();
    void outputNotARegularFile_data();
    void outputNotARegularFile();
    void cacheCannotBeWritten_data();
    void cacheCannotBeWritten();
    void cache_data();
    void cache();
    void cacheNotARegularFile_data();
    void cacheNotARegularFile();
    void hundredMegabyteCache();
};

void tst_HostileGameList::output_data() {
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<int>("startLine");
    QTest::addColumn<int>("helpEnd");
    QTest::addColumn<int>("romLen");
    QTest::addColumn<QString>("help");
    QTest::addColumn<QByteArray>("cache"); // the cache's first line, or all of it if short

    QTest::newRow("NUL inside lines")
        << QByteArrayLiteral("he\0ad\nab\0c  Game \0 One\n") << 0 << 0 << 5
        << QString::fromUtf8("he\0ad\r\n", 7) << QByteArrayLiteral("ab\0c|Game \0 One\r\n");
    QTest::newRow("10 MB game line")
        << "head\nrom     " + QByteArray(10 << 20, 'd') + "\nnext    Next\n"
        << 0 << 0 << 8 << "head\r\n"
        << "rom|" + QByteArray(10 << 20, 'd') + "\r\n";
    QTest::newRow("10 MB help line") << QByteArray(10 << 20, 'h') + "\nrom Game\n"
                                     << 0 << 5 << 4 << QString(10 << 20, u'h') + "\r\n"
                                     << QByteArray("rom|Game\r\n");
    QTest::newRow("1,000,000 lines")
        << "head\n" + HostileFiles::Repeated("rom  Game", 1000000) << 0 << 0 << 4 << "head\r\n"
        << QByteArray("rom|Game\r\n");
    QTest::newRow("byte-order mark is not part of the first line")
        << QByteArray("\xEF\xBB\xBFhead\nrom Game\n") << 0 << 0 << 4 << "head\r\n"
        << QByteArray("rom|Game\r\n");
    QTest::newRow("invalid UTF-8 is Latin-1, cached as UTF-8")
        << QByteArray("head\ncaf\xE9 Caf\xE9 \xFF\n") << 0 << 0 << 5 << "head\r\n"
        << QByteArray("caf\xC3\xA9|Caf\xC3\xA9 \xC3\xBF\r\n");
    QTest::newRow("CR-only line ends")
        << QByteArray("head\rrom Game\rtwo Two\r") << 0 << 0 << 4 << "head\r\n"
        << QByteArray("rom|Game\r\ntwo|Two\r\n");
    QTest::newRow("mixed line ends")
        << QByteArray("head\r\n\nrom Game\r\r\ntwo Two\n") << 1 << 1 << 4 << "head\r\n\r\n"
        << QByteArray("rom|Game\r\ntwo|Two\r\n");
    QTest::newRow("StartLine -32768: no head, every line a game")
        << QByteArray("aa A\nbb B\n") << -32768 << 5 << 3 << "" << QByteArray("aa|A\r\nbb|B\r\n");
    QTest::newRow("StartLine -1 as well")
        << QByteArray("aa A\n") << -1 << 0 << 3 << "" << QByteArray("aa|A\r\n");
    QTest::newRow("HelpEndLine 32767: the head only")
        << QByteArray("one\ntwo\nthree\naa A\n") << 2 << 32767 << 3 << "one\r\ntwo\r\nthree\r\n"
        << QByteArray("aa|A\r\n");
    QTest::newRow("HelpEndLine -32768: no help")
        << QByteArray("one\naa A\n") << 0 << -32768 << 3 << "" << QByteArray("aa|A\r\n");
    QTest::newRow("GameListRomLen 32767: the whole line is the name")
        << QByteArray("h\n  long name and more  \n") << 0 << 0 << 32767 << "h\r\n"
        << QByteArray("long name and more|\r\n");
    QTest::newRow("GameListRomLen 0: no name")
        << QByteArray("h\n  Game  \n") << 0 << 0 << 0 << "h\r\n"
        << QByteArray("|Game\r\n");
    QTest::newRow("negative GameListRomLen without game lines")
        << QByteArray("h\n\n\n") << 0 << 0 << -32768 << "h\r\n"
        << QByteArray();
}

void tst_HostileGameList::output() {
    QFETCH(QByteArray, output);
    QFETCH(int, startLine);
    QFETCH(int, helpEnd);
    QFETCH(int, romLen);
    QFETCH(QString, help);
    QFETCH(QByteArray, cache);
    TestAppFolder app;
    app.write("gamelist.txt", output);
    app.write("dovrel/glist.lst", kOldCache);
    const GameListResult result = BuildGameListCache(request(app, startLine, helpEnd, romLen));
    QVERIFY2(result.ok, qPrintable(result.message));
    QCOMPARE(result.HelpText, help);
    QVERIFY(app.read("dovrel/glist.lst").startsWith(cache));
    QVERIFY(!app.exists("gamelist.txt"));
}

void tst_HostileGameList::outputEndsTheProgram_data() {
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<int>("startLine");
    QTest::addColumn<int>("romLen");
    QTest::addColumn<QString>("message");
    QTest::newRow("StartLine 32767, three lines")
        << QByteArray("a\nb\nc\n") << 32767 << 4 << "gamelist.txt empty!";
    QTest::newRow("GameListRomLen -32768 with games")
        << QByteArray("h\nrom Game\n") << 0 << -32768 << "Unknown List Generation error!";
    QTest::newRow("GameListRomLen -1 with games")
        << QByteArray("h\nrom Game\n") << 0 << -1 << "Unknown List Generation error!";
}

void tst_HostileGameList::outputEndsTheProgram() {
    QFETCH(QByteArray, output);
    QFETCH(int, startLine);
    QFETCH(int, romLen);
    QFETCH(QString, message);
    TestAppFolder app;
    app.write("gamelist.txt", output);
    app.write("dovrel/glist.lst", kOldCache);
    const GameListResult result = BuildGameListCache(request(app, startLine, 0, romLen));
    QVERIFY(!result.ok);
    QCOMPARE(firstLine(result.message), message);
    QCOMPARE(app.read("dovrel/glist.lst"), kOldCache); // the last good list survives
    QCOMPARE(app.read("gamelist.txt"), output);        // left for the user to look at
}

void tst_HostileGameList::outputNotARegularFile_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("directory") << "directory";
    QTest::newRow("FIFO") << "fifo";
}

void tst_HostileGameList::outputNotARegularFile() {
    QFETCH(QString, kind);
    TestAppFolder app;
    app.write("dovrel/glist.lst", kOldCache);
    const QString output = app.file("gamelist.txt");
    if (kind == "directory")
        app.write("gamelist.txt/inside", "x");
    else
        QVERIFY(HostileFiles::MakeFifo(output));
    const FifoWatch watch(output);
    const GameListResult result = BuildGameListCache(request(app, 0, 0, 4));
    QVERIFY(!watch.releasedABlockedReader());
    QVERIFY(!result.ok);
    QCOMPARE(firstLine(result.message), QString("gamelist.txt not found!"));
    QCOMPARE(app.read("dovrel/glist.lst"), kOldCache);
    QVERIFY(kind == "fifo" ? HostileFiles::IsFifo(output) : HostileFiles::IsDirectory(output));
}

void tst_HostileGameList::cacheCannotBeWritten_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("glist.lst is a directory") << "directory";
    QTest::newRow("glist.lst is a FIFO") << "fifo";
    QTest::newRow("dovrel is a regular file") << "file";
}

void tst_HostileGameList::cacheCannotBeWritten() {
    QFETCH(QString, kind);
    TestAppFolder app;
    const QString cache = AppPaths::gameListCache(app.path());
    if (kind == "directory") {
        app.write("dovrel/glist.lst/inside", "kept");
    } else if (kind == "fifo") {
        QVERIFY(HostileFiles::MakeFifo(cache));
    } else {
        QVERIFY(QDir(app.file("dovrel")).removeRecursively());
        app.write("dovrel", "a regular file");
    }
    app.write("gamelist.txt", "h\nrom Game\n");
    const GameListResult result = BuildGameListCache(request(app, 0, 0, 4));
    QVERIFY(!result.ok);
    QCOMPARE(result.message, QString("Unknown List Generation error!"));
    // The message is the same for every cause; stderr says which file and why, first.
    const QString what = "cannot write " + cache + ": ";
    QVERIFY2(result.cause.startsWith(what) && result.cause.size() > what.size(),
             qPrintable(result.cause));
    FakeDialogs dialogs;
    StderrCapture stderrCapture;
    ShowEndingMessage(dialogs, result.message, result.cause);
    QCOMPARE(stderrCapture.lines(), QStringList({"tarvelin: " + result.cause,
                                                 "tarvelin: Unknown List Generation error!"}));
    QCOMPARE(dialogs.shown.size(), 1);
    QCOMPARE(app.read("gamelist.txt"), QByteArray("h\nrom Game\n"));
    if (kind == "directory")
        QCOMPARE(app.read("dovrel/glist.lst/inside"), QByteArray("kept"));
    else if (kind == "fifo")
        QVERIFY(HostileFiles::IsFifo(cache));
    else
        QCOMPARE(app.read("dovrel"), QByteArray("a regular file"));
}

void tst_HostileGameList::cache_data() {
    QTest::addColumn<QByteArray>("cache");
    QTest::addColumn<int>("games");
    QTest::addColumn<QString>("firstRom");
    QTest::addColumn<QString>("firstDescription");

    QTest::newRow("binary garbage")
        << HostileFiles::Garbage(1 << 20, 21) << -1 << QString() << QString();
    QTest::newRow("NUL inside a name") << QByteArrayLiteral("ro\0m|Game\r\nok|Fine\r\n") << 2
                                       << QString::fromUtf8("ro\0m", 4) << "Game";
    QTest::newRow("10 MB line") << "rom|" + QByteArray(10 << 20, 'd') + "\r\nb|B\r\n"
                                << 2 << "rom" << QString(10 << 20, u'd');
    QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBFrom|Game\r\n") << 1 << "rom"
                                     << "Game";
    QTest::newRow("invalid UTF-8 is Latin-1")
        << QByteArray("caf\xE9|Caf\xE9\r\n") << 1 << QString::fromLatin1("caf\xE9")
        << QString::fromLatin1("Caf\xE9");
    QTest::newRow("CR-only and mixed line ends")
        << QByteArray("a|A\rb|B\n\r\nc|C\r\r\n") << 3 << "a"
        << "A";
    QTest::newRow("lines without a bar or with many")
        << QByteArray("\r\nlone\r\na|b|c|d\r\n|\r\n") << 3 << "lone"
        << "lone";
}

void tst_HostileGameList::cache() {
    QFETCH(QByteArray, cache);
    QFETCH(int, games);
    QFETCH(QString, firstRom);
    QFETCH(QString, firstDescription);
    TestAppFolder app;
    app.write("dovrel/glist.lst", cache);
    const QString file = AppPaths::gameListCache(app.path());
    const QList<GameEntry> all = LoadGameEntries(file, false, app.file("roms/"), ".zip");
    if (games >= 0) {
        QCOMPARE(all.size(), qsizetype(games));
        QCOMPARE(all.first().rom, firstRom);
        QCOMPARE(all.first().description, firstDescription);
    }
    for (const GameEntry& game : all)
        QVERIFY(!game.rom.contains(u'|') && !game.description.contains(u'|'));
    // With the missing-ROM filter: exactly the games whose file is there, whatever the names.
    app.write("roms/" + (all.isEmpty() ? QString("none") : all.last().rom) + ".zip", "");
    const QList<GameEntry> available = LoadGameEntries(file, true, app.file("roms/"), ".zip");
    for (const GameEntry& game : available)
        QVERIFY(QFileInfo(app.file("roms/" + game.rom + ".zip")).isFile());
    if (!all.isEmpty() && !all.last().rom.contains(QChar::Null) && !all.last().rom.contains(u'/'))
        QVERIFY(available.contains(all.last()));
    QCOMPARE(app.read("dovrel/glist.lst"), cache); // loading changes nothing
}

void tst_HostileGameList::cacheNotARegularFile_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("directory") << "directory";
    QTest::newRow("FIFO") << "fifo";
    QTest::newRow("below a regular file") << "below";
}

void tst_HostileGameList::cacheNotARegularFile() {
    QFETCH(QString, kind);
    TestAppFolder app;
    QString file = AppPaths::gameListCache(app.path());
    if (kind == "directory")
        app.write("dovrel/glist.lst/a|A", "");
    else if (kind == "fifo")
        QVERIFY(HostileFiles::MakeFifo(file));
    else
        file = HostileFiles::BelowRegularFile(app.path(), "glist.lst");
    const FifoWatch watch(file);
    QVERIFY(LoadGameEntries(file, false, app.file("roms/"), ".zip").isEmpty());
    QVERIFY(LoadGameEntries(file, true, app.file("roms/"), ".zip").isEmpty());
    QVERIFY(!watch.releasedABlockedReader());
}

void tst_HostileGameList::hundredMegabyteCache() {
    // 100 MB of cache are about 1.7 million lines, one game each.
    const QByteArray line = "game0000000|A game whose description fills a cache line well\r\n";
    const qsizetype count = bigCacheBytes() / line.size();
    TestAppFolder app;
    {
        QFile f(app.file("dovrel/glist.lst"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        QByteArray chunk;
        for (qsizetype i = 0; i < count; ++i) {
            QByteArray l = line;
            const QByteArray n = QByteArray::number(i).rightJustified(7, '0');
            l.replace(4, 7, n);
            chunk += l;
            if (chunk.size() > (4 << 20) || i + 1 == count) {
                QVERIFY(f.write(chunk) == chunk.size());
                chunk.clear();
            }
        }
    }
    for (const char* rom : {"game0000000", "game0000007"})
        app.write(QString("roms/") + rom + ".zip", "");
    const QString file = AppPaths::gameListCache(app.path());
    QElapsedTimer clock;
    clock.start();
    const QList<GameEntry> all = LoadGameEntries(file, false, app.file("roms/"), ".zip");
    QCOMPARE(all.size(), count);
    QCOMPARE(all.last().rom, "game" + QString::number(count - 1).rightJustified(7, u'0'));
    const qint64 loadMs = clock.restart();
    const QList<GameEntry> available = LoadGameEntries(file, true, app.file("roms/"), ".zip");
    QCOMPARE(available.size(), 2);
    QCOMPARE(available[1].rom, QString("game0000007"));
    qInfo("%lld MB cache, %lld games: loaded in %lld ms, filtered in %lld ms",
          qint64(QFileInfo(file).size() >> 20), qint64(count), loadMs, clock.elapsed());
}

QTEST_GUILESS_MAIN(tst_HostileGameList)
#include "tst_HostileGameList.moc"

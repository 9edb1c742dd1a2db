#include "gamelist/GameListCache.h"
#include "gamelist/GameListLoader.h"
#include "gamelist/RomFileIndex.h"
#include "gamelist/TextLines.h"

#include <QRegularExpression>
#include <QtTest>

#include "common/TestAppFolder.h"

Q_DECLARE_METATYPE(QList<GameEntry>)

class tst_GameListCache : public QObject {
    Q_OBJECT
private slots:
    void writesGolden();
    void roundTrip();
    void reads_data();
    void reads();
    void missingOrUnreadableCache();
    void loaderWithoutFilterListsEverything();
    void fieldsDecodeAsTheWholeFile_data();
    void fieldsDecodeAsTheWholeFile();
    void utf8WriterWritesTheSameBytes_data();
    void utf8WriterWritesTheSameBytes();
    void filterOfManyGamesMatchesSingleLookups();
};

void tst_GameListCache::writesGolden() {
    const QList<GameEntry> games{{"1942", "1942 (Revision B)"},
                                 {"cafe", QString::fromUtf8("Caf\xc3\xa9 Rush")},
                                 {"", ""},
                                 {"tron", ""}};
    QCOMPARE(GameListCacheBytes(games), TestData("glist-golden.lst"));
    QCOMPARE(GameListCacheBytes({}), QByteArray());
}

void tst_GameListCache::roundTrip() {
    const QByteArray golden = TestData("glist-golden.lst");
    QCOMPARE(GameListCacheBytes(ParseGameListCache(golden)), golden);
}

void tst_GameListCache::reads_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QList<GameEntry>>("games");
    QTest::newRow("two games") << QByteArray("a|Alpha\r\nb|Beta\r\n")
                               << QList<GameEntry>{{"a", "Alpha"}, {"b", "Beta"}};
    QTest::newRow("LF endings, no final end")
        << QByteArray("a|Alpha\nb|Beta") << QList<GameEntry>{{"a", "Alpha"}, {"b", "Beta"}};
    QTest::newRow("empty line skipped") << QByteArray("a|Alpha\r\n\r\nb|Beta\r\n")
                                        << QList<GameEntry>{{"a", "Alpha"}, {"b", "Beta"}};
    QTest::newRow("no bar: line is name and description")
        << QByteArray("lonely\r\n") << QList<GameEntry>{{"lonely", "lonely"}};
    QTest::newRow("description with a bar is cut there")
        << QByteArray("a|Alpha|Beta|Gamma\r\n") << QList<GameEntry>{{"a", "Alpha"}};
    QTest::newRow("bare bar") << QByteArray("|\r\n") << QList<GameEntry>{{"", ""}};
    QTest::newRow("blanks are kept")
        << QByteArray(" a | Alpha \r\n") << QList<GameEntry>{{" a ", " Alpha "}};
    QTest::newRow("Latin-1 cache") << QByteArray("cafe|Caf\xe9\r\n")
                                   << QList<GameEntry>{{"cafe", QString::fromLatin1("Caf\xe9")}};
    QTest::newRow("empty file") << QByteArray() << QList<GameEntry>{};
}

void tst_GameListCache::reads() {
    QFETCH(QByteArray, bytes);
    QFETCH(QList<GameEntry>, games);
    QCOMPARE(ParseGameListCache(bytes), games);
    TestAppFolder app;
    app.write("dovrel/glist.lst", bytes);
    QCOMPARE(ReadGameListCache(app.file("dovrel/glist.lst")), games);
}

void tst_GameListCache::missingOrUnreadableCache() {
    TestAppFolder app;
    QVERIFY(ReadGameListCache(app.file("dovrel/glist.lst")).isEmpty());
    QVERIFY(QDir(app.path()).mkpath("dovrel/glist.lst")); // a folder where the file should be
    QVERIFY(ReadGameListCache(app.file("dovrel/glist.lst")).isEmpty());
    QVERIFY(LoadGameEntries(app.file("dovrel/glist.lst"), true, app.path() + "/roms/", ".zip")
                .isEmpty());
}

void tst_GameListCache::loaderWithoutFilterListsEverything() {
    TestAppFolder app;
    app.write("dovrel/glist.lst", "a|Alpha\r\nb|Beta\r\nc|Gamma\r\n");
    app.write("roms/b.zip", "");
    const QString cache = app.file("dovrel/glist.lst");
    const QList<GameEntry> all = LoadGameEntries(cache, false, app.path() + "/roms/", ".zip");
    QCOMPARE(all, (QList<GameEntry>{{"a", "Alpha"}, {"b", "Beta"}, {"c", "Gamma"}}));
    const QList<GameEntry> available = LoadGameEntries(cache, true, app.path() + "/roms/", ".zip");
    QCOMPARE(available, (QList<GameEntry>{{"b", "Beta"}}));
}

void tst_GameListCache::fieldsDecodeAsTheWholeFile_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ASCII") << QByteArray("a|Alpha\r\nb|Beta|x\r\nlonely\r\n");
    QTest::newRow("UTF-8 fields") << QByteArray("caf\xC3\xA9|\xE4\xB8\xAD \xF0\x9D\x84\x9E\r\n");
    QTest::newRow("byte-order mark of the file") << QByteArray("\xEF\xBB\xBF"
                                                               "a|Alpha\r\nb|\xC3\xA9\r\n");
    QTest::newRow("U+FEFF that begins fields") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF"
                                                             "a|\xEF\xBB\xBF"
                                                             "Alpha\r\n\xEF\xBB\xBF"
                                                             "lonely\n");
    QTest::newRow("Latin-1 file: every byte a character")
        << QByteArray("\xEF\xBB\xBF"
                      "caf\xE9|Caf\xE9 \xC3\xA9\r\n");
    QTest::newRow("a cut sequence makes the file Latin-1")
        << QByteArray("caf\xC3\xA9|ok\r\nb|\xC3\r\n");
}

void tst_GameListCache::fieldsDecodeAsTheWholeFile() {
    QFETCH(QByteArray, bytes);
    // What cutting the whole decoded text gives, built here the plain way.
    QList<GameEntry> expected;
    const QString text = DecodeText(bytes);
    for (const QString& line : text.split(QRegularExpression("\r\n|\n|\r"))) {
        if (line.isEmpty())
            continue;
        const QStringList fields = line.split(u'|');
        expected.append({fields[0], fields.size() > 1 ? fields[1] : fields[0]});
    }
    QCOMPARE(ParseGameListCache(bytes), expected);
    // A filter sees every ROM name in order and keeps exactly the games it accepts.
    QStringList seen;
    const QList<GameEntry> kept = ParseGameListCache(bytes, [&seen](const QString& rom) {
        seen << rom;
        return seen.size() % 2 == 1;
    });
    QStringList roms;
    QList<GameEntry> everyOther;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        roms << expected[i].rom;
        if (i % 2 == 0)
            everyOther << expected[i];
    }
    QCOMPARE(seen, roms);
    QCOMPARE(kept, everyOther);
}

void tst_GameListCache::utf8WriterWritesTheSameBytes_data() {
    QTest::addColumn<QList<GameEntry>>("games");
    QTest::newRow("none") << QList<GameEntry>{};
    QTest::newRow("plain and UTF-8") << QList<GameEntry>{
        {"1942", "1942 (Revision B)"}, {"cafe", QString::fromUtf8("Caf\xc3\xa9")}, {"", ""}};
    QTest::newRow("first ROM name begins with U+FEFF")
        << QList<GameEntry>{{QString(QChar(0xFEFF)) + "rom", "Game"}, {"b", "B"}};
    QTest::newRow("a later ROM name begins with U+FEFF")
        << QList<GameEntry>{{"a", "A"}, {QString(QChar(0xFEFF)) + "rom", "Game"}};
}

void tst_GameListCache::utf8WriterWritesTheSameBytes() {
    QFETCH(QList<GameEntry>, games);
    GameListCacheUtf8Writer writer;
    for (const GameEntry& game : games)
        writer.add(game.rom.toUtf8(), game.description.toUtf8());
    QCOMPARE(writer.bytes(), GameListCacheBytes(games));
    QCOMPARE(ParseGameListCache(writer.bytes()), games);
}

void tst_GameListCache::filterOfManyGamesMatchesSingleLookups() {
    // Enough games that the loader reads the ROM folder once instead of looking up each file.
    TestAppFolder app;
    QByteArray cache;
    QList<GameEntry> present;
    for (int i = 0; i < 300; ++i) {
        const QString rom = QString::fromUtf8("g\xC3\xA9%1").arg(i);
        cache += rom.toUtf8() + "|Game " + QByteArray::number(i) + (i % 2 ? "\r\n" : "\n");
        if (i % 3 == 1) {
            app.write("roms/" + rom + ".zip", "");
            present.append({rom, "Game " + QString::number(i)});
        }
    }
    app.write("dovrel/glist.lst", cache);
    QVERIFY(RomFileIndex(app.path() + "/roms/", ".zip", CountLineEnds(cache)).usesListing());
    QCOMPARE(LoadGameEntries(app.file("dovrel/glist.lst"), true, app.path() + "/roms/", ".zip"),
             present);
}

QTEST_GUILESS_MAIN(tst_GameListCache)
#include "tst_GameListCache.moc"

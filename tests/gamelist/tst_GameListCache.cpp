#include "GameListCache.h"
#include "GameListLoader.h"
#include "GameListTable.h"

#include <QtTest>

#include "TestAppFolder.h"

Q_DECLARE_METATYPE(QList<GameEntry>)

class tst_GameListCache : public QObject {
    Q_OBJECT
private slots:
    void writesGolden();
    void roundTrip();
    void reads_data();
    void reads();
    void missingOrUnreadableCache();
    void tableKeepsRowsOfAnEarlierFillOnlyWhenNothingIsListed();
    void loaderWithoutFilterListsEverything();
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
    QTest::newRow("LF endings, no final end") << QByteArray("a|Alpha\nb|Beta")
                                              << QList<GameEntry>{{"a", "Alpha"}, {"b", "Beta"}};
    QTest::newRow("empty line skipped") << QByteArray("a|Alpha\r\n\r\nb|Beta\r\n")
                                        << QList<GameEntry>{{"a", "Alpha"}, {"b", "Beta"}};
    QTest::newRow("no bar: line is name and description")
        << QByteArray("lonely\r\n") << QList<GameEntry>{{"lonely", "lonely"}};
    QTest::newRow("description with a bar is cut there")
        << QByteArray("a|Alpha|Beta|Gamma\r\n") << QList<GameEntry>{{"a", "Alpha"}};
    QTest::newRow("bare bar") << QByteArray("|\r\n") << QList<GameEntry>{{"", ""}};
    QTest::newRow("blanks are kept") << QByteArray(" a | Alpha \r\n")
                                     << QList<GameEntry>{{" a ", " Alpha "}};
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

void tst_GameListCache::tableKeepsRowsOfAnEarlierFillOnlyWhenNothingIsListed() {
    GameListTable table;
    QCOMPARE(table.rowCount(), 0);
    QCOMPARE(table.romName(0), QString());
    table.fill({{"a", "Alpha"}, {"b", "Beta"}, {"c", "Gamma"}});
    QCOMPARE(table.rowCount(), 3);
    QCOMPARE(table.romName(2), QString("c"));
    QCOMPARE(table.description(1), QString("Beta"));

    table.fill({}); // nothing listed: the stale rows stay
    QCOMPARE(table.rowCount(), 3);
    QCOMPARE(table.romName(0), QString("a"));

    table.fill({{"z", "Zeta"}}); // a fill with rows replaces them all
    QCOMPARE(table.rowCount(), 1);
    QCOMPARE(table.romName(0), QString("z"));
    QCOMPARE(table.description(0), QString("Zeta"));
    QCOMPARE(table.romName(1), QString());
    QCOMPARE(table.romName(-1), QString());
}

void tst_GameListCache::loaderWithoutFilterListsEverything() {
    TestAppFolder app;
    app.write("dovrel/glist.lst", "a|Alpha\r\nb|Beta\r\nc|Gamma\r\n");
    app.write("roms/b.zip", "");
    const QString cache = app.file("dovrel/glist.lst");
    const QList<GameEntry> all = LoadGameEntries(cache, false, app.path() + "/roms/", ".zip");
    QCOMPARE(Descriptions(all), QStringList({"Alpha", "Beta", "Gamma"}));
    const QList<GameEntry> available = LoadGameEntries(cache, true, app.path() + "/roms/", ".zip");
    QCOMPARE(available, (QList<GameEntry>{{"b", "Beta"}}));
}

QTEST_MAIN(tst_GameListCache)
#include "tst_GameListCache.moc"

#include "gamelist/GameLibrary.h"

#include <QDateTime>
#include <QtTest>

#include "common/StderrCapture.h"
#include "common/TestAppFolder.h"

Q_DECLARE_METATYPE(PlayRecord)

// dovrel/library.ini as users, crashes and other programs may leave it: every entry has a
// defined outcome, a change writes one key and keeps every other byte of the file.
class tst_GameLibrary : public QObject {
    Q_OBJECT
private slots:
    void read_data();
    void read();
    void hundredThousandRecords();
    void launchesAreRecordedOnlyOnceKept();
    void describe_data();
    void describe();
};

void tst_GameLibrary::read_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("favourites");
    QTest::addColumn<QString>("recorded"); // "rom=text" of the one record read, or empty
    QTest::addColumn<bool>("warned");
    QTest::newRow("as written") << QByteArray("[Favourites]\nalpha=1\nbeta=0\n[Played]\n"
                                              "alpha=3,600,1765000000\n")
                                << QStringList{"alpha"} << "alpha=3,600,1765000000" << false;
    QTest::newRow("names that are no game stay") << QByteArray("[played]\nnot a game = 1,1,1\n")
                                                 << QStringList() << "not a game=1,1,1" << false;
    QTest::newRow("huge count") << QByteArray("[Played]\na=99999999999999999999,1,1\nb=1,1,1\n")
                                << QStringList() << "b=1,1,1" << true;
    QTest::newRow("negative time")
        << QByteArray("[Played]\na=1,-5,1\n") << QStringList() << QString() << true;
    QTest::newRow("time past the year 9999")
        << QByteArray("[Played]\na=1,5,999999999999\n") << QStringList() << QString() << true;
    QTest::newRow("no launch") << QByteArray("[Played]\na=0,0,0\n") << QStringList() << QString()
                               << true;
    QTest::newRow("not a record") << QByteArray("[Played]\na=hello\nb=1,2\n") << QStringList()
                                  << QString() << true;
    QTest::newRow("favourite of another kind")
        << QByteArray("[Favourites]\na=yes\nb=1\n") << QStringList{"b"} << QString() << true;
    QTest::newRow("no INI at all")
        << QByteArray("\x00\xff\x01 garbage \xfe", 12) << QStringList() << QString() << false;
    QTest::newRow("other sections are not ours")
        << QByteArray("[Notes]\na=anything\n") << QStringList() << QString() << false;
}

void tst_GameLibrary::read() {
    QFETCH(QByteArray, file);
    QFETCH(QStringList, favourites);
    QFETCH(QString, recorded);
    QFETCH(bool, warned);
    TestAppFolder app;
    app.write("library.ini", file);
    StderrCapture stderrCapture;
    const GameLibrary library = GameLibrary::read(app.file("library.ini"));
    const QStringList warnings = stderrCapture.lines();
    QCOMPARE(warnings.size(), warned ? 1 : 0);
    QCOMPARE(library.favouriteCount(), favourites.size());
    for (const QString& rom : favourites)
        QVERIFY(library.isFavourite(rom));
    QCOMPARE(library.records().size(), recorded.isEmpty() ? 0 : 1);
    if (!recorded.isEmpty()) {
        const QString rom = recorded.section(u'=', 0, 0);
        QCOMPARE(GameLibrary::recordText(*library.record(rom)), recorded.section(u'=', 1));
    }
    QCOMPARE(app.read("library.ini"), file); // reading changes nothing
}

void tst_GameLibrary::hundredThousandRecords() {
    TestAppFolder app;
    QByteArray file = "[Favourites]\ng7=1\n[Played]\n";
    for (int i = 0; i < 100000; ++i)
        file +=
            "g" + QByteArray::number(i) + "=" + QByteArray::number(i % 50 + 1) + ",60,1700000000\n";
    app.write("library.ini", file);
    GameLibrary library = GameLibrary::read(app.file("library.ini"));
    QCOMPARE(library.records().size(), 100000);
    QVERIFY(library.recordLaunch("g5", 1800000000, 30));
    QCOMPARE(*library.record("g5"), (PlayRecord{7, 90, 1800000000}));
    // One line changed in place, every other byte kept.
    QCOMPARE(app.read("library.ini"),
             QByteArray(file).replace("\ng5=6,60,1700000000\n", "\ng5=7,90,1800000000\n"));
    QCOMPARE(GameLibrary::read(app.file("library.ini")).records().size(), 100000);
}

void tst_GameLibrary::launchesAreRecordedOnlyOnceKept() {
    TestAppFolder app;
    const QString file = app.file("dovrel/library.ini");
    GameLibrary library = GameLibrary::read(file);
    QVERIFY(!library.isKept());
    QVERIFY(!library.recordLaunch("pacman", 1000, 5));
    QVERIFY(!app.exists("dovrel/library.ini"));
    QVERIFY(library.keep());
    QVERIFY(library.recordLaunch("pacman", 1000, 5));
    QVERIFY(library.recordLaunch("pacman", 2000, 7));
    QVERIFY(library.setFavourite("pacman", true));
    QVERIFY(!library.setFavourite("a=b", true)); // a key the file cannot hold
    const GameLibrary again = GameLibrary::read(file);
    QCOMPARE(*again.record("pacman"), (PlayRecord{2, 12, 2000}));
    QVERIFY(again.isFavourite("pacman"));
    QVERIFY(!again.isFavourite("a=b"));
    // A favourite alone starts the file too.
    TestAppFolder other;
    GameLibrary fresh = GameLibrary::read(other.file("dovrel/library.ini"));
    QVERIFY(fresh.setFavourite("dkong", true));
    QVERIFY(fresh.isKept());
    QVERIFY(fresh.recordLaunch("dkong", 5, 1));
}

void tst_GameLibrary::describe_data() {
    QTest::addColumn<PlayRecord>("record");
    QTest::addColumn<QString>("text");
    const qint64 day = QDateTime(QDate(2026, 12, 7), QTime(12, 0)).toSecsSinceEpoch();
    QTest::newRow("hours") << PlayRecord{12, 12000, day}
                           << "Played 12 times, 3 h 20 min, last on 7 Dec 2026";
    QTest::newRow("once, minutes")
        << PlayRecord{1, 59, day} << "Played once, 0 min, last on 7 Dec 2026";
    QTest::newRow("never") << PlayRecord{} << QString();
}

void tst_GameLibrary::describe() {
    QFETCH(PlayRecord, record);
    QFETCH(QString, text);
    QCOMPARE(GameLibrary::describe(record), text);
}

QTEST_GUILESS_MAIN(tst_GameLibrary)
#include "tst_GameLibrary.moc"

#include "gamelist/GameFinder.h"
#include "gamelist/GameLibrary.h"
#include "gamelist/GameListView.h"

#include <QtTest>

#include "common/TestAppFolder.h"

class tst_GameFinder : public QObject {
    Q_OBJECT
private slots:
    void matches_data();
    void matches();
    void titleOrder_data();
    void titleOrder();
    void views();
};

void tst_GameFinder::matches_data() {
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("rom");
    QTest::addColumn<QString>("query");
    QTest::addColumn<bool>("found");
    QTest::newRow("accents ignored") << "Café Rush"
                                     << "cafe"
                                     << "cafe" << true;
    QTest::newRow("accents in the query") << "Cafe Rush"
                                          << "cr"
                                          << "CAFÉ" << true;
    QTest::newRow("words anywhere, any order") << "Super pacman deluxe"
                                               << "spd"
                                               << "man pac" << true;
    QTest::newRow("every word must occur") << "Super pacman deluxe"
                                           << "spd"
                                           << "pac ghost" << false;
    QTest::newRow("the ROM name counts") << "Frog Crossing II"
                                         << "frogger"
                                         << "frogger" << true;
    QTest::newRow("not across title and ROM name") << "Big Frog"
                                                   << "ger"
                                                   << "frogger" << false;
    QTest::newRow("ligature") << "\uFB01re Fighter"
                              << "ff"
                              << "fire" << true;
    QTest::newRow("upper case accented") << "ÉLAN VITAL"
                                         << "ev"
                                         << "elan vital" << true;
    QTest::newRow("blank query finds all") << "Anything"
                                           << "a"
                                           << "   " << true;
    QTest::newRow("no match") << "Asteroid Belt Patrol"
                              << "abp"
                              << "zz" << false;
}

void tst_GameFinder::matches() {
    QFETCH(QString, description);
    QFETCH(QString, rom);
    QFETCH(QString, query);
    QFETCH(bool, found);
    QCOMPARE(GameFinder::matches(GameFinder::haystack(description, rom), GameFinder::words(query)),
             found);
}

void tst_GameFinder::titleOrder_data() {
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("sign");
    QTest::newRow("numbers in natural order") << "game 2"
                                              << "game 10" << -1;
    QTest::newRow("and back") << "game 10"
                              << "game 2" << 1;
    QTest::newRow("leading zeros") << "x 007"
                                   << "x 7" << 0;
    QTest::newRow("letters") << "abc"
                             << "abd" << -1;
    QTest::newRow("shorter first") << "ab"
                                   << "abc" << -1;
    QTest::newRow("long numbers") << "v 99999999999999999999"
                                  << "v 100000000000000000000" << -1;
    QTest::newRow("a digit against a letter") << "a1"
                                              << "ab" << -1;
    QTest::newRow("a digit against a blank") << "a1"
                                             << "a 1" << 1;
    QTest::newRow("equal numbers, then the rest") << "x 7b"
                                                  << "x 007a" << 1;
}

void tst_GameFinder::titleOrder() {
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, sign);
    const int result = GameFinder::compareTitles(a, b);
    QCOMPARE((result > 0) - (result < 0), sign);
    // The sort keys of the details table order the texts alike.
    const int keyed = QString::compare(GameFinder::naturalKey(a), GameFinder::naturalKey(b));
    QCOMPARE((keyed > 0) - (keyed < 0), sign);
}

void tst_GameFinder::views() {
    TestAppFolder app;
    app.write("library.ini", "[Favourites]\nb=1\nd=1\n[Played]\nc=1,60,300\nd=2,60,100\n"
                             "gone=1,1,500\n");
    const GameLibrary library = GameLibrary::read(app.file("library.ini"));
    GameListView view;
    view.setGames({{"a", "Zoo 10"}, {"b", "zoo 9"}, {"c", "Apple"}, {"d", "Café 2"}});
    const auto roms = [&](const ViewChoices& choices) {
        QStringList found;
        for (const qsizetype game : view.visible(choices, library))
            found << view.games()[game].rom;
        return found;
    };
    QCOMPARE(roms({}), QStringList({"a", "b", "c", "d"}));
    QCOMPARE(roms({false, false, true, {}}), QStringList({"c", "d", "b", "a"}));
    QCOMPARE(roms({true, false, false, {}}), QStringList({"b", "d"}));
    // Played games only, the last started first; a record of a game not listed is kept aside.
    QCOMPARE(roms({false, true, false, {}}), QStringList({"c", "d"}));
    QCOMPARE(roms({true, true, false, {}}), QStringList({"d"}));
    QCOMPARE(roms({false, false, true, "zoo"}), QStringList({"b", "a"}));
    QCOMPARE(roms({true, false, false, "cafe"}), QStringList({"d"}));
    // A new list drops what was derived from the old one.
    view.setGames({{"e", "Cafeteria"}});
    QCOMPARE(roms({false, false, true, "cafe"}), QStringList({"e"}));
}

QTEST_GUILESS_MAIN(tst_GameFinder)
#include "tst_GameFinder.moc"

#include "gamelist/GameLibrary.h"
#include "session/AllSystemsGames.h"

#include "common/TestAppFolder.h"

#include <QTest>

class tst_AllSystemsGames : public QObject {
    Q_OBJECT
private slots:
    void visible_data();
    void visible();
};

void tst_AllSystemsGames::visible_data() {
    QTest::addColumn<QString>("query");
    QTest::addColumn<int>("view"); // 0 as listed, 1 favourites only, 2 recently played, 3 by title
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("as listed") << "" << 0
                               << QStringList{"Arcade/puckman", "Arcade/pacman", "Arcade/galaga",
                                              "Home/pacman", "Home/zork"};
    QTest::newRow("best matches first, across systems")
        << "pac man" << 0 << QStringList{"Arcade/pacman", "Home/pacman", "Arcade/puckman"};
    QTest::newRow("a system's name is a word of its games") << "home pac" << 0
                                                            << QStringList{"Home/pacman"};
    QTest::newRow("favourites of both") << "" << 1 << QStringList{"Arcade/galaga", "Home/zork"};
    QTest::newRow("played last first, whatever the system")
        << "" << 2 << QStringList{"Home/pacman", "Arcade/pacman", "Arcade/galaga"};
    QTest::newRow("by title across systems")
        << "" << 3
        << QStringList{"Arcade/galaga", "Home/pacman", "Arcade/pacman", "Arcade/puckman",
                       "Home/zork"};
}

void tst_AllSystemsGames::visible() {
    QFETCH(QString, query);
    QFETCH(int, view);
    QFETCH(QStringList, rows);
    const TestAppFolder data;
    data.write("a.ini", "[Favourites]\ngalaga=1\n[Played]\npacman=1,60,1000\ngalaga=2,60,500\n");
    data.write("h.ini", "[Favourites]\nzork=1\n[Played]\npacman=1,60,2000\n");
    const GameLibrary arcade = GameLibrary::read(data.file("a.ini"));
    const GameLibrary home = GameLibrary::read(data.file("h.ini"));
    AllSystemsGames games;
    games.setSystems({{"Arcade",
                       {{"puckman", "Puck Man (Japan, pac man)"},
                        {"pacman", "Pac-Man (Midway)"},
                        {"galaga", "Galaga"}},
                       &arcade},
                      {"Home", {{"pacman", "Pac-Man (Atari)"}, {"zork", "Zork"}}, &home}});
    ViewChoices choices;
    choices.query = query;
    choices.favouritesOnly = view == 1;
    choices.recentlyPlayed = view == 2;
    choices.sortByTitle = view == 3;
    QStringList seen;
    for (const AllSystemsGames::Row& row : games.visible(choices))
        seen << games.systems()[size_t(row.system)].name + u'/' + games.game(row).rom;
    QCOMPARE(seen, rows);
}

QTEST_GUILESS_MAIN(tst_AllSystemsGames)
#include "tst_AllSystemsGames.moc"

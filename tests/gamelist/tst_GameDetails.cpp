#include "base/AppPaths.h"
#include "base/Ini.h"
#include "gamelist/GameDetailsCache.h"
#include "gamelist/GameLibrary.h"
#include "gamelist/GameListCache.h"
#include "gamelist/GameListGenerator.h"
#include "gamelist/GameListView.h"

#include <QtTest>

#include "common/TestAppFolder.h"

// Details beyond a title: the list output cut into the two caches, the details cache read only
// for its own list, and the views that use them (ranked search, clones, working only, sorting).
namespace {

const QStringList kFields{"Year", "Manufacturer", "Parent", "Status"};

// A MAME-like list in its own order: parents, clones of them, a clone whose parent is missing.
const QByteArray kOutput = "Machines\n"
                           "mspacman Ms. Pac-Man\t1981\tMidway\t\tgood\n"
                           "pacplus Pac-Man Plus\t1982\tNamco\tpuckman\tgood\n"
                           "pacman Pac-Man (Midway)\t1980\tNamco (Midway license)\tpuckman\tgood\n"
                           "pacmania Pac-Mania\t1987\tNamco\t\timperfect\n"
                           "puckman Puck Man (Japan set 1)\t1980\tNamco\t\tgood\n"
                           "pacland Pac-Land\t198?\tNamco\t\tpreliminary\n"
                           "superpac Super Pac-Man\t1982\tNamco\t\tgood\n"
                           "orphan Orphan Man\t\t\tnosuchset\tgood\n";

struct Cached {
    QList<GameEntry> games;
    std::optional<GameDetails> details;
};

Cached cut(const TestAppFolder& app, const QByteArray& output, QStringList fields = kFields) {
    GameListRequest request;
    request.appDir = app.path();
    ListLayout layout;
    layout.nameEndsAtBlank = true;
    layout.detailFields = fields;
    if (!RefreshGameListCache(request, output, layout).ok)
        return {};
    Cached cached{ReadGameListCache(AppPaths::gameListCache(app.path())), {}};
    cached.details = ReadGameDetailsCache(ReadFileBytes(AppPaths::gameDetails(app.path())),
                                          fields, cached.games, true);
    return cached;
}

} // namespace

class tst_GameDetails : public QObject {
    Q_OBJECT
private slots:
    void outputIsCutIntoBothCaches();
    void withoutDetailFieldsNothingChanges();
    void detailsAreReadOnlyForTheirList_data();
    void detailsAreReadOnlyForTheirList();
    void viewsUseTheDetails_data();
    void viewsUseTheDetails();
    void fieldNamesFromTheSetting();
};

void tst_GameDetails::outputIsCutIntoBothCaches() {
    TestAppFolder app;
    app.write("dovrel/.keep", "");
    // A line without a tab, one with too many fields, a ROM name with "|" and Latin-1 bytes.
    const Cached cached = cut(app, "head\nplain Plain Game\nlong Long\t1990\tA\t\tgood\tx\ty\n"
                                   "a|b Barred\t1991\n\xe9t\xe9 Summer\t1992\tCaf\xe9\n");
    QCOMPARE(cached.games.size(), 4);
    QVERIFY(cached.details);
    QCOMPARE(cached.games[0].description, QString("Plain Game")); // the tab ends the title
    QCOMPARE(cached.details->value(0, GameDetails::Field::Year), QString());
    QCOMPARE(cached.details->value(1, GameDetails::Field::Status), QString("good"));
    QCOMPARE(cached.games[2].rom, QString("a"));
    QCOMPARE(cached.details->value(2, GameDetails::Field::Year), QString("1991"));
    QCOMPARE(cached.games[3].rom, QString("été"));
    QCOMPARE(cached.details->value(3, GameDetails::Field::Manufacturer), QString("Café"));
    QVERIFY(app.read("dovrel/gdetails.lst").startsWith("#Tarvelin details\tYear\tManufacturer"));

    // The same list again over a damaged details file: the list is the same, the file is not.
    const QByteArray details = app.read("dovrel/gdetails.lst");
    app.write("dovrel/gdetails.lst", details.left(details.size() / 2));
    GameListRequest request;
    request.appDir = app.path();
    QVERIFY(RefreshGameListCache(request, "head\nplain Plain Game\nlong Long\t1990\tA\t\tgood\tx\ty\n"
                                          "a|b Barred\t1991\n\xe9t\xe9 Summer\t1992\tCaf\xe9\n",
                                 {true, false, kFields})
                .cacheChanged);
    QCOMPARE(app.read("dovrel/gdetails.lst"), details);
}

void tst_GameDetails::withoutDetailFieldsNothingChanges() {
    TestAppFolder app;
    app.write("dovrel/.keep", "");
    GameListRequest request;
    request.appDir = app.path();
    QVERIFY(RefreshGameListCache(request, "head\ngame Title\t1980\n", {true, false}).ok);
    QCOMPARE(app.read("dovrel/glist.lst"), QByteArray("game|Title\t1980\r\n"));
    QVERIFY(!app.exists("dovrel/gdetails.lst"));
}

void tst_GameDetails::detailsAreReadOnlyForTheirList_data() {
    QTest::addColumn<QByteArray>("details");
    QTest::addColumn<bool>("allGames");
    QTest::addColumn<bool>("read");
    const QByteArray head = "#Tarvelin details\tYear\r\n";
    QTest::newRow("its own") << head + "a\t1\r\nb\t2\r\nc\t3\r\n" << true << true;
    QTest::newRow("missing") << QByteArray() << true << false;
    QTest::newRow("other fields") << QByteArray("#Tarvelin details\tYear\tMaker\r\na\t1\t\r\n")
                                  << true << false;
    QTest::newRow("no head") << QByteArray("a\t1\r\nb\t2\r\nc\t3\r\n") << true << false;
    QTest::newRow("short") << head + "a\t1\r\nb\t2\r\n" << true << false;
    QTest::newRow("another list") << head + "a\t1\r\nx\t2\r\nc\t3\r\n" << true << false;
    QTest::newRow("games the list lacks") << head + "a\t1\r\nb\t2\r\nc\t3\r\nd\t4\r\n" << true
                                          << false;
    QTest::newRow("a field too many") << head + "a\t1\r\nb\t2\t\r\nc\t3\r\n" << true << false;
    QTest::newRow("out of order") << head + "b\t2\r\na\t1\r\nc\t3\r\n" << true << false;
    // The missing-ROM filter loads a and c: b's line and the end may be anything.
    QTest::newRow("filtered, its own") << head + "a\t1\r\nb\t2\r\nc\t3\r\nd\t4\r\n" << false
                                       << true;
    QTest::newRow("filtered, c missing") << head + "a\t1\r\nb\t2\r\n" << false << false;
}

void tst_GameDetails::detailsAreReadOnlyForTheirList() {
    QFETCH(QByteArray, details);
    QFETCH(bool, allGames);
    QFETCH(bool, read);
    const QList<GameEntry> games = allGames ? QList<GameEntry>{{"a", "A"}, {"b", "B"}, {"c", "C"}}
                                            : QList<GameEntry>{{"a", "A"}, {"c", "C"}};
    QString problem;
    const std::optional<GameDetails> got =
        ReadGameDetailsCache(details, {"Year"}, games, allGames, &problem);
    QCOMPARE(bool(got), read);
    QCOMPARE(problem.isEmpty(), read);
    if (read) {
        QCOMPARE(got->rowCount(), games.size());
        QCOMPARE(got->value(games.size() - 1, 0), QString("3"));
    }
}

void tst_GameDetails::viewsUseTheDetails_data() {
    QTest::addColumn<ViewChoices>("choices");
    QTest::addColumn<QStringList>("roms");
    ViewChoices ranked;
    ranked.rankMatches = true;
    ranked.query = "pac man";
    // pacman: its ROM name is the words together; then titles that begin with them, whole
    // words before a half word; then each word at a word's start; the list's order within.
    QTest::newRow("ranked") << ranked
                            << QStringList{"pacman", "pacplus", "pacmania", "mspacman", "superpac"};
    ViewChoices unranked = ranked;
    unranked.rankMatches = false;
    QTest::newRow("unranked keeps the order")
        << unranked << QStringList{"mspacman", "pacplus", "pacman", "pacmania", "superpac"};
    ViewChoices maker;
    maker.query = "namco 1982";
    QTest::newRow("manufacturer and year") << maker << QStringList{"pacplus", "superpac"};
    ViewChoices clones;
    clones.hideClones = true;
    QTest::newRow("hide clones") << clones
                                 << QStringList{"mspacman", "pacmania", "puckman", "pacland",
                                                "superpac", "orphan"};
    clones.expanded = {"puckman"};
    QTest::newRow("a parent's clones shown")
        << clones << QStringList{"mspacman", "pacmania", "puckman", "pacplus", "pacman",
                                 "pacland", "superpac", "orphan"};
    ViewChoices parentLeftOut = ranked;
    parentLeftOut.hideClones = true;
    // The parent does not match: its first clone stands for the group.
    QTest::newRow("clone heads its group")
        << parentLeftOut << QStringList{"pacman", "pacmania", "mspacman", "superpac"};
    ViewChoices working;
    working.workingOnly = true;
    working.query = "pac";
    QTest::newRow("working only")
        << working << QStringList{"mspacman", "pacplus", "pacman", "pacmania", "superpac"};
    ViewChoices byYear;
    byYear.detailsTable = true;
    byYear.sortField = "Year";
    // Equal years keep the list's order, 198? goes after the years it may be, empty last.
    QTest::newRow("by year") << byYear
                             << QStringList{"pacman", "puckman", "mspacman", "pacplus",
                                            "superpac", "pacmania", "pacland", "orphan"};
    byYear.sortDescending = true;
    QTest::newRow("by year, descending")
        << byYear << QStringList{"pacland", "pacmania", "pacplus", "superpac", "mspacman",
                                 "pacman", "puckman", "orphan"};
    ViewChoices byYearInList = byYear;
    byYearInList.detailsTable = false;
    QTest::newRow("the standard list has no column sort")
        << byYearInList << QStringList{"mspacman", "pacplus", "pacman", "pacmania", "puckman",
                                       "pacland", "superpac", "orphan"};
}

void tst_GameDetails::viewsUseTheDetails() {
    QFETCH(ViewChoices, choices);
    QFETCH(QStringList, roms);
    TestAppFolder app;
    app.write("dovrel/.keep", "");
    Cached cached = cut(app, kOutput);
    QVERIFY(cached.details);
    GameListView view;
    view.setGames(cached.games, *cached.details);
    const GameLibrary library;
    QStringList shown;
    for (qsizetype i : view.visible(choices, library))
        shown << cached.games[i].rom;
    QCOMPARE(shown, roms);
}

void tst_GameDetails::fieldNamesFromTheSetting() {
    QCOMPARE(GameDetails::fieldsFrom(" Year; year ;;Maker\tName;"),
             QStringList({"Year", "Maker Name"}));
    const GameDetails details(QStringList{"Genre", "STATUS", "Year"});
    QCOMPARE(details.column(GameDetails::Field::Status), 1);
    QCOMPARE(details.column(GameDetails::Field::Parent), -1);
}

QTEST_GUILESS_MAIN(tst_GameDetails)
#include "tst_GameDetails.moc"

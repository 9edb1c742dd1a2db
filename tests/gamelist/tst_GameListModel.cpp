#include "gamelist/GameLibrary.h"
#include "gamelist/GameListModel.h"

#include "common/TestAppFolder.h"

#include <QSignalSpy>
#include <QtTest>

// The model behind lstGames and the GameList rows it answers with.
class tst_GameListModel : public QObject {
    Q_OBJECT
private slots:
    void rowsOfAnEarlierFillStayOnlyWhenNothingIsListed();
    void rolesOfARow_data();
    void rolesOfARow();
    void viewsShowIndexesOfTheLoadedGames();
};

void tst_GameListModel::rowsOfAnEarlierFillStayOnlyWhenNothingIsListed() {
    const GameLibrary library;
    GameListModel model(library);
    QCOMPARE(model.rows().rowCount(), 0);
    QCOMPARE(model.rows().romName(0), QString());
    model.setGames({{"a", "Alpha"}, {"b", "Beta"}, {"c", "Gamma"}});
    model.show({});
    QCOMPARE(model.rows().rowCount(), 3);
    QCOMPARE(model.rows().romName(2), QString("c"));
    QCOMPARE(model.rows().description(1), QString("Beta"));

    model.setGames({}); // nothing listed: the stale rows stay
    model.show({});
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.rows().rowCount(), 3);
    QCOMPARE(model.rows().romName(0), QString("a"));

    model.setGames({{"z", "Zeta"}}); // a fill with rows replaces them all
    model.show({});
    QCOMPARE(model.rows().rowCount(), 1);
    QCOMPARE(model.rows().romName(0), QString("z"));
    QCOMPARE(model.rows().description(0), QString("Zeta"));
    QCOMPARE(model.rows().romName(1), QString());
    QCOMPARE(model.rows().romName(-1), QString());
    QCOMPARE(model.rows().rowOf("z"), 0);
    QCOMPARE(model.rows().rowOf("a"), -1);
}

void tst_GameListModel::rolesOfARow_data() {
    QTest::addColumn<QByteArray>("library");
    QTest::addColumn<QString>("display");
    QTest::addColumn<bool>("favourite");
    QTest::addColumn<QString>("toolTip");
    QTest::newRow("no library") << QByteArray() << QString("Beta") << false << QString();
    QTest::newRow("a favourite") << QByteArray("[Favourites]\nb=1\n") << QString("\u2605 Beta")
                                 << true << QString();
    QTest::newRow("taken back") << QByteArray("[Favourites]\nb=0\na=1\n") << QString("Beta")
                                << false << QString();
    QTest::newRow("played") << QByteArray("[Played]\nb=2,90,100\n") << QString("Beta") << false
                            << GameLibrary::describe({2, 90, 100});
}

void tst_GameListModel::rolesOfARow() {
    QFETCH(QByteArray, library);
    QFETCH(QString, display);
    QFETCH(bool, favourite);
    QFETCH(QString, toolTip);
    TestAppFolder app;
    if (!library.isNull())
        app.write("library.ini", library);
    const GameLibrary read = GameLibrary::read(app.file("library.ini"));
    GameListModel model(read);
    model.setGames({{"a", "Alpha"}, {"b", "Beta"}});
    model.show({});
    const QModelIndex beta = model.index(1);
    QCOMPARE(beta.data(Qt::DisplayRole).toString(), display);
    QCOMPARE(beta.data(GameListModel::FavouriteRole).toBool(), favourite);
    QCOMPARE(beta.data(Qt::ToolTipRole).toString(), toolTip);
    QCOMPARE(beta.data(GameListModel::RomNameRole).toString(), QString("b"));
    QVERIFY(!model.index(2).data(Qt::DisplayRole).isValid());
}

void tst_GameListModel::viewsShowIndexesOfTheLoadedGames() {
    const GameLibrary library;
    GameListModel model(library);
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    model.setGames({{"c", "Zoo"}, {"a", "Apple"}, {"b", "Mango"}});
    QCOMPARE(model.rowCount(), 0); // loaded, not shown yet
    ViewChoices byTitle;
    byTitle.sortByTitle = true;
    model.show(byTitle);
    QCOMPARE(resets.count(), 1);
    QCOMPARE(model.rows().romName(0), QString("a"));
    QCOMPARE(model.rows().romName(2), QString("c"));
    ViewChoices found;
    found.query = "mango";
    model.show(found);
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.index(0).data().toString(), QString("Mango"));
    QCOMPARE(model.games().size(), 3);
}

QTEST_MAIN(tst_GameListModel)
#include "tst_GameListModel.moc"

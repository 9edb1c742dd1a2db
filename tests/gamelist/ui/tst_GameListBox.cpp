#include "gamelist/GameLibrary.h"
#include "gamelist/GameListModel.h"
#include "gamelist/ui/GameListBox.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

namespace {

// A list box over a model of games titled as given.
struct Box {
    GameLibrary library;
    GameListModel model{library};
    GameListBox box{&model};

    void setItems(const QStringList& titles) {
        QList<GameEntry> games;
        for (const QString& title : titles)
            games.append({title.toLower(), title});
        model.setGames(games);
        model.show({});
    }
};

} // namespace

// The list box's own contract, which the main window's fills and selections rely on.
class tst_GameListBox : public QObject {
    Q_OBJECT
private slots:
    void refillDropsTheCurrentRowSilently();
    void rowsOutsideTheListSelectNothing_data();
    void rowsOutsideTheListSelectNothing();
    void entriesCannotBeEdited();
    void doubleClickNamesTheRow();
};

void tst_GameListBox::refillDropsTheCurrentRowSilently() {
    Box list;
    GameListBox& box = list.box;
    list.setItems({"Alpha", "Beta"});
    QSignalSpy changed(&box, &GameListBox::currentRowChanged);
    box.setCurrentRow(0);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(box.currentRow(), 0);

    list.setItems({"Gamma", "Delta", "Epsilon"});
    QCOMPARE(changed.count(), 1); // the refill itself says nothing
    QCOMPARE(box.currentRow(), -1);
    QCOMPARE(box.count(), 3);
    QCOMPARE(box.itemText(2), QString("Epsilon"));
    // Row 0 again: current before the refill, and still a change after it.
    box.setCurrentRow(0);
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed.last().at(0).toInt(), 0);
    QVERIFY(box.selectionModel()->isRowSelected(0, {}));
}

void tst_GameListBox::rowsOutsideTheListSelectNothing_data() {
    QTest::addColumn<int>("row");
    QTest::newRow("-1") << -1;
    QTest::newRow("one past the end") << 2;
    QTest::newRow("far beyond") << 50000;
}

void tst_GameListBox::rowsOutsideTheListSelectNothing() {
    QFETCH(int, row);
    Box list;
    GameListBox& box = list.box;
    list.setItems({"Alpha", "Beta"});
    box.setCurrentRow(1);
    box.setCurrentRow(row);
    QCOMPARE(box.currentRow(), -1);
    QVERIFY(!box.selectionModel()->hasSelection());
    QCOMPARE(box.itemText(row), QString());
}

void tst_GameListBox::entriesCannotBeEdited() {
    Box list;
    GameListBox& box = list.box;
    list.setItems({"Alpha"});
    box.show();
    box.setCurrentRow(0);
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QTest::keyClick(&box, Qt::Key_F2);
    QTest::mouseDClick(box.windowHandle(), Qt::LeftButton, {},
                       box.viewport()->mapTo(&box, box.visualRowRect(0).center()));
    QVERIFY(!box.findChild<QLineEdit*>()); // no editor was opened
    QCOMPARE(box.itemText(0), QString("Alpha"));
}

void tst_GameListBox::doubleClickNamesTheRow() {
    Box list;
    GameListBox& box = list.box;
    list.setItems({"Alpha", "Beta", "Gamma"});
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QSignalSpy doubled(&box, &GameListBox::rowDoubleClicked);
    // Through the window system, as a user's double-click comes.
    const auto doubleClick = [&box](QPoint inViewport) {
        QTest::mouseDClick(box.windowHandle(), Qt::LeftButton, {},
                           box.viewport()->mapTo(&box, inViewport));
    };
    doubleClick(box.visualRowRect(2).center());
    QCOMPARE(doubled.count(), 1);
    QCOMPARE(doubled.first().at(0).toInt(), 2);
    QCOMPARE(box.currentRow(), 2);
    // Below the last entry there is no row to name.
    doubleClick(box.visualRowRect(2).center() + QPoint(0, 3 * box.visualRowRect(2).height()));
    QCOMPARE(doubled.count(), 1);
}

QTEST_MAIN(tst_GameListBox)
#include "tst_GameListBox.moc"

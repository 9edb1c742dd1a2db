#include "options/OptionTable.h"

#include <QtTest>

#include <stdexcept>

class tst_OptionTable : public QObject {
    Q_OBJECT
private slots:
    void rowsNumberedFromOne();
    void columnsByNumber_data();
    void columnsByNumber();
    void profileColumnsWritable();
    void outsideRowsThrow_data();
    void outsideRowsThrow();
    void fullTableRefusesRows();
    void clearEmpties();
};

namespace {
OptionRow sample(const QString& tag) {
    return {"-" + tag, tag + " caption", tag + " category", "0", tag + " default", {}, {}};
}
} // namespace

void tst_OptionTable::rowsNumberedFromOne() {
    OptionTable table;
    QCOMPARE(table.OptionCount(), qint16(0));
    QCOMPARE(table.append(sample("a")), 1);
    QCOMPARE(table.append(sample("b")), 2);
    QCOMPARE(table.OptionCount(), qint16(2));
    QCOMPARE(table.row(1).Switch, QString("-a"));
    QCOMPARE(table.row(2).Switch, QString("-b"));
}

void tst_OptionTable::columnsByNumber_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("expected");
    QTest::newRow("0 Switch") << 0 << "-s";
    QTest::newRow("1 Caption") << 1 << "cap";
    QTest::newRow("2 Category") << 2 << "cat";
    QTest::newRow("3 Kind") << 3 << "1";
    QTest::newRow("4 Default") << 4 << "2";
    QTest::newRow("5 DefaultProfileValue") << 5 << "dp";
    QTest::newRow("6 GameValue") << 6 << "gv";
}

void tst_OptionTable::columnsByNumber() {
    QFETCH(int, column);
    QFETCH(QString, expected);
    OptionTable table;
    table.append({"-s", "cap", "cat", "1", "2", "dp", "gv"});
    QCOMPARE(table.cell(1, OptionTable::Column(column)), expected);
    QVERIFY(column < OptionTable::ColumnCount);
}

void tst_OptionTable::profileColumnsWritable() {
    OptionTable table;
    table.append(sample("a"));
    table.append(sample("b"));
    table.setCell(2, OptionTable::Column::DefaultProfileValue, "x");
    table.row(2).GameValue = "y";
    QCOMPARE(table.row(2).DefaultProfileValue, QString("x"));
    QCOMPARE(table.cell(2, OptionTable::Column::GameValue), QString("y"));
    QCOMPARE(table.row(1).DefaultProfileValue, QString());
    QCOMPARE(table.row(1).GameValue, QString());
}

void tst_OptionTable::outsideRowsThrow_data() {
    QTest::addColumn<int>("row");
    QTest::newRow("0") << 0;
    QTest::newRow("one past the end") << 3;
    QTest::newRow("negative") << -1;
}

void tst_OptionTable::outsideRowsThrow() {
    QFETCH(int, row);
    OptionTable table;
    table.append(sample("a"));
    table.append(sample("b"));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, table.row(row));
}

void tst_OptionTable::fullTableRefusesRows() {
    OptionTable table;
    for (int r = 1; r <= OptionTable::MaxRows; ++r)
        QCOMPARE(table.append(sample(QString::number(r))), r);
    QVERIFY(table.isFull());
    QCOMPARE(table.OptionCount(), qint16(32766));
    QCOMPARE(table.append(sample("over")), 0);
    QCOMPARE(table.OptionCount(), qint16(32766));
    QCOMPARE(table.row(32766).Switch, QString("-32766"));
}

void tst_OptionTable::clearEmpties() {
    OptionTable table;
    table.append(sample("a"));
    table.clear();
    QCOMPARE(table.OptionCount(), qint16(0));
    QCOMPARE(table.append(sample("b")), 1);
}

QTEST_APPLESS_MAIN(tst_OptionTable)
#include "tst_OptionTable.moc"

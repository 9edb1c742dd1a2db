#include "gamelist/ListFit.h"

#include <QtTest>

// Template sizes: the design-time window (list at 120, 4380 high; Launch at 4680) whose outer
// height is 5835 twips, and a line of text 270 twips high.
class tst_ListFit : public QObject {
    Q_OBJECT
private slots:
    void fit_data();
    void fit();
};

void tst_ListFit::fit_data() {
    QTest::addColumn<float>("outer");
    QTest::addColumn<int>("entries");
    QTest::addColumn<float>("screen");
    QTest::addColumn<bool>("grows");
    QTest::addColumn<float>("listHeight");
    QTest::addColumn<float>("newOuter");
    QTest::addColumn<float>("launchTop");
    QTest::newRow("no entries") << 5835.f << 0 << 20000.f << false << 4380.f << 5835.f << 4680.f;
    QTest::newRow("ten entries fit") << 5835.f << 10 << 20000.f << false << 4380.f << 5835.f << 4680.f;
    // 16 lines need 4320, 17 need 4590: growth starts past the list's own height.
    QTest::newRow("sixteen entries still fit") << 5835.f << 16 << 20000.f << false << 4380.f << 5835.f << 4680.f;
    QTest::newRow("seventeen entries grow")
        << 5835.f << 17 << 20000.f << true << 4819.5f << 6094.5f << 4939.5f;
    QTest::newRow("forty entries: 1.05 x 40 lines")
        << 5835.f << 40 << 20000.f << true << 11340.f << 12615.f << 11460.f;
    QTest::newRow("forty entries on a small screen stop at its height")
        << 5835.f << 40 << 9000.f << true << 7725.f << 9000.f << 7845.f;
    QTest::newRow("45,000 entries stop at the screen")
        << 5835.f << 45000 << 15360.f << true << 14085.f << 15360.f << 14205.f;
    // The list then only takes the room down to the Launch button, as any grown list does.
    QTest::newRow("screen lower than the window: nothing shrinks")
        << 5835.f << 40 << 3000.f << true << 4560.f << 5835.f << 4680.f;
}

void tst_ListFit::fit() {
    QFETCH(float, outer);
    QFETCH(int, entries);
    QFETCH(float, screen);
    QFETCH(bool, grows);
    QFETCH(float, listHeight);
    QFETCH(float, newOuter);
    QFETCH(float, launchTop);
    const ListFit fit = FitListToEntries({outer, 4680.f, 120.f, 4380.f, entries, 270.f, screen});
    QCOMPARE(fit.grows, grows);
    QVERIFY2(qAbs(fit.listHeight - listHeight) < 0.01f, qPrintable(QString::number(fit.listHeight)));
    QVERIFY2(qAbs(fit.outerHeight - newOuter) < 0.01f, qPrintable(QString::number(fit.outerHeight)));
    QVERIFY2(qAbs(fit.launchTop - launchTop) < 0.01f, qPrintable(QString::number(fit.launchTop)));
    // The Launch button keeps its distance from the window's bottom edge.
    QCOMPARE(fit.outerHeight - fit.launchTop, outer - 4680.f);
}

QTEST_GUILESS_MAIN(tst_ListFit)
#include "tst_ListFit.moc"

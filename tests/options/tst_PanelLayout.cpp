#include "options/PanelLayout.h"

#include <QtTest>

using Options::RowSize;

namespace {

// The label template's size: every caption in these cases is one line of 195 twips.
RowSize text(double labelWidth = 630) { return {OptionKind::Text, labelWidth, 195}; }
RowSize list(double labelWidth = 630) { return {OptionKind::List, labelWidth, 195}; }
RowSize check() { return {OptionKind::Check, 0, 0}; }

using Categories = std::vector<std::vector<RowSize>>;

QList<double> frameTops(const Options::PanelPlaces& p) {
    QList<double> tops;
    for (const auto& f : p.frames)
        tops << f.top;
    return tops;
}

QList<double> frameHeights(const Options::PanelPlaces& p) {
    QList<double> heights;
    for (const auto& f : p.frames)
        heights << f.height;
    return heights;
}

} // namespace

class tst_PanelLayout : public QObject {
    Q_OBJECT
private slots:
    void threeTextRows();
    void frames_data();
    void frames();
    void rowKinds();
    void longCaptionPushesControl();
    void windowFit_data();
    void windowFit();
};

void tst_PanelLayout::threeTextRows() {
    const Options::PanelPlaces p = Options::LayOutPanel({}, Categories{{text(), text(), text()}});
    QCOMPARE(p.frames.size(), size_t(1));
    const auto& rows = p.frames[0].rows;
    QCOMPARE(rows[0].controlTop, 200.0);
    QCOMPARE(rows[1].controlTop, 645.0);
    QCOMPARE(rows[2].controlTop, 1090.0);
    QCOMPARE(rows[0].labelTop, 275.0);
    QCOMPARE(rows[1].labelTop, 720.0);
    QCOMPARE(rows[2].labelTop, 1165.0);
    QCOMPARE(p.frames[0].top, 120.0);
    QCOMPARE(p.frames[0].height, 1535.0);
    QCOMPARE(p.bottom, 1655.0);
}

void tst_PanelLayout::frames_data() {
    QTest::addColumn<Categories>("categories");
    QTest::addColumn<QList<double>>("tops");
    QTest::addColumn<QList<double>>("heights");
    QTest::addColumn<double>("bottom");
    QTest::newRow("one empty category") << Categories{{}} << QList<double>{120}
                                        << QList<double>{200} << 320.0;
    QTest::newRow("2 and 1 text options")
        << Categories{{text(), text()}, {text()}} << QList<double>{120, 1290}
        << QList<double>{1090, 645} << 1935.0;
    QTest::newRow("empty first category, options in the second")
        << Categories{{}, {check(), text()}} << QList<double>{120, 400}
        << QList<double>{200, 1090} << 1490.0;
    QTest::newRow("third and later frames 80 below")
        << Categories{{text()}, {}, {list()}, {check()}} << QList<double>{120, 845, 1125, 1820}
        << QList<double>{645, 200, 615, 645} << 2465.0;
    QTest::newRow("last frame empty still ends the panel")
        << Categories{{text(), text(), text()}, {}} << QList<double>{120, 1735}
        << QList<double>{1535, 200} << 1935.0;
}

void tst_PanelLayout::frames() {
    QFETCH(Categories, categories);
    QFETCH(QList<double>, tops);
    QFETCH(QList<double>, heights);
    QFETCH(double, bottom);
    const Options::PanelPlaces p = Options::LayOutPanel({}, categories);
    QCOMPARE(frameTops(p), tops);
    QCOMPARE(frameHeights(p), heights);
    QCOMPARE(p.bottom, bottom);
}

void tst_PanelLayout::rowKinds() {
    const Options::PanelPlaces p =
        Options::LayOutPanel({}, Categories{{text(630), list(630), check(), list(900)}});
    const auto& r = p.frames[0].rows;
    // Text and check rows advance by 445, list rows by 415.
    QCOMPARE(r[1].controlTop, 645.0);
    QCOMPARE(r[2].controlTop, 1060.0);
    QCOMPARE(r[3].controlTop, 1505.0);
    QCOMPARE(p.frames[0].height, 1920.0);
    // A label sits 75 below a text box's top and 60 below a list's.
    QCOMPARE(r[0].labelTop - r[0].controlTop, 75.0);
    QCOMPARE(r[1].labelTop - r[1].controlTop, 60.0);
    QCOMPARE(r[0].labelLeft, 120.0);
    QCOMPARE(r[0].controlLeft, 850.0);
    QCOMPARE(r[1].controlLeft, 850.0);
    QCOMPARE(r[2].controlLeft, 120.0);
    QCOMPARE(r[3].controlLeft, 1120.0);
}

void tst_PanelLayout::longCaptionPushesControl() {
    Options::PanelMetrics m;
    m.labelLeft = 150;
    m.textHeight = 400;
    const Options::PanelPlaces p = Options::LayOutPanel(m, Categories{{{OptionKind::Text, 5000, 390}}});
    const auto& row = p.frames[0].rows[0];
    QCOMPARE(row.controlLeft, 5250.0); // past the frame's 3615-twip width
    QCOMPARE(row.labelTop, 200.0 + 200 - 195);
    QCOMPARE(p.frames[0].height, 700.0);
}

void tst_PanelLayout::windowFit_data() {
    QTest::addColumn<double>("panelBottom");
    QTest::addColumn<double>("outer");
    QTest::addColumn<double>("launchTop");
    QTest::addColumn<double>("readBack");
    QTest::addColumn<bool>("grows");
    QTest::addColumn<bool>("stopped");
    QTest::addColumn<double>("askedFor");
    QTest::addColumn<double>("buttonsTop");
    // Outer height 5445 as designed: client 5145 plus 300 of menu bar and frame. The buttons'
    // designed top is 4680, and the screen allows 15000.
    QTest::newRow("panel above the buttons: they move up")
        << 1655.0 << 5445.0 << 4680.0 << 5445.0 << false << false << 5445.0 << 1655.0;
    QTest::newRow("empty panel")
        << 320.0 << 5445.0 << 4680.0 << 5445.0 << false << false << 5445.0 << 320.0;
    QTest::newRow("panel ends at the buttons' top")
        << 4680.0 << 5445.0 << 4680.0 << 5445.0 << false << false << 5445.0 << 4680.0;
    QTest::newRow("panel below the buttons: window grows by the difference")
        << 6000.0 << 5445.0 << 4680.0 << 6765.0 << true << false << 6765.0 << 6000.0;
    QTest::newRow("grown window rounded to whole pixels")
        << 5000.5 << 5445.0 << 4680.0 << 5775.0 << true << false << 5765.5 << 5010.0;
    QTest::newRow("list grew the window: the rule measures the profile buttons")
        << 6000.0 << 8000.0 << 7235.0 << 9320.0 << true << false << 9320.0 << 6000.0;
    QTest::newRow("screen stops the window: buttons at its bottom")
        << 90000.0 << 5445.0 << 4680.0 << 15000.0 << true << true << 90765.0 << 14235.0;
    QTest::newRow("screen stops a window the list grew: buttons in the bottom row")
        << 90000.0 << 8000.0 << 7235.0 << 15000.0 << true << true << 93320.0 << 14235.0;
}

void tst_PanelLayout::windowFit() {
    QFETCH(double, panelBottom);
    QFETCH(double, outer);
    QFETCH(double, launchTop);
    QFETCH(double, readBack);
    QFETCH(bool, grows);
    QFETCH(bool, stopped);
    QFETCH(double, askedFor);
    QFETCH(double, buttonsTop);
    const Options::WindowFit fit =
        Options::FitWindow(panelBottom, {outer, 15000.0, 4680.0, launchTop});
    QCOMPARE(fit.grows, grows);
    QCOMPARE(fit.stopped, stopped);
    QCOMPARE(fit.gap, outer - 4680);
    QCOMPARE(fit.outerHeight, askedFor);
    QCOMPARE(fit.buttonsTop(readBack), buttonsTop);
}

QTEST_APPLESS_MAIN(tst_PanelLayout)
#include "tst_PanelLayout.moc"

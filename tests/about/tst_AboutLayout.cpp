#include "about/AboutLayout.h"

#include <QtTest>

// The layout from measured sizes, fed the design's figures so that the results do not depend on
// the fonts installed. A line is 270 twips unless a row says otherwise.
class tst_AboutLayout : public QObject {
    Q_OBJECT
private slots:
    void layout_data();
    void layout();
    void buttonKeepsItsLeft_data();
    void buttonKeepsItsLeft();
};

namespace {
const QSizeF noPicture;
constexpr double inf = std::numeric_limits<double>::infinity();
} // namespace

void tst_AboutLayout::layout_data() {
    QTest::addColumn<QSizeF>("picture"); // invalid = no picture
    QTest::addColumn<double>("lineHeight");
    QTest::addColumn<double>("labelHeight");
    QTest::addColumn<QSizeF>("frame");
    QTest::addColumn<double>("maxOuterHeight");
    QTest::addColumn<QSizeF>("outer");
    QTest::addColumn<QSizeF>("client");
    QTest::addColumn<QRectF>("label");
    QTest::addColumn<QRectF>("ok");

    // Help text: the label keeps its designed 855. Without a picture the text starts one line
    // down and takes 0.95 of the designed picture width, centred: 5272.5 wide from 138.75.
    QTest::newRow("help text, no picture")
        << noPicture << 270.0 << 855.0 << QSizeF() << inf << QSizeF(5565, 2000)
        << QSizeF(5565, 2000) << QRectF(138.75, 270, 5272.5, 855) << QRectF(1800, 1125, 1935, 375);
    QTest::newRow("about file of 3 lines, no picture")
        << noPicture << 270.0 << 4 * 270.0 << QSizeF() << inf << QSizeF(5565, 2225)
        << QSizeF(5565, 2225) << QRectF(138.75, 270, 5272.5, 1080) << QRectF(1800, 1350, 1935, 375);
    QTest::newRow("about file ending in CR LF, no picture")
        << noPicture << 270.0 << 5 * 270.0 << QSizeF() << inf << QSizeF(5565, 2495)
        << QSizeF(5565, 2495) << QRectF(138.75, 270, 5272.5, 1350) << QRectF(1800, 1620, 1935, 375);
    QTest::newRow("taller line, no picture")
        << noPicture << 300.0 << 4 * 300.0 << QSizeF() << inf << QSizeF(5565, 2375)
        << QSizeF(5565, 2375) << QRectF(138.75, 300, 5272.5, 1200) << QRectF(1800, 1500, 1935, 375);
    QTest::newRow("picture 6000 wide")
        << QSizeF(6000, 1500) << 270.0 << 855.0 << QSizeF() << inf << QSizeF(6000, 3230)
        << QSizeF(6000, 3230) << QRectF(150, 1500, 5700, 855) << QRectF(1800, 2355, 1935, 375);
    QTest::newRow("picture 6000 wide, about file of 3 lines")
        << QSizeF(6000, 1500) << 270.0 << 1080.0 << QSizeF() << inf << QSizeF(6000, 3455)
        << QSizeF(6000, 3455) << QRectF(150, 1500, 5700, 1080) << QRectF(1800, 2580, 1935, 375);

    // Outer sizes include the frame: the client area is what is left inside it.
    QTest::newRow("framed, picture")
        << QSizeF(6000, 1500) << 270.0 << 855.0 << QSizeF(60, 300) << inf << QSizeF(6000, 3230)
        << QSizeF(5940, 2930) << QRectF(150, 1500, 5700, 855) << QRectF(1800, 2355, 1935, 375);
    QTest::newRow("framed, no picture keeps the designed client width")
        << noPicture << 270.0 << 855.0 << QSizeF(60, 300) << inf << QSizeF(5625, 2000)
        << QSizeF(5565, 1700) << QRectF(138.75, 270, 5272.5, 855) << QRectF(1800, 1125, 1935, 375);

    // The button would end below the client area (its bottom at outer - 500 lies under a frame
    // taller than 500); the client area grows to keep 120 below it.
    QTest::newRow("frame taller than the room below the button")
        << QSizeF(6000, 1500) << 270.0 << 855.0 << QSizeF(60, 600) << inf << QSizeF(6000, 3450)
        << QSizeF(5940, 2850) << QRectF(150, 1500, 5700, 855) << QRectF(1800, 2355, 1935, 375);
    // A picture narrower than the button's reach: the window is as wide as the picture, and
    // the button moves left to end 120 inside it, or narrows to the window with 120 each side.
    QTest::newRow("picture 200 x 50 pixels")
        << QSizeF(3000, 750) << 270.0 << 855.0 << QSizeF() << inf << QSizeF(3000, 2480)
        << QSizeF(3000, 2480) << QRectF(75, 750, 2850, 855) << QRectF(945, 1605, 1935, 375);
    QTest::newRow("framed picture 200 x 50 pixels")
        << QSizeF(3000, 750) << 270.0 << 855.0 << QSizeF(60, 300) << inf << QSizeF(3000, 2480)
        << QSizeF(2940, 2180) << QRectF(75, 750, 2850, 855) << QRectF(885, 1605, 1935, 375);
    QTest::newRow("picture narrower than the button")
        << QSizeF(1500, 750) << 270.0 << 855.0 << QSizeF() << inf << QSizeF(1500, 2480)
        << QSizeF(1500, 2480) << QRectF(37.5, 750, 1425, 855) << QRectF(120, 1605, 1260, 375);

    // A window taller than the screen stops at its height; the button moves up with the bottom
    // edge and the text is cut off at the button.
    QTest::newRow("taller than the screen")
        << noPicture << 270.0 << 30 * 270.0 << QSizeF(0, 300) << 3000.0 << QSizeF(5565, 3000)
        << QSizeF(5565, 2700) << QRectF(138.75, 270, 5272.5, 1855) << QRectF(1800, 2125, 1935, 375);
    QTest::newRow("exactly as tall as the screen")
        << noPicture << 270.0 << 855.0 << QSizeF() << 2000.0 << QSizeF(5565, 2000)
        << QSizeF(5565, 2000) << QRectF(138.75, 270, 5272.5, 855) << QRectF(1800, 1125, 1935, 375);
}

void tst_AboutLayout::layout() {
    QFETCH(QSizeF, picture);
    QFETCH(double, lineHeight);
    QFETCH(double, labelHeight);
    QFETCH(QSizeF, frame);
    QFETCH(double, maxOuterHeight);
    QFETCH(QSizeF, outer);
    QFETCH(QSizeF, client);
    QFETCH(QRectF, label);
    QFETCH(QRectF, ok);

    AboutMeasures m;
    if (picture.isValid())
        m.picture = picture;
    m.lineHeight = lineHeight;
    m.labelHeight = labelHeight;
    m.buttonHeight = 375;
    m.frame = frame.isValid() ? frame : QSizeF(0, 0);
    m.maxOuterHeight = maxOuterHeight;

    const AboutLayout l = LayOutAbout(m);
    QCOMPARE(QSizeF(l.outerWidth, l.outerHeight), outer);
    QCOMPARE(QSizeF(l.clientWidth, l.clientHeight), client);
    QCOMPARE(l.label, label);
    QCOMPARE(l.ok, ok);
    QCOMPARE(l.image, picture.isValid() ? QRectF(QPointF(0, 0), picture) : AboutDesign::image);
}

void tst_AboutLayout::buttonKeepsItsLeft_data() {
    QTest::addColumn<double>("pictureWidth");
    QTest::newRow("design width") << 5550.0;
    QTest::newRow("wide") << 12000.0;
    QTest::newRow("as far as the button reaches") << 3855.0;
}

void tst_AboutLayout::buttonKeepsItsLeft() {
    QFETCH(double, pictureWidth);
    AboutMeasures m;
    m.picture = QSizeF(pictureWidth, 900);
    m.lineHeight = 270;
    const AboutLayout l = LayOutAbout(m);
    QCOMPARE(l.ok.left(), 1800.0);
    QCOMPARE(l.outerWidth, pictureWidth);
    QCOMPARE(l.label.center().x(), pictureWidth / 2);
}

QTEST_APPLESS_MAIN(tst_AboutLayout)
#include "tst_AboutLayout.moc"

#include "pictures/ui/PictureDecoder.h"

#include <QBuffer>
#include <QImage>
#include <QtTest>

#include "PictureTestFiles.h"

namespace {

QByteArray encoded(const QSize& size, const char* format) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(40, 90, 200));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

} // namespace

class tst_PictureDecoder : public QObject {
    Q_OBJECT
private slots:
    void decode_data();
    void decode();
};

void tst_PictureDecoder::decode_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("box");
    QTest::addColumn<QSize>("shown");     // empty: refused
    QTest::addColumn<QString>("problem"); // a word of it

    const QSize pane(320, 329);
    const QByteArray png = encoded({640, 480}, "PNG");
    const QByteArray jpeg = encoded({640, 480}, "JPEG");
    QTest::newRow("PNG 640 x 480, fitted to the width") << png << pane << QSize(320, 240) << "";
    QTest::newRow("JPEG 640 x 480") << jpeg << pane << QSize(320, 240) << "";
    QTest::newRow("vertical game, fitted to the height")
        << encoded({224, 288}, "PNG") << pane << QSize(255, 329) << "";
    QTest::newRow("small snapshot, enlarged") << encoded({64, 48}, "PNG") << pane
                                              << QSize(320, 240) << "";
    QTest::newRow("BMP") << encoded({100, 50}, "BMP") << pane << QSize(320, 160) << "";
    QTest::newRow("exactly the box") << encoded({320, 329}, "PNG") << pane << QSize(320, 329)
                                     << "";
    QTest::newRow("one pixel") << encoded({1, 1}, "PNG") << pane << QSize(320, 320) << "";
    QTest::newRow("1000 x 1 keeps a row") << encoded({1000, 1}, "PNG") << pane << QSize(320, 1)
                                          << "";

    QTest::newRow("PNG of 20,000 x 20,000") << PictureTestFiles::PngHeaderOnly(20000, 20000)
                                            << pane << QSize() << "20000 x 20000 pixels";
    QTest::newRow("PNG wider than the side limit") << PictureTestFiles::PngHeaderOnly(9000, 10)
                                                   << pane << QSize() << "9000 x 10 pixels";
    QTest::newRow("PNG over the decoded limit")
        << PictureTestFiles::PngHeaderOnly(5000, 5000) << pane << QSize() << "5000 x 5000";
    QTest::newRow("PNG cut off") << png.left(png.size() / 2) << pane << QSize() << "cut off";
    QTest::newRow("JPEG cut off") << jpeg.left(jpeg.size() - 40) << pane << QSize()
                                  << "cut off";
    QTest::newRow("text named .png") << QByteArray("not a picture\n") << pane << QSize()
                                     << "cannot be shown";
    QTest::newRow("empty file") << QByteArray() << pane << QSize() << "cannot be shown";
    QByteArray corrupt = png;
    corrupt.replace(png.indexOf("IDAT") + 8, 16, QByteArray(16, '\x55'));
    QTest::newRow("PNG with damaged data") << corrupt << pane << QSize() << "cannot be shown";
}

void tst_PictureDecoder::decode() {
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, box);
    QFETCH(QSize, shown);
    QFETCH(QString, problem);
    const PictureDecoder::Result result = PictureDecoder::decode(bytes, box, PictureLimits());
    if (shown.isValid()) {
        QVERIFY2(result.problem.isEmpty(), qPrintable(result.problem));
        QCOMPARE(result.image.size(), shown);
    } else {
        QVERIFY(result.image.isNull());
        QVERIFY2(result.problem.contains(problem), qPrintable(result.problem));
    }
}

QTEST_GUILESS_MAIN(tst_PictureDecoder)
#include "tst_PictureDecoder.moc"

#include "pictures/PictureIntegrity.h"

#include <QtTest>

#include "PictureTestFiles.h"

using namespace PictureTestFiles;

class tst_PictureIntegrity : public QObject {
    Q_OBJECT
private slots:
    void damage_data();
    void damage();
};

void tst_PictureIntegrity::damage_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("damage"); // a word of the answer; empty: complete

    const QByteArray png = PngHeaderOnly(4, 3);
    const QByteArray idat = PngChunk("IDAT", QByteArray(100, 'x'));
    const QByteArray withData = png.left(png.size() - 12) + idat + png.right(12);
    QTest::newRow("PNG, header and end") << png << QString();
    QTest::newRow("PNG with data") << withData << QString();
    QTest::newRow("PNG, trailing bytes after the end") << withData + "junk" << QString();
    QTest::newRow("PNG cut inside its data") << withData.left(60) << "cut off";
    QTest::newRow("PNG cut before its end chunk") << withData.left(withData.size() - 12)
                                                  << "cut off";
    QTest::newRow("PNG, only the signature") << png.left(8) << "cut off";
    QByteArray hugeLength = withData;
    hugeLength[png.size() - 12] = char(0xff); // the IDAT length's first byte
    QTest::newRow("PNG chunk longer than the file") << hugeLength << "cut off";

    const QByteArray scan("\x12\x34\xff\x00\x56\xff\xd3\x78", 8); // a stuffed 0xFF, a restart
    QTest::newRow("JPEG, complete") << JpegSkeleton(scan, true) << QString();
    QTest::newRow("JPEG, fill bytes before the end")
        << JpegSkeleton(scan + "\xff\xff", true) << QString();
    QTest::newRow("JPEG, bytes after the end")
        << JpegSkeleton(scan, true) + "trailer" << QString();
    QTest::newRow("JPEG cut in its scan") << JpegSkeleton(scan, false) << "cut off";
    QTest::newRow("JPEG cut in a segment") << JpegSkeleton(scan, true).left(12) << "cut off";
    QTest::newRow("JPEG, only its start") << QByteArray("\xff\xd8\xff") << "cut off";
    QTest::newRow("JPEG, text after its start marker")
        << QByteArray("\xff\xd8\xff\xe0\x00\x04" "ab", 8) + "plain text" << "damaged";

    QTest::newRow("not a picture") << QByteArray("hello\n") << QString();
    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("GIF is left to the decoder") << QByteArray("GIF89a") << QString();
}

void tst_PictureIntegrity::damage() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, damage);
    const QString found = PictureIntegrity::damage(bytes);
    if (damage.isEmpty())
        QCOMPARE(found, QString());
    else
        QVERIFY2(found.contains(damage), qPrintable(found));
}

QTEST_APPLESS_MAIN(tst_PictureIntegrity)
#include "tst_PictureIntegrity.moc"

#include "gamelist/TextLines.h"

#include <QtTest>

// The byte functions cut outputs that are valid UTF-8 without decoding them; each must give
// the UTF-8 of what its text twin gives on the decoded text.
class tst_TextLines : public QObject {
    Q_OBJECT
private slots:
    void bytesCutAsTextIs_data();
    void bytesCutAsTextIs();
    void countLineEnds_data();
    void countLineEnds();
    void isAscii_data();
    void isAscii();
};

void tst_TextLines::bytesCutAsTextIs_data() {
    QTest::addColumn<QByteArray>("utf8");
    QTest::addColumn<int>("chars");
    const QByteArray mixed = "  caf\xC3\xA9 \xE4\xB8\xAD\xF0\x9D\x84\x9E x  ";
    for (int n : {-1, 0, 1, 2, 5, 6, 7, 8, 9, 10, 11, 12, 40})
        QTest::addRow("mixed, %d characters", n) << mixed << n;
    QTest::newRow("empty") << QByteArray() << 3;
    QTest::newRow("only blanks") << QByteArray("    ") << 2;
    QTest::newRow("tabs are no blanks") << QByteArray("\tab\t ") << 1;
    QTest::newRow("4-byte character first") << QByteArray("\xF0\x9F\x8E\xAE"
                                                          "game  x")
                                            << 1;
    QTest::newRow("U+FEFF first") << QByteArray("\xEF\xBB\xBF"
                                                "rom desc")
                                  << 4;
}

void tst_TextLines::bytesCutAsTextIs() {
    QFETCH(QByteArray, utf8);
    QFETCH(int, chars);
    const QString text = QString::fromUtf8(utf8.startsWith("\xEF\xBB\xBF") ? utf8.mid(3) : utf8);
    const QString decoded = utf8.startsWith("\xEF\xBB\xBF") ? QChar(0xFEFF) + text : text;
    QCOMPARE(decoded.toUtf8(), utf8); // the row is valid UTF-8 as written
    const auto same = [](QByteArrayView bytes, QStringView view) {
        return bytes.toByteArray() == view.toUtf8();
    };
    QVERIFY(same(LeftChars(QByteArrayView(utf8), chars), LeftChars(decoded, chars)));
    QVERIFY(same(AfterChars(QByteArrayView(utf8), chars), AfterChars(decoded, chars)));
    QVERIFY(same(TrimBlanks(LeftChars(QByteArrayView(utf8), chars)),
                 TrimBlanks(LeftChars(decoded, chars))));
    QVERIFY(same(TrimBlanks(AfterChars(QByteArrayView(utf8), chars)),
                 TrimBlanks(AfterChars(decoded, chars))));

    // The line readers split alike.
    const QByteArray lines = utf8 + "\r\n\r" + utf8 + "\n\n" + utf8;
    const QString linesText = decoded + "\r\n\r" + decoded + "\n\n" + decoded;
    QList<QByteArray> fromBytes, fromText;
    ByteLineReader bytes(lines);
    for (QByteArrayView line; bytes.next(line);)
        fromBytes << line.toByteArray();
    TextLineReader texts(linesText);
    for (QStringView line; texts.next(line);)
        fromText << line.toUtf8();
    QCOMPARE(fromBytes, fromText);
}

void tst_TextLines::countLineEnds_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qsizetype>("ends");
    QTest::newRow("empty") << QByteArray() << qsizetype(0);
    QTest::newRow("no end") << QByteArray("abc") << qsizetype(0);
    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << qsizetype(2);
    QTest::newRow("LF") << QByteArray("a\nb\nc") << qsizetype(2);
    QTest::newRow("lone CR") << QByteArray("a\rb\r") << qsizetype(2);
    QTest::newRow("mixed") << QByteArray("a\r\n\n\r\rb\n\r") << qsizetype(6);
    QTest::newRow("LF CR is two") << QByteArray("\n\r") << qsizetype(2);
    QTest::newRow("CR at the very end") << QByteArray("a\r") << qsizetype(1);
    QTest::newRow("many CR only") << QByteArray("x\r").repeated(5000) << qsizetype(5000);
    QTest::newRow("many LF only") << QByteArray("x\n").repeated(5000) << qsizetype(5000);
}

void tst_TextLines::countLineEnds() {
    QFETCH(QByteArray, bytes);
    QFETCH(qsizetype, ends);
    QCOMPARE(CountLineEnds(bytes), ends);
    // The reader sees one line per end, and one more when the text does not end with one.
    qsizetype lines = 0;
    ByteLineReader reader(bytes);
    for (QByteArrayView line; reader.next(line);)
        ++lines;
    const bool endsWithEnd = bytes.endsWith('\n') || bytes.endsWith('\r');
    QCOMPARE(lines, ends + (bytes.isEmpty() || endsWithEnd ? 0 : 1));
}

void tst_TextLines::isAscii_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("ascii");
    QTest::newRow("empty") << QByteArray() << true;
    QTest::newRow("letters and controls") << QByteArray("ab\x01\x7F") << true;
    QTest::newRow("nul") << QByteArray("a\0b", 3) << true;
    QTest::newRow("UTF-8") << QByteArray("caf\xC3\xA9") << false;
    QTest::newRow("8-bit last") << QByteArray("abc\x80") << false;
    QTest::newRow("8-bit first") << QByteArray("\xFF"
                                               "abc")
                                 << false;
}

void tst_TextLines::isAscii() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, ascii);
    QCOMPARE(IsAscii(bytes), ascii);
}

QTEST_APPLESS_MAIN(tst_TextLines)
#include "tst_TextLines.moc"

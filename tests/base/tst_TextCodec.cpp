#include "base/TextCodec.h"

#include <QtTest>

class tst_TextCodec : public QObject {
    Q_OBJECT
private slots:
    void decode_data();
    void decode();
};

void tst_TextCodec::decode_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii") << QByteArray("abc\r\n") << "abc\r\n";
    QTest::newRow("utf-8") << QByteArray("caf\xC3\xA9") << QString::fromUtf8("café");
    QTest::newRow("bom dropped") << QByteArray("\xEF\xBB\xBFx") << "x";
    QTest::newRow("inner U+FEFF kept") << QByteArray("a\n\xEF\xBB\xBFx") << QString::fromUtf16(u"a\n\uFEFFx");
    QTest::newRow("8-bit") << QByteArray("caf\xE9") << QString::fromLatin1("caf\xE9");
    // A sequence cut at the very end is not UTF-8 either: every byte stays a character.
    QTest::newRow("cut at end") << QByteArray("ab\xC3") << QString::fromLatin1("ab\xC3");
    QTest::newRow("overlong") << QByteArray("\xC0\xAF") << QString::fromLatin1("\xC0\xAF");
    QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << QString::fromLatin1("\xED\xA0\x80");
    QTest::newRow("nul kept") << QByteArray("a\0b", 3) << QString::fromLatin1("a\0b", 3);
    // Runs of ASCII are checked a word at a time: what follows a run, at any offset, counts.
    for (int run : {7, 8, 9, 15, 16, 17, 40}) {
        const QByteArray ascii(run, 'a');
        QTest::addRow("8-bit after %d ASCII", run)
            << ascii + "\xE9" + "bcdefgh" << QString::fromLatin1(ascii + "\xE9" + "bcdefgh");
        QTest::addRow("UTF-8 after %d ASCII", run)
            << ascii + "\xC3\xA9" + "bcdefghij" << QString::fromUtf8(ascii + "\xC3\xA9" + "bcdefghij");
        QTest::addRow("cut sequence after %d ASCII", run)
            << ascii + "\xE4\xB8" << QString::fromLatin1(ascii + "\xE4\xB8");
    }
}

void tst_TextCodec::decode() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(DecodeText(bytes), text);
    QCOMPARE(IsValidUtf8(bytes), DecodeText(bytes).toUtf8() == (bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes));
}

QTEST_APPLESS_MAIN(tst_TextCodec)
#include "tst_TextCodec.moc"

#include "about/AboutText.h"

#include <QDir>
#include <QtTest>

#include "common/TestAppFolder.h"

class tst_AboutText : public QObject {
    Q_OBJECT
private slots:
    void lineCount_data();
    void lineCount();
    void labelHeight_data();
    void labelHeight();
    void forDisplay_data();
    void forDisplay();
    void read_data();
    void read();
    void readMissing();
    void readFolder();
};

void tst_AboutText::lineCount_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<qsizetype>("lines");
    QTest::newRow("empty") << "" << qsizetype(0);
    QTest::newRow("one line") << "Demo Emulator" << qsizetype(1);
    QTest::newRow("three lines, CR LF") << "one\r\ntwo\r\nthree" << qsizetype(3);
    QTest::newRow("trailing CR LF starts an empty line") << "one\r\ntwo\r\nthree\r\n"
                                                         << qsizetype(4);
    QTest::newRow("LF") << "one\ntwo\nthree" << qsizetype(3);
    QTest::newRow("lone CR") << "one\rtwo" << qsizetype(2);
    QTest::newRow("only CR LF") << "\r\n" << qsizetype(2);
    QTest::newRow("CR then CR LF") << "one\r\r\ntwo" << qsizetype(3);
    QTest::newRow("LF then CR") << "one\n\rtwo" << qsizetype(3);
    QTest::newRow("blank lines count") << "one\r\n\r\n\r\ntwo" << qsizetype(4);
}

void tst_AboutText::lineCount() {
    QFETCH(QString, text);
    QFETCH(qsizetype, lines);
    QCOMPARE(AboutText::LineCount(text), lines);
}

void tst_AboutText::labelHeight_data() {
    QTest::addColumn<qsizetype>("lines");
    QTest::addColumn<double>("lineHeight");
    QTest::addColumn<double>("height");
    QTest::newRow("three lines") << qsizetype(3) << 270.0 << 1080.0;
    QTest::newRow("four lines") << qsizetype(4) << 270.0 << 1350.0;
    QTest::newRow("empty file") << qsizetype(0) << 270.0 << 270.0;
    QTest::newRow("other line height") << qsizetype(3) << 255.0 << 1020.0;
}

void tst_AboutText::labelHeight() {
    QFETCH(qsizetype, lines);
    QFETCH(double, lineHeight);
    QFETCH(double, height);
    QCOMPARE(AboutText::LabelHeight(lines, lineHeight), height);
}

void tst_AboutText::forDisplay_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("CR LF") << "one\r\ntwo\r\n"
                           << "one\ntwo\n";
    QTest::newRow("lone CR") << "one\rtwo"
                             << "one\ntwo";
    QTest::newRow("CR then CR LF") << "one\r\r\ntwo"
                                   << "one\n\ntwo";
    QTest::newRow("LF stays") << "one\ntwo"
                              << "one\ntwo";
    QTest::newRow("markup stays text") << "<b>x</b> & y"
                                       << "<b>x</b> & y";
}

void tst_AboutText::forDisplay() {
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(AboutText::ForDisplay(text), shown);
}

void tst_AboutText::read_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("ASCII, CR LF kept")
        << QByteArray("Demo\r\nEmulator\r\n") << "Demo\r\nEmulator\r\n";
    QTest::newRow("empty file") << QByteArray() << "";
    QTest::newRow("UTF-8") << QByteArray("Caf\xc3\xa9 \xe2\x80\x94 ok")
                           << QString::fromUtf8("Café — ok");
    QTest::newRow("UTF-8 byte-order mark dropped") << QByteArray("\xef\xbb\xbfHello") << "Hello";
    QTest::newRow("8-bit code page read byte by byte")
        << QByteArray("Caf\xe9 \xa9 1999") << QString::fromUtf8("Café © 1999");
}

void tst_AboutText::read() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    TestAppFolder app;
    app.write("dovrel/about.txt", bytes);
    const std::optional<QString> read = AboutText::Read(app.file("dovrel/about.txt"));
    QVERIFY(read.has_value());
    QCOMPARE(*read, text);
}

void tst_AboutText::readMissing() {
    TestAppFolder app;
    QVERIFY(!AboutText::Read(app.file("dovrel/about.txt")).has_value());
}

void tst_AboutText::readFolder() {
    TestAppFolder app;
    QVERIFY(QDir().mkpath(app.file("dovrel/about.txt")));
    QVERIFY(!AboutText::Read(app.file("dovrel/about.txt")).has_value());
}

QTEST_APPLESS_MAIN(tst_AboutText)
#include "tst_AboutText.moc"

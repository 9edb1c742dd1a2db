#include "base/Numeric.h"

#include <QtTest>

class tst_Numeric : public QObject {
    Q_OBJECT
private slots:
    void numericValue_data();
    void numericValue();
    void roundHalfEven_data();
    void roundHalfEven();
    void toInt16_data();
    void toInt16();
};

void tst_Numeric::numericValue_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("word") << "abc" << 0.0;
    QTest::newRow("integer") << "3" << 3.0;
    QTest::newRow("stops at letter") << "12ab" << 12.0;
    QTest::newRow("blanks inside skipped") << " 1 2\t3\n" << 123.0;
    QTest::newRow("negative") << "-4" << -4.0;
    QTest::newRow("fraction") << "2.5" << 2.5;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("exponent") << "1e3" << 1000.0;
    QTest::newRow("hex") << "&H1F" << 31.0;
    QTest::newRow("hex 16-bit negative") << "&HFFFF" << -1.0;
    QTest::newRow("octal") << "&O17" << 15.0;
    QTest::newRow("second point stops") << "1.2.3" << 1.2;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("huge stays finite") << QString(400, u'9') << 0.0;
}

void tst_Numeric::numericValue() {
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(NumericValue(text), expected);
}

void tst_Numeric::roundHalfEven_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");
    QTest::newRow("0.5") << 0.5 << 0.0;
    QTest::newRow("1.5") << 1.5 << 2.0;
    QTest::newRow("2.5") << 2.5 << 2.0;
    QTest::newRow("2.6") << 2.6 << 3.0;
    QTest::newRow("-0.5") << -0.5 << 0.0;
    QTest::newRow("-1.5") << -1.5 << -2.0;
    QTest::newRow("-2.5") << -2.5 << -2.0;
}

void tst_Numeric::roundHalfEven() {
    QFETCH(double, value);
    QFETCH(double, expected);
    QCOMPARE(RoundHalfEven(value), expected);
}

void tst_Numeric::toInt16_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected"); // -99999 for "not a 16-bit number"
    QTest::newRow("plain") << "12" << 12;
    QTest::newRow("blanks and sign") << "  -7 " << -7;
    QTest::newRow("plus") << "+3" << 3;
    QTest::newRow("1.5 to even") << "1.5" << 2;
    QTest::newRow("2.5 to even") << "2.5" << 2;
    QTest::newRow("max") << "32767" << 32767;
    QTest::newRow("min") << "-32768" << -32768;
    QTest::newRow("too big") << "32768" << -99999;
    QTest::newRow("too small") << "-32769" << -99999;
    QTest::newRow("empty") << "" << -99999;
    QTest::newRow("word") << "yes" << -99999;
    QTest::newRow("trailing junk") << "1x" << -99999;
    QTest::newRow("hex not accepted") << "&H10" << -99999;
}

void tst_Numeric::toInt16() {
    QFETCH(QString, text);
    QFETCH(int, expected);
    const auto value = ToInt16(text);
    QCOMPARE(value ? int(*value) : -99999, expected);
}

QTEST_APPLESS_MAIN(tst_Numeric)
#include "tst_Numeric.moc"

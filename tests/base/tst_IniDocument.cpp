#include "base/Ini.h"
#include "base/IniDocument.h"

#include <QtTest>

#include "common/TestAppFolder.h"

// Reader and writer rules on bytes in memory; no disk except the golden files.
class tst_IniDocument : public QObject {
    Q_OBJECT
private slots:
    void lookup_data();
    void lookup();
    void valueLimitAndTrim_data();
    void valueLimitAndTrim();
    void golden_data();
    void golden();
    void refusesWhatCannotBeReadBack_data();
    void refusesWhatCannotBeReadBack();
    void manyWritesEqualSingleWrites();
};

static QString readFrom(const QByteArray& bytes, const QString& section, const QString& key) {
    return IniResult(IniDocument::fromBytes(bytes).value(section, key).value_or(QString()));
}

void tst_IniDocument::lookup_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QByteArray basic = "[Parse]\nExeName=emu\n[Settings]\nRomExt=.7z\n";
    QTest::newRow("plain") << basic << "Settings" << "RomExt" << ".7z";
    QTest::newRow("missing section") << basic << "Nope" << "RomExt" << "";
    QTest::newRow("missing key") << basic << "Settings" << "Nope" << "";
    QTest::newRow("key in other section") << basic << "Parse" << "RomExt" << "";
    QTest::newRow("empty file") << QByteArray() << "Parse" << "ExeName" << "";
    QTest::newRow("nothing after equals") << QByteArray("[a]\nk=\n") << "a" << "k" << "";
    QTest::newRow("blanks around two words")
        << QByteArray("[a]\nk=   two words   \n") << "a" << "k" << "two words";
    QTest::newRow("bars kept") << QByteArray("[a]\nopt1=-b=|B|1|x|y|2\n") << "a" << "opt1"
                               << "-b=|B|1|x|y|2";
    QTest::newRow("case-insensitive key")
        << QByteArray("[a]\nROMPATH=x\n") << "a" << "RomPath" << "x";
    QTest::newRow("case-insensitive section")
        << QByteArray("[SETTINGS]\nk=x\n") << "settings" << "k" << "x";
    QTest::newRow("asked with trailing blank")
        << QByteArray("[Player 1]\nup=Up Arrow\n") << "Player 1" << "up " << "Up Arrow";
    QTest::newRow("blanks around names in file")
        << QByteArray("[  Player 1 ]\n  up   = x\n") << "Player 1" << "up" << "x";
    QTest::newRow("double quotes") << QByteArray("[a]\nk=\"a b\"\n") << "a" << "k" << "a b";
    QTest::newRow("single quotes") << QByteArray("[a]\nk='a b'\n") << "a" << "k" << "a b";
    QTest::newRow("quoted blanks trimmed after")
        << QByteArray("[a]\nk=\"  x  \"\n") << "a" << "k" << "x";
    QTest::newRow("mismatched quotes kept")
        << QByteArray("[a]\nk=\"a b'\n") << "a" << "k" << "\"a b'";
    QTest::newRow("inner quotes kept") << QByteArray("[a]\nk=a \"b\" c\n") << "a" << "k"
                                       << "a \"b\" c";
    QTest::newRow("first key wins") << QByteArray("[a]\nk=1\nk=2\n") << "a" << "k" << "1";
    QTest::newRow("first section wins")
        << QByteArray("[a]\nx=1\n[b]\n[a]\nk=2\n") << "a" << "k" << "";
    QTest::newRow("more equals in value") << QByteArray("[a]\nk=x=y\n") << "a" << "k" << "x=y";
    QTest::newRow("key before any section") << QByteArray("k=1\n[a]\n") << "a" << "k" << "";
    QTest::newRow("crlf") << QByteArray("[a]\r\nk=1\r\n") << "a" << "k" << "1";
    QTest::newRow("lone cr") << QByteArray("[a]\rk=1\r") << "a" << "k" << "1";
    QTest::newRow("mixed endings") << QByteArray("[a]\r\nj=0\rk=1\n") << "a" << "k" << "1";
    QTest::newRow("bom") << QByteArray("\xEF\xBB\xBF[a]\nk=1\n") << "a" << "k" << "1";
    QTest::newRow("latin1 value") << QByteArray("[a]\nk=caf\xE9\n") << "a" << "k"
                                  << QString::fromUtf8("café");
    QTest::newRow("utf8 value") << QByteArray("[a]\nk=caf\xC3\xA9\n") << "a" << "k"
                                << QString::fromUtf8("café");
    QTest::newRow("tab kept by final trim")
        << QByteArray("[a]\nk=\"\tx \"\n") << "a" << "k" << "\tx";
    QTest::newRow("section text after bracket")
        << QByteArray("[a] ; note\nk=1\n") << "a" << "k" << "1";
    QTest::newRow("nul inside a line") << QByteArray("[a]\nk=1\0x\n", 10) << "a" << "k"
                                       << QString::fromUtf8("1\0x", 3);
}

void tst_IniDocument::lookup() {
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    QCOMPARE(readFrom(file, section, key), expected);
}

void tst_IniDocument::valueLimitAndTrim_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("expected");
    const QString long3000 = QString(2490, u'a') + QString(510, u'b');
    QTest::newRow("3000 characters") << long3000 << long3000.left(2499);
    QTest::newRow("cut lands in blanks")
        << QString(2497, u'a') + QString(10, u' ') + u'z' << QString(2497, u'a');
    QTest::newRow("exactly 2499") << QString(2499, u'x') << QString(2499, u'x');
    // A character outside the basic plane is never split at the limit.
    QTest::newRow("no split surrogate")
        << QString(2498, u'a') + QString::fromUtf8("\xF0\x9F\x98\x80") << QString(2498, u'a');
}

void tst_IniDocument::valueLimitAndTrim() {
    QFETCH(QString, stored);
    QFETCH(QString, expected);
    QCOMPARE(readFrom("[a]\nk=" + stored.toUtf8() + "\n", "a", "k"), expected);
}

void tst_IniDocument::golden_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("update in place, other lines kept")
        << "update-in-place" << "settings" << "SHOWCONFIG" << "1";
    QTest::newRow("missing section appended") << "append-section" << "Settings" << "RomPath"
                                              << "/games/roms/";
    QTest::newRow("missing key at the end of its section")
        << "append-key-mid" << "A" << " z " << " spaced ";
    QTest::newRow("bom kept, ending completed") << "bom-no-final-eol" << "A" << "new" << "1";
    QTest::newRow("8-bit file stays 8-bit") << "latin1" << "A" << "key"
                                            << QString::fromUtf8("café");
    QTest::newRow("lone CR style kept") << "cr-only" << "a" << "k" << "2";
    QTest::newRow("new file") << "empty" << "New" << "key" << "value";
    QTest::newRow("first section's key updated")
        << "first-section-wins" << "sec" << "key" << "2";
}

void tst_IniDocument::golden() {
    QFETCH(QString, name);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    TestAppFolder app;
    app.write("f.ini", TestData("ini/" + name + ".in"));
    QVERIFY(WriteIni(app.file("f.ini"), section, key, value));
    QCOMPARE(app.read("f.ini"), TestData("ini/" + name + ".expected"));
    QCOMPARE(ReadIni(app.file("f.ini"), section, key), IniResult(IniText::unquote(value.trimmed())));
}

void tst_IniDocument::refusesWhatCannotBeReadBack_data() {
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("line feed in value") << "a" << "k" << "1\n[evil]\nx=1";
    QTest::newRow("carriage return in value") << "a" << "k" << "1\rx=2";
    QTest::newRow("line break in key") << "a" << "k\nx" << "1";
    QTest::newRow("line break in section") << "a\nb" << "k" << "1";
    QTest::newRow("bracket in section") << "a]b" << "k" << "1";
    QTest::newRow("equals in key") << "a" << "k=x" << "1";
    QTest::newRow("key opening a section") << "a" << " [k" << "1";
    QTest::newRow("8-bit file, character it cannot hold") << "a" << "k" << QString::fromUtf8("€");
}

void tst_IniDocument::refusesWhatCannotBeReadBack() {
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    const QByteArray before = "[a]\nk=caf\xE9\n"; // 8-bit text
    IniDocument doc = IniDocument::fromBytes(before);
    QVERIFY(!doc.set(section, key, value));
    QCOMPARE(doc.toBytes(), before);
}

void tst_IniDocument::manyWritesEqualSingleWrites() {
    const QByteArray start = "[Video]\r\nScale=2\r\n\r\n[Sound]\r\nVolume=80\r\n";
    const std::vector<IniEntry> entries = {
        {"Video", "Scale", "3"}, {"Sound", "Rate", "44100"}, {"Input", "Joy", "1"},
        {"video", "Filter", "crt"}, {"Input", "Joy", "0"}};
    TestAppFolder app;
    app.write("one.ini", start);
    app.write("many.ini", start);
    for (const IniEntry& e : entries)
        QVERIFY(WriteIni(app.file("one.ini"), e.section, e.key, e.value));
    QVERIFY(WriteIniEntries(app.file("many.ini"), entries));
    QCOMPARE(app.read("many.ini"), app.read("one.ini"));
    QCOMPARE(ReadIni(app.file("many.ini"), "VIDEO", "filter"), QString("crt"));
}

QTEST_APPLESS_MAIN(tst_IniDocument)
#include "tst_IniDocument.moc"

#include "options/OptionDefinition.h"

#include <QtTest>

Q_DECLARE_METATYPE(OptionKind)

class tst_OptionDefinition : public QObject {
    Q_OBJECT
private slots:
    void accepted_data();
    void accepted();
    void skipped_data();
    void skipped();
};

void tst_OptionDefinition::accepted_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("switchText");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<OptionKind>("kind");
    QTest::addColumn<QString>("defaultText");
    QTest::addColumn<QStringList>("choices");
    QTest::addColumn<int>("listIndex");
    QTest::addColumn<int>("checkState");

    const QStringList none;
    QTest::newRow("text") << "-a|Option A|0|10" << "-a" << "Option A" << OptionKind::Text << "10"
                          << none << -1 << 0;
    QTest::newRow("text, extra fields ignored")
        << "-a|A|0|def|more|and more" << "-a" << "A" << OptionKind::Text << "def" << none << -1 << 0;
    QTest::newRow("text, empty default") << "-a|A|0|" << "-a" << "A" << OptionKind::Text << ""
                                         << none << -1 << 0;
    QTest::newRow("blanks belong to fields")
        << " -a | A |0| 1 " << " -a " << " A " << OptionKind::Text << " 1 " << none << -1 << 0;
    QTest::newRow("list, second of three")
        << "-b=|Option B|1|one|two|three|2" << "-b=" << "Option B" << OptionKind::List << "2"
        << QStringList{"one", "two", "three"} << 1 << 0;
    QTest::newRow("list, fields 0 to 6") << "-l|L|1|a|b|c|3" << "-l" << "L" << OptionKind::List
                                         << "3" << QStringList{"a", "b", "c"} << 2 << 0;
    QTest::newRow("list, five fields: one choice")
        << "-l|L|1|only|1" << "-l" << "L" << OptionKind::List << "1" << QStringList{"only"} << 0
        << 0;
    QTest::newRow("list, default 0 selects nothing")
        << "-l|L|1|a|b|0" << "-l" << "L" << OptionKind::List << "0" << QStringList{"a", "b"} << -1
        << 0;
    QTest::newRow("list, default past the choices")
        << "-l|L|1|a|b|3" << "-l" << "L" << OptionKind::List << "3" << QStringList{"a", "b"} << -1
        << 0;
    QTest::newRow("list, negative default") << "-l|L|1|a|b|-1" << "-l" << "L" << OptionKind::List
                                            << "-1" << QStringList{"a", "b"} << -1 << 0;
    QTest::newRow("list, non-numeric default")
        << "-l|L|1|a|b|two" << "-l" << "L" << OptionKind::List << "two" << QStringList{"a", "b"}
        << -1 << 0;
    QTest::newRow("list, default 1.5 rounds to 2")
        << "-l|L|1|a|b|1.5" << "-l" << "L" << OptionKind::List << "1.5" << QStringList{"a", "b"}
        << 1 << 0;
    QTest::newRow("list, empty choice kept") << "-l|L|1||x|1" << "-l" << "L" << OptionKind::List
                                             << "1" << QStringList{"", "x"} << 0 << 0;
    QTest::newRow("list, four fields ending in 0: no choices")
        << "-x|Cap|1|0" << "-x" << "Cap" << OptionKind::List << "0" << none << -1 << 0;
    QTest::newRow("check ticked") << "-c|Option C|2|1" << "-c" << "Option C" << OptionKind::Check
                                  << "1" << none << -1 << 1;
    QTest::newRow("check greyed") << "-c|C|2|2" << "-c" << "C" << OptionKind::Check << "2" << none
                                  << -1 << 2;
    QTest::newRow("check, 2.5 rounds to 2") << "-c|C|2|2.5" << "-c" << "C" << OptionKind::Check
                                            << "2.5" << none << -1 << 2;
    QTest::newRow("check, 0.5 rounds to 0") << "-c|C|2|0.5" << "-c" << "C" << OptionKind::Check
                                            << "0.5" << none << -1 << 0;
    QTest::newRow("check, 3 unticks") << "-c|C|2|3" << "-c" << "C" << OptionKind::Check << "3"
                                      << none << -1 << 0;
    QTest::newRow("check, -1 unticks") << "-c|C|2|-1" << "-c" << "C" << OptionKind::Check << "-1"
                                       << none << -1 << 0;
    QTest::newRow("check, word unticks") << "-c|C|2|yes" << "-c" << "C" << OptionKind::Check
                                         << "yes" << none << -1 << 0;
    QTest::newRow("check, hex 1") << "-c|C|2|&H1" << "-c" << "C" << OptionKind::Check << "&H1"
                                  << none << -1 << 1;
}

void tst_OptionDefinition::accepted() {
    QFETCH(QString, text);
    QFETCH(QString, switchText);
    QFETCH(QString, caption);
    QFETCH(OptionKind, kind);
    QFETCH(QString, defaultText);
    QFETCH(QStringList, choices);
    QFETCH(int, listIndex);
    QFETCH(int, checkState);
    const std::optional<OptionDefinition> option = Options::ParseOptionDefinition(text);
    QVERIFY(option);
    QCOMPARE(option->Switch, switchText);
    QCOMPARE(option->Caption, caption);
    QCOMPARE(option->kind, kind);
    QCOMPARE(option->kindText, QString::number(int(kind)));
    QCOMPARE(option->Default, defaultText);
    QCOMPARE(option->choices, choices);
    QCOMPARE(option->listIndex, listIndex);
    QCOMPARE(option->checkState, checkState);
}

void tst_OptionDefinition::skipped_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("unknown kind") << "-a|A|3|x";
    QTest::newRow("kind with blank after") << "-a|A|0 |x";
    QTest::newRow("kind with blank before") << "-a|A| 1|x|1";
    QTest::newRow("kind written 00") << "-a|A|00|x";
    QTest::newRow("kind empty") << "-a|A||x";
    QTest::newRow("text, three fields") << "-a|A|0";
    QTest::newRow("check, three fields") << "-c|C|2";
    QTest::newRow("list, three fields") << "-l|L|1";
    QTest::newRow("list, four fields ending in 1") << "-l|L|1|1";
    QTest::newRow("list, four fields ending in a word") << "-l|L|1|one";
    QTest::newRow("list, four fields ending in 0.0") << "-l|L|1|0.0";
    QTest::newRow("two fields") << "-a|A";
    QTest::newRow("no bar") << "just text";
}

void tst_OptionDefinition::skipped() {
    QFETCH(QString, text);
    QVERIFY(!Options::ParseOptionDefinition(text));
}

QTEST_APPLESS_MAIN(tst_OptionDefinition)
#include "tst_OptionDefinition.moc"

#include "profiles/ProfilePaths.h"

#include <QtTest>

Q_DECLARE_METATYPE(FileNameRules)

class tst_ProfilePaths : public QObject {
    Q_OBJECT
private slots:
    void safeNames_data();
    void safeNames();
    void paths();
};

void tst_ProfilePaths::safeNames_data() {
    QTest::addColumn<QString>("rom");
    QTest::addColumn<FileNameRules>("rules");
    QTest::addColumn<bool>("safe");
    const auto posix = FileNameRules::Posix;
    const auto windows = FileNameRules::Windows;
    const auto mac = FileNameRules::MacOS;

    QTest::newRow("plain") << "pacman" << posix << true;
    QTest::newRow("blanks and dots") << "Super Game v1.2" << posix << true;
    QTest::newRow("three dots") << "..." << posix << true;
    QTest::newRow("empty") << "" << posix << true;
    QTest::newRow("dot") << "." << posix << false;
    QTest::newRow("dot dot") << ".." << posix << false;
    QTest::newRow("dot dot, windows") << ".." << windows << false;
    QTest::newRow("slash") << "a/b" << posix << false;
    QTest::newRow("parent path") << "../../x" << posix << false;
    QTest::newRow("absolute") << "/etc/passwd" << posix << false;
    QTest::newRow("slash, windows") << "a/b" << windows << false;
    QTest::newRow("slash, mac") << "a/b" << mac << false;
    QTest::newRow("nul") << QString("ab") + QChar(0) + "c" << posix << false;
    QTest::newRow("backslash is a name character here") << "a\\b" << posix << true;
    QTest::newRow("backslash, windows") << "a\\b" << windows << false;
    QTest::newRow("colon is a name character here") << "a:b" << posix << true;
    QTest::newRow("colon, windows") << "c:x" << windows << false;
    QTest::newRow("default") << "default" << posix << false;
    QTest::newRow("Default, posix") << "Default" << posix << true;
    QTest::newRow("Default, windows") << "Default" << windows << false;
    QTest::newRow("DEFAULT, mac") << "DEFAULT" << mac << false;
    QTest::newRow("defaults") << "defaults" << windows << true;
    QTest::newRow("con, windows") << "con" << windows << false;
    QTest::newRow("CON.x, windows") << "CON.x" << windows << false;
    QTest::newRow("com1 with blank, windows") << "com1 " << windows << false;
    QTest::newRow("LPT9, windows") << "LPT9" << windows << false;
    QTest::newRow("console, windows") << "console" << windows << true;
    QTest::newRow("con, posix") << "con" << posix << true;
    QTest::newRow("com10, windows") << "com10" << windows << true;
}

void tst_ProfilePaths::safeNames() {
    QFETCH(QString, rom);
    QFETCH(FileNameRules, rules);
    QFETCH(bool, safe);
    QCOMPARE(IsSafeRomName(rom, rules), safe);
    QCOMPARE(ProfilePaths::gameProfile("/app", rom, rules).has_value(), safe);
}

void tst_ProfilePaths::paths() {
    QCOMPARE(ProfilePaths::defaultProfile("/app"), QString("/app/dovrel/cfgs/default.ini"));
    // The name is used unchanged: no case change, no escaping.
    QCOMPARE(ProfilePaths::gameProfile("/app", "Big Game (v1.1)", FileNameRules::Posix).value(),
             QString("/app/dovrel/cfgs/Big Game (v1.1).ini"));
    QCOMPARE(ProfilePaths::gameProfile("/my app", "Default", FileNameRules::Posix).value(),
             QString("/my app/dovrel/cfgs/Default.ini"));
}

QTEST_GUILESS_MAIN(tst_ProfilePaths)
#include "tst_ProfilePaths.moc"

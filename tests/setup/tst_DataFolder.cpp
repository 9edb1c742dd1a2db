#include "setup/DataFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// Which folder holds dovrel/, by the rules --help states, on a temporary tree:
//   bin/ (the executable's folder), home/, cwd/, xdg/.
class tst_DataFolder : public QObject {
    Q_OBJECT
private slots:
    void chooses_data();
    void chooses();
    void needsSetup_data();
    void needsSetup();
};

void tst_DataFolder::chooses_data() {
    QTest::addColumn<QString>("named");    // --data, "@" standing for the tree's root
    QTest::addColumn<QString>("inBin");    // what bin/dovrel is: "", "folder" or "file"
    QTest::addColumn<QString>("xdg");      // XDG_DATA_HOME, "@" standing for the root
    QTest::addColumn<QString>("expected"); // below the root
    QTest::addColumn<int>("why");

    const int named = int(DataFolderChoice::Why::Named);
    const int portable = int(DataFolderChoice::Why::Portable);
    const int perUser = int(DataFolderChoice::Why::PerUser);
    QTest::newRow("--data absolute") << "@/games"
                                     << ""
                                     << ""
                                     << "games" << named;
    QTest::newRow("--data relative to the current folder") << "mine/x"
                                                           << ""
                                                           << ""
                                                           << "cwd/mine/x" << named;
    QTest::newRow("--data cleaned, no trailing separator") << "@/a/../games//"
                                                           << ""
                                                           << ""
                                                           << "games" << named;
    QTest::newRow("--data wins over a portable folder") << "@/games"
                                                        << "folder"
                                                        << ""
                                                        << "games" << named;
    QTest::newRow("portable: bin holds dovrel/") << ""
                                                 << "folder"
                                                 << "@/xdg"
                                                 << "bin" << portable;
    QTest::newRow("a file named dovrel is no portable folder")
        << ""
        << "file"
        << ""
        << "home/.local/share/tarvelin" << perUser;
    QTest::newRow("per user, XDG_DATA_HOME absolute") << ""
                                                      << ""
                                                      << "@/xdg"
                                                      << "xdg/tarvelin" << perUser;
    QTest::newRow("per user, XDG_DATA_HOME relative is ignored")
        << ""
        << ""
        << "xdg"
        << "home/.local/share/tarvelin" << perUser;
    QTest::newRow("per user, no XDG_DATA_HOME") << ""
                                                << ""
                                                << ""
                                                << "home/.local/share/tarvelin" << perUser;
}

void tst_DataFolder::chooses() {
    QFETCH(QString, named);
    QFETCH(QString, inBin);
    QFETCH(QString, xdg);
    QFETCH(QString, expected);
    QFETCH(int, why);

    QTemporaryDir tree;
    const QString root = tree.path();
    QDir(root).mkpath("bin");
    if (inBin == "folder")
        QDir(root).mkpath("bin/dovrel");
    if (inBin == "file") {
        QFile file(root + "/bin/dovrel");
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    named.replace("@", root);
    xdg.replace("@", root);

    const DataFolderChoice choice =
        ChooseDataFolder(named, root + "/bin", xdg, root + "/home", root + "/cwd");
    QCOMPARE(choice.folder, root + u'/' + expected);
    QCOMPARE(int(choice.why), why);
    QVERIFY(choice.explanation().startsWith(QDir::toNativeSeparators(choice.folder) + " ("));
    // Choosing creates nothing.
    QVERIFY(!QFileInfo::exists(choice.folder) || expected == "bin");
}

void tst_DataFolder::needsSetup_data() {
    QTest::addColumn<QString>("made"); // what the folder holds
    QTest::addColumn<bool>("needs");
    QTest::newRow("nothing, not even the folder") << "none" << true;
    QTest::newRow("an empty folder") << "empty" << true;
    QTest::newRow("dovrel/ without dovrel.ini") << "dovrel" << true;
    QTest::newRow("a folder named dovrel.ini") << "iniFolder" << true;
    QTest::newRow("dovrel/dovrel.ini, even empty") << "ini" << false;
}

void tst_DataFolder::needsSetup() {
    QFETCH(QString, made);
    QFETCH(bool, needs);
    QTemporaryDir tree;
    const QString folder = tree.path() + "/data";
    if (made != "none")
        QDir().mkpath(folder);
    if (made == "dovrel" || made == "ini")
        QDir().mkpath(folder + "/dovrel");
    if (made == "iniFolder")
        QDir().mkpath(folder + "/dovrel/dovrel.ini");
    if (made == "ini") {
        QFile ini(folder + "/dovrel/dovrel.ini");
        QVERIFY(ini.open(QIODevice::WriteOnly));
    }
    QCOMPARE(NeedsSetup(folder), needs);
}

QTEST_GUILESS_MAIN(tst_DataFolder)
#include "tst_DataFolder.moc"

#include "base/AppPaths.h"
#include "base/Ini.h"
#include "setup/DataFolder.h"
#include "setup/SystemSetup.h"
#include "systems/SystemList.h"

#include "common/TestAppFolder.h"

#include <QTest>

class tst_SystemList : public QObject {
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void writeShortensAndReadsBack();
    void presetsSideBySide();
    void folderAddedWhereItIs();
};

void tst_SystemList::parse_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QStringList>("listed"); // name=folder, in order
    QTest::addColumn<int>("warnings");
    QTest::addColumn<int>("current");
    const QByteArray two = "[Systems]\nCount=2\nName1=MAME\nFolder1=mame\nName2=Demo\nFolder2=.\n";
    QTest::newRow("two") << two << QStringList{"MAME=mame", "Demo=."} << 0 << 0;
    QTest::newRow("current by name, any case") << two + "Current=demo\n"
                                               << QStringList{"MAME=mame", "Demo=."} << 0 << 1;
    QTest::newRow("current unknown is the first") << two + "Current=Gone\n"
                                                  << QStringList{"MAME=mame", "Demo=."} << 0 << 0;
    QTest::newRow("folder not set up") << QByteArray("[Systems]\nCount=2\nName1=A\nFolder1=gone\n"
                                                     "Name2=B\nFolder2=mame\n")
                                       << QStringList{"B=mame"} << 1 << 0;
    QTest::newRow("same name twice") << QByteArray("[Systems]\nCount=2\nName1=A\nFolder1=mame\n"
                                                   "Name2=a\nFolder2=.\n")
                                     << QStringList{"A=mame"} << 1 << 0;
    QTest::newRow("no name, no folder, blanked")
        << QByteArray("[Systems]\nCount=3\nName1=\nFolder1=mame\nName2=B\nFolder2=\n"
                      "Name3=\nFolder3=\n")
        << QStringList{} << 2 << 0;
    QTest::newRow("beyond Count unread") << QByteArray("[Systems]\nCount=1\nName1=A\nFolder1=.\n"
                                                       "Name2=B\nFolder2=mame\n")
                                         << QStringList{"A=."} << 0 << 0;
    QTest::newRow("Count not a number") << QByteArray("[Systems]\nCount=x\nName1=A\nFolder1=.\n")
                                        << QStringList{} << 1 << 0;
    QTest::newRow("huge Count") << QByteArray("[Systems]\nCount=2147483647\nName1=A\nFolder1=.\n")
                                << QStringList{"A=."} << 0 << 0;
    QTest::newRow("empty") << QByteArray() << QStringList{} << 0 << 0;
}

void tst_SystemList::parse() {
    QFETCH(QByteArray, ini);
    QFETCH(QStringList, listed);
    QFETCH(int, warnings);
    QFETCH(int, current);
    const SystemListRead read = SystemLists::parse(ini, "/data", [](const QString& folder) {
        return folder == u"/data" || folder == u"/data/mame";
    });
    QStringList seen;
    for (const SystemEntry& system : read.list.systems)
        seen << system.name + u'=' + system.folder;
    QCOMPARE(seen, listed);
    QCOMPARE(read.warnings.size(), warnings);
    QCOMPARE(read.list.currentIndex(), current);
}

void tst_SystemList::writeShortensAndReadsBack() {
    TestAppFolder data;
    for (const char* folder : {"a", "b", "c"})
        data.write(QString::fromLatin1(folder) + "/dovrel/dovrel.ini", "[Parse]\n");
    SystemList list{{{"A", "a"}, {"B", "b"}, {"C", "c"}}, "B"};
    QVERIFY(SystemLists::write(data.path(), list));
    QCOMPARE(SystemLists::read(data.path()).list.systems, list.systems);
    list.systems.erase(list.systems.begin());
    QVERIFY(SystemLists::write(data.path(), list));
    const SystemListRead read = SystemLists::read(data.path());
    QCOMPARE(read.list.systems, list.systems);
    QVERIFY(read.warnings.isEmpty());
    QCOMPARE(read.list.currentIndex(), 0);
    // A system whose folder is not there now stays stored, behind the others, for its return.
    QVERIFY(QDir(data.file("c")).removeRecursively());
    QVERIFY(SystemLists::write(data.path(), SystemList{{{"B", "b"}}, {}}));
    QCOMPARE(SystemLists::read(data.path()).list.systems, (std::vector<SystemEntry>{{"B", "b"}}));
    data.write("c/dovrel/dovrel.ini", "[Parse]\n");
    QCOMPARE(SystemLists::read(data.path()).list.systems,
             (std::vector<SystemEntry>{{"B", "b"}, {"C", "c"}}));
    // A line break cannot be stored: the file stays as it was.
    const QByteArray before = data.read("dovrel/systems.ini");
    QVERIFY(!SystemLists::write(data.path(), SystemList{{{"X\nY", "a"}}, {}}));
    QCOMPARE(data.read("dovrel/systems.ini"), before);
}

namespace {

Preset presetFrom(const TestAppFolder& shipped, const QString& name, const QString& title) {
    shipped.write(name + "/dovrel.ini", "[Parse]\nWindowCaption=" + title.toUtf8() + "\n");
    shipped.write(name + "/cfgdef.ini", "[Categories]\nCount=0\n");
    return {name, title, shipped.file(name), name, "/usr/bin/" + name};
}

} // namespace

void tst_SystemList::presetsSideBySide() {
    TestAppFolder shipped;
    TestAppFolder data;
    const Preset mame = presetFrom(shipped, "mame", "MAME");
    const Preset scummvm = presetFrom(shipped, "scummvm", "ScummVM (adventures)");
    QVERIFY(NeedsSetup(data.path()));
    QString error;
    QVERIFY2(InstallPresets({mame, scummvm}, data.path(), &error), qPrintable(error));
    QVERIFY(!data.exists("dovrel/dovrel.ini"));
    QVERIFY(!NeedsSetup(data.path()));
    const SystemList list = SystemLists::read(data.path()).list;
    QCOMPARE(list.systems, (std::vector<SystemEntry>{{"MAME", "mame"}, {"ScummVM", "scummvm"}}));
    QCOMPARE(ReadIni(data.file("scummvm/dovrel/dovrel.ini"), "Parse", "ExeName"),
             "/usr/bin/scummvm");
    // The same preset again goes into a folder of its own under a name of its own.
    QCOMPARE(AddPresetSystem(mame, data.path(), &error), "MAME 2");
    QCOMPARE(SystemLists::read(data.path()).list.systems.back().folder, "mame-2");
}

void tst_SystemList::folderAddedWhereItIs() {
    TestAppFolder data;
    TestAppFolder portable;
    data.write("dovrel/dovrel.ini", "[Parse]\nWindowCaption=Old one\n");
    portable.write("dovrel/dovrel.ini", "[Parse]\nWindowCaption=Portable\n");
    QString error;
    QVERIFY(AddFolderSystem(data.path() + "/nothing", data.path(), &error).isEmpty());
    QVERIFY(error.contains("holds no dovrel/dovrel.ini"));
    QVERIFY(!SystemLists::exists(data.path()));
    QCOMPARE(AddFolderSystem(portable.path(), data.path(), &error), "Portable");
    QCOMPARE(SystemLists::read(data.path()).list.systems,
             (std::vector<SystemEntry>{{"Old one", "."}, {"Portable", portable.path()}}));
    QVERIFY(AddFolderSystem(portable.path(), data.path(), &error).isEmpty());
    QVERIFY(error.contains("listed already"));
    QVERIFY(!portable.exists("dovrel/systems.ini"));
}

QTEST_GUILESS_MAIN(tst_SystemList)
#include "tst_SystemList.moc"

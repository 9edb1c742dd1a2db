#include "base/Ini.h"
#include "common/FileFaults.h"
#include "options/MemoryPanelValues.h"
#include "options/OptionTable.h"
#include "profiles/ProfileFiles.h"
#include "profiles/ProfilePaths.h"
#include "profiles/Profiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QtTest>

#include "common/FakeDialogs.h"
#include "common/TestAppFolder.h"

namespace {

const QString kDefault = "dovrel/cfgs/default.ini";
const QString kGame = "dovrel/cfgs/game.ini";

// Four options, their panel showing the definition defaults: a text, a three-entry list with
// its second entry selected, an unticked and a ticked check box.
struct Fixture {
    Fixture() : profiles(app.path(), dialogs, table, panel, FileNameRules::Posix) {
        table.append({"-name ", "Name", "General", "0", "Player", {}, {}});
        table.append({"-scale ", "Scale", "Video", "1", "2", {}, {}});
        table.append({"-fs", "Full screen", "Video", "2", "0", {}, {}});
        table.append({"-snd", "Sound", "Audio", "2", "1", {}, {}});
        panel.addText(1, "Player");
        panel.addList(2, {"1x", "2x", "3x"}, 1);
        panel.addCheck(3, 0);
        panel.addCheck(4, 1);
    }
    void setPanel(const QString& text, int index, int fs, int snd) {
        panel.setText(1, text);
        panel.setListIndex(2, index);
        panel.setCheckState(3, fs);
        panel.setCheckState(4, snd);
    }
    QString file(const QString& relative) const { return app.file(relative); }

    TestAppFolder app;
    OptionTable table;
    MemoryPanelValues panel;
    FakeDialogs dialogs;
    Profiles profiles;
};

const QByteArray kDefaults = "[General]\nName=Player\n\n[Video]\nScale=2\nFull screen=0\n\n"
                             "[Audio]\nSound=1\n";

// Every file and folder below a folder, with the files' bytes.
QMap<QString, QByteArray> tree(const QString& root) {
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        files.insert(QDir(root).relativeFilePath(path),
                     it.fileInfo().isDir() ? QByteArray("<dir>")
                                           : (f.open(QIODevice::ReadOnly) ? f.readAll() : "?"));
    }
    return files;
}

// The bytes that single writes in sequence give, for comparison with a one-pass save.
QByteArray singleWrites(const QByteArray& start, const std::vector<IniEntry>& entries) {
    TestAppFolder scratch;
    scratch.write("p.ini", start);
    for (const IniEntry& e : entries)
        WriteIni(scratch.file("p.ini"), e.section, e.key, e.value);
    return scratch.read("p.ini");
}

} // namespace

class tst_Profiles : public QObject {
    Q_OBJECT
private slots:
    void defaultProfileCreatedOnFirstLoad();
    void noOptionsCreateNoDefaultProfile();
    void gameValueOverDefault();
    void missingValuesShowNothing();
    void unsavedEditsAreLostOnReload();
    void deletedDefaultIsWrittenFromThePanel();
    void saveToDefault();
    void saveToDefaultEqualsSingleWrites();
    void saveRom_data();
    void saveRom();
    void saveRomWithEverythingEqual();
    void saveToDefaultThenSave();
    void revertAnsweredNo();
    void revertAnsweredYes();
    void revertWithoutProfile();
    void unsafeNamesTouchNothing_data();
    void unsafeNamesTouchNothing();
    void missingProfilesFolderIsCreated();
    void failedWritesWarnOncePerAction();
    void failedAutomaticCreationWarnsOncePerRun();
    void failedCommitWarns();
    void failedDeleteWarns();
    void unstorableNameIsLeftOutAndWarns();
    void folderWhereTheFolderShouldBe();
};

void tst_Profiles::defaultProfileCreatedOnFirstLoad() {
    Fixture f;
    QVERIFY(!f.app.exists(kDefault));
    f.profiles.ReadCfg(QString("game"));
    QCOMPARE(f.app.read(kDefault), kDefaults);
    QCOMPARE(f.app.read(kDefault), TestData("default-created.ini"));
    QVERIFY(f.dialogs.shown.isEmpty());
    QCOMPARE(f.table.row(1).DefaultProfileValue, QString("Player"));
    QCOMPARE(f.table.row(2).DefaultProfileValue, QString("2"));
    QCOMPARE(f.table.row(3).DefaultProfileValue, QString("0"));
    QCOMPARE(f.table.row(4).DefaultProfileValue, QString("1"));
    for (int r = 1; r <= 4; ++r)
        QCOMPARE(f.table.row(r).GameValue, QString());
    QVERIFY(!f.app.exists(kGame)); // loading never writes a game profile
}

void tst_Profiles::noOptionsCreateNoDefaultProfile() {
    TestAppFolder app;
    const QString appDir = app.path();
    OptionTable table;
    MemoryPanelValues panel;
    FakeDialogs dialogs;
    Profiles profiles(appDir, dialogs, table, panel);
    profiles.ReadCfg(QString("game"));
    profiles.SaveToDefault();
    profiles.SaveRom("game");
    QVERIFY(!app.exists(kDefault));
    QVERIFY(!app.exists(kGame));
    QVERIFY(dialogs.shown.isEmpty());
}

void tst_Profiles::gameValueOverDefault() {
    Fixture f;
    f.app.write(kDefault, "[General]\nName=  Hero  \n[Video]\nScale=3\nFull screen=1\n"
                          "[Audio]\nSound=0\n");
    f.app.write(kGame, "[video]\nSCALE=1\n[General]\nName=\n");
    f.setPanel("edited", -1, 2, 2);
    f.profiles.ReadCfg(QString("game"));
    QCOMPARE(f.panel.text(1), QString("Hero")); // empty game value: the trimmed default
    QCOMPARE(f.panel.ListIndex(2), 0);         // the game's 1, over the default's 3
    QCOMPARE(f.panel.checkState(3), 1);
    QCOMPARE(f.panel.checkState(4), 0);
    QCOMPARE(f.table.row(1).GameValue, QString());
    QCOMPARE(f.table.row(2).GameValue, QString("1"));
    QCOMPARE(f.table.row(2).DefaultProfileValue, QString("3"));
    QCOMPARE(f.table.row(1).DefaultProfileValue, QString("Hero"));

    // Another game has no profile: the defaults show.
    f.profiles.ReadCfg(QString("other"));
    QCOMPARE(f.panel.ListIndex(2), 2);
    QCOMPARE(f.table.row(2).GameValue, QString());
    // No game selected: the defaults show too.
    f.profiles.ReadCfg(QString("game"));
    f.profiles.ReadCfg(std::nullopt);
    QCOMPARE(f.panel.ListIndex(2), 2);
}

void tst_Profiles::missingValuesShowNothing() {
    Fixture f;
    f.app.write(kDefault, "[Other]\nx=1\n");
    f.profiles.ReadCfg(QString("game"));
    QCOMPARE(f.panel.text(1), QString());
    QCOMPARE(f.panel.ListIndex(2), -1);
    QCOMPARE(f.panel.checkState(3), 0);
    QCOMPARE(f.panel.checkState(4), 0);
    QCOMPARE(f.app.read(kDefault), QByteArray("[Other]\nx=1\n")); // an existing file is not completed
}

void tst_Profiles::unsavedEditsAreLostOnReload() {
    Fixture f;
    f.profiles.ReadCfg(QString("game"));
    f.setPanel("edited", 0, 1, 0);
    f.profiles.ReadCfg(QString("other"));
    f.profiles.ReadCfg(QString("game"));
    QCOMPARE(f.panel.text(1), QString("Player"));
    QCOMPARE(f.panel.ListIndex(2), 1);
    QCOMPARE(f.panel.checkState(3), 0);
    QCOMPARE(f.panel.checkState(4), 1);
}

void tst_Profiles::deletedDefaultIsWrittenFromThePanel() {
    Fixture f;
    f.profiles.ReadCfg(QString("game"));
    QVERIFY(QFile::remove(f.file(kDefault)));
    f.setPanel("Now", 2, 2, 0);
    f.profiles.ReadCfg(QString("game"));
    QCOMPARE(f.app.read(kDefault), QByteArray("[General]\nName=Now\n\n[Video]\nScale=3\n"
                                              "Full screen=2\n\n[Audio]\nSound=0\n"));
    QCOMPARE(f.table.row(3).DefaultProfileValue, QString("2"));
    QCOMPARE(f.panel.checkState(3), 2);
    QVERIFY(f.dialogs.shown.isEmpty());
}

void tst_Profiles::saveToDefault() {
    Fixture f;
    f.app.write(kDefault, "; mine\r\n[Video]\r\nScale=1\r\nOld option=5\r\n");
    f.profiles.ReadCfg(QString("game"));
    QCOMPARE(f.panel.ListIndex(2), 0);
    f.setPanel("New name", -1, 1, 2);
    f.profiles.SaveToDefault();
    QCOMPARE(f.app.read(kDefault), TestData("default-saved.ini"));
    QVERIFY(f.dialogs.shown.isEmpty());
    // The values of the last load stay until the next load; the panel is not reloaded.
    QCOMPARE(f.table.row(2).DefaultProfileValue, QString("1"));
    QCOMPARE(f.table.row(1).DefaultProfileValue, QString());
    QCOMPARE(f.panel.text(1), QString("New name"));
}

void tst_Profiles::saveToDefaultEqualsSingleWrites() {
    Fixture f;
    const QByteArray start = "[Audio]\r\nSound=1\r\n[video]\r\n\r\nfull SCREEN = 2\r\n[Video]\r\n"
                             "Scale=9\r\n";
    f.app.write(kDefault, start);
    f.setPanel("x y", 0, 1, 0);
    f.profiles.SaveToDefault();
    QCOMPARE(f.app.read(kDefault), singleWrites(start, {{"General", "Name", "x y"},
                                                        {"Video", "Scale", "1"},
                                                        {"Video", "Full screen", "1"},
                                                        {"Audio", "Sound", "0"}}));
}

void tst_Profiles::saveRom_data() {
    QTest::addColumn<QByteArray>("defaults");
    QTest::addColumn<QByteArray>("before"); // the game profile before the save; empty = none
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("fs");
    QTest::addColumn<int>("snd");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("one text changed")
        << kDefaults << QByteArray() << "Other" << 1 << 0 << 1
        << QByteArray("[General]\nName=Other\n");
    QTest::newRow("case counts")
        << kDefaults << QByteArray() << "player" << 1 << 0 << 1
        << QByteArray("[General]\nName=player\n");
    QTest::newRow("blanks count")
        << kDefaults << QByteArray() << "Player " << 1 << 0 << 1
        << QByteArray("[General]\nName=Player \n");
    QTest::newRow("earlier entries stay")
        << kDefaults << QByteArray("[Audio]\r\nSound=0\r\n") << "Player" << 1 << 1 << 1
        << QByteArray("[Audio]\r\nSound=0\r\n\r\n[Video]\r\nFull screen=1\r\n");
    QTest::newRow("no list entry against a default of 2")
        << kDefaults << QByteArray() << "Player" << -1 << 0 << 1
        << QByteArray("[Video]\nScale=0\n");
    QTest::newRow("greyed box")
        << kDefaults << QByteArray() << "Player" << 1 << 2 << 1
        << QByteArray("[Video]\nFull screen=2\n");
    // Missing default keys count as 0: the first entry (1) and a ticked box (1) differ, an
    // unticked box (0) does not; the empty text equals the missing text.
    QTest::newRow("empty defaults")
        << QByteArray("[Other]\nx=1\n") << QByteArray() << "" << 0 << 1 << 0
        << QByteArray("[Video]\nScale=1\nFull screen=1\n");
    QTest::newRow("numeric defaults compared by value")
        << QByteArray("[General]\nName=Player\n[Video]\nScale=&H2\nFull screen=0.0\n"
                      "[Audio]\nSound= 1\n")
        << QByteArray() << "Player" << 1 << 0 << 1 << QByteArray();
}

void tst_Profiles::saveRom() {
    QFETCH(QByteArray, defaults);
    QFETCH(QByteArray, before);
    QFETCH(QString, text);
    QFETCH(int, index);
    QFETCH(int, fs);
    QFETCH(int, snd);
    QFETCH(QByteArray, after);
    Fixture f;
    f.app.write(kDefault, defaults);
    if (!before.isEmpty())
        f.app.write(kGame, before);
    f.profiles.ReadCfg(QString("another game"));
    f.setPanel(text, index, fs, snd);
    f.profiles.SaveRom("game");
    QCOMPARE(f.app.exists(kGame), !after.isEmpty());
    QCOMPARE(f.app.read(kGame), after);
    QCOMPARE(f.app.read(kDefault), defaults);
    QVERIFY(f.dialogs.shown.isEmpty());
}

void tst_Profiles::saveRomWithEverythingEqual() {
    Fixture f;
    f.profiles.ReadCfg(QString("game"));
    f.profiles.SaveRom("game");
    QVERIFY(!f.app.exists(kGame));
    // An existing profile is left as it is, even when its entries differ from the panel.
    f.app.write(kGame, "[Video]\nScale=3\n");
    f.profiles.ReadCfg(QString("other"));
    f.profiles.SaveRom("game");
    QCOMPARE(f.app.read(kGame), QByteArray("[Video]\nScale=3\n"));
    QCOMPARE(f.table.row(2).GameValue, QString());
}

void tst_Profiles::saveToDefaultThenSave() {
    Fixture f;
    f.profiles.ReadCfg(QString("game"));
    f.setPanel("Changed", 1, 0, 1);
    f.profiles.SaveToDefault();
    // The comparison still uses the default values of the last load.
    f.profiles.SaveRom("game");
    QCOMPARE(f.app.read(kGame), QByteArray("[General]\nName=Changed\n"));
    QCOMPARE(f.table.row(1).GameValue, QString("Changed"));
    // After a load the new default is what Save compares with.
    QVERIFY(QFile::remove(f.file(kGame)));
    f.profiles.ReadCfg(QString("game"));
    f.profiles.SaveRom("game");
    QVERIFY(!f.app.exists(kGame));
}

void tst_Profiles::revertAnsweredNo() {
    Fixture f;
    f.app.write(kGame, "[Video]\nScale=3\n");
    f.profiles.ReadCfg(QString("game"));
    f.dialogs.yesNoAnswer = false;
    QVERIFY(!f.profiles.Revert("game"));
    QCOMPARE(f.dialogs.shown.size(), 1);
    QCOMPARE(f.dialogs.shown[0].kind, QString("yesno"));
    QCOMPARE(f.dialogs.shown[0].title, QString("Confim Deletion"));
    QCOMPARE(f.dialogs.shown[0].text,
             QString("Are you sure you wish to revert?  The settings for this individual rom will "
                     "be deleted and the default will be used."));
    QCOMPARE(f.app.read(kGame), QByteArray("[Video]\nScale=3\n"));
}

void tst_Profiles::revertAnsweredYes() {
    Fixture f;
    f.app.write(kGame, "[Video]\nScale=3\n");
    f.app.write("dovrel/cfgs/game.ini.bak", "keep");
    f.profiles.ReadCfg(QString("game"));
    QCOMPARE(f.panel.ListIndex(2), 2);
    f.dialogs.yesNoAnswer = true;
    QVERIFY(f.profiles.Revert("game"));
    QVERIFY(!f.app.exists(kGame));
    QVERIFY(f.app.exists("dovrel/cfgs/game.ini.bak"));
    QCOMPARE(f.dialogs.shown.size(), 1);
    f.profiles.ReadCfg(QString("game"));
    QCOMPARE(f.panel.ListIndex(2), 1);
}

void tst_Profiles::revertWithoutProfile() {
    Fixture f;
    f.dialogs.yesNoAnswer = true;
    QVERIFY(f.profiles.Revert("game"));
    QCOMPARE(f.dialogs.shown.size(), 1); // the question only
    // A folder of that name is no profile: nothing is deleted, nothing reported.
    QDir().mkpath(f.file(kGame));
    QVERIFY(f.profiles.Revert("game"));
    QVERIFY(QFileInfo(f.file(kGame)).isDir());
    QCOMPARE(f.dialogs.shown.size(), 2);
}

void tst_Profiles::unsafeNamesTouchNothing_data() {
    QTest::addColumn<QString>("rom");
    QTest::newRow("parent folder") << "../outside";
    QTest::newRow("two levels up") << "../../outside";
    QTest::newRow("absolute") << "/tmp/tarvelin-never-written";
    QTest::newRow("dot dot") << "..";
    QTest::newRow("dot") << ".";
    QTest::newRow("separator inside") << "sub/game";
    QTest::newRow("nul") << QString("out") + QChar(0) + "side";
    QTest::newRow("default") << "default";
}

void tst_Profiles::unsafeNamesTouchNothing() {
    QFETCH(QString, rom);
    Fixture f;
    // What each name would reach: files outside cfgs, and the default profile itself.
    const QByteArray evil = "[General]\nName=Evil\n[Video]\nScale=3\n";
    f.app.write("dovrel/outside.ini", evil);
    f.app.write("outside.ini", evil);
    f.app.write("dovrel/cfgs/sub/game.ini", evil);
    f.app.write("dovrel/cfgs/...ini", evil);
    f.app.write("dovrel/cfgs/..ini", evil);
    f.app.write("dovrel/cfgs/out.ini", evil);
    f.app.write(kDefault, kDefaults);
    const auto before = tree(f.app.path());

    f.profiles.ReadCfg(rom);
    QCOMPARE(f.panel.text(1), QString("Player"));
    QCOMPARE(f.panel.ListIndex(2), 1);
    for (int r = 1; r <= 4; ++r)
        QCOMPARE(f.table.row(r).GameValue, QString());
    QVERIFY(f.dialogs.shown.isEmpty()); // loading stays silent

    f.setPanel("Changed", 2, 1, 0);
    f.profiles.SaveRom(rom);
    QCOMPARE(f.dialogs.shown.size(), 1);
    QCOMPARE(f.dialogs.shown[0].kind, QString("warning"));
    QCOMPARE(f.dialogs.shown[0].text, ProfileMessages::unsafeName(rom));
    for (int r = 1; r <= 4; ++r)
        QCOMPARE(f.table.row(r).GameValue, QString());

    f.dialogs.yesNoAnswer = true;
    QVERIFY(!f.profiles.Revert(rom));
    QCOMPARE(f.dialogs.shown.size(), 2); // one warning, no question
    QCOMPARE(f.dialogs.shown[1].kind, QString("warning"));
    QCOMPARE(f.dialogs.shown[1].text, ProfileMessages::unsafeName(rom));

    QCOMPARE(tree(f.app.path()), before);
    QVERIFY(!QFileInfo::exists("/tmp/tarvelin-never-written.ini"));
}

void tst_Profiles::missingProfilesFolderIsCreated() {
    Fixture f;
    QVERIFY(QDir(f.file("dovrel/cfgs")).removeRecursively());
    f.setPanel("Other", 1, 0, 1);
    f.profiles.SaveRom("game"); // the last load's defaults are all empty: several entries
    QVERIFY(f.app.exists(kGame));
    QVERIFY(QDir(f.file("dovrel")).removeRecursively());
    f.profiles.SaveToDefault();
    QCOMPARE(f.app.read(kDefault), QByteArray("[General]\nName=Other\n\n[Video]\nScale=2\n"
                                              "Full screen=0\n\n[Audio]\nSound=1\n"));
    QVERIFY(QDir(f.file("dovrel/cfgs")).removeRecursively());
    f.profiles.ReadCfg(QString("game"));
    QVERIFY(f.app.exists(kDefault));
    QVERIFY(f.dialogs.shown.isEmpty());
}

void tst_Profiles::failedWritesWarnOncePerAction() {
    Fixture f;
    f.app.write(kDefault, kDefaults);
    f.profiles.ReadCfg(QString("game"));
    QVERIFY(QFile::remove(f.file(kDefault)));
    QVERIFY(QDir().mkpath(f.file(kDefault))); // a folder where the file should be
    QVERIFY(QDir().mkpath(f.file(kGame)));
    f.setPanel("Other", 0, 1, 0);

    f.profiles.SaveToDefault();
    QCOMPARE(f.dialogs.shown.size(), 1);
    QCOMPARE(f.dialogs.shown[0].kind, QString("warning"));
    QCOMPARE(f.dialogs.shown[0].text, ProfileMessages::notSaved(f.file(kDefault)));
    QVERIFY(f.dialogs.shown[0].text.contains(f.file(kDefault)));
    f.profiles.SaveToDefault();
    QCOMPARE(f.dialogs.shown.size(), 2);

    f.profiles.SaveRom("game");
    QCOMPARE(f.dialogs.shown.size(), 3);
    QCOMPARE(f.dialogs.shown[2].text, ProfileMessages::notSaved(f.file(kGame)));
}

void tst_Profiles::failedAutomaticCreationWarnsOncePerRun() {
    Fixture f;
    QVERIFY(QDir().mkpath(f.file(kDefault)));
    f.profiles.ReadCfg(QString("game"));
    f.profiles.ReadCfg(QString("other"));
    f.profiles.ReadCfg(QString("game"));
    QCOMPARE(f.dialogs.shown.size(), 1);
    QCOMPARE(f.dialogs.shown[0].kind, QString("warning"));
    QCOMPARE(f.dialogs.shown[0].text, ProfileMessages::notSaved(f.file(kDefault)));
    // Nothing could be read: the panel shows empty values.
    QCOMPARE(f.panel.text(1), QString());
    QCOMPARE(f.panel.checkState(4), 0);
    // The user's own save still warns.
    f.profiles.SaveToDefault();
    QCOMPARE(f.dialogs.shown.size(), 2);
}

void tst_Profiles::failedCommitWarns() {
    Fixture f;
    f.app.write(kDefault, kDefaults);
    f.profiles.ReadCfg(QString("game"));
    f.setPanel("Other", 1, 0, 1);
    FileFaults::failNextCommitOnto(f.file(kGame));
    f.profiles.SaveRom("game");
    QVERIFY(!f.app.exists(kGame));
    QCOMPARE(f.dialogs.shown.size(), 1);
    QCOMPARE(f.dialogs.shown[0].text, ProfileMessages::notSaved(f.file(kGame)));
    FileFaults::failNextCommitOnto(f.file(kDefault));
    f.profiles.SaveToDefault();
    QCOMPARE(f.app.read(kDefault), kDefaults);
    QCOMPARE(f.dialogs.shown.size(), 2);
    // The next save goes through.
    f.profiles.SaveRom("game");
    QCOMPARE(f.app.read(kGame), QByteArray("[General]\nName=Other\n"));
    QCOMPARE(f.dialogs.shown.size(), 2);
}

void tst_Profiles::failedDeleteWarns() {
    Fixture f;
    f.app.write(kGame, "[Video]\nScale=3\n");
    f.dialogs.yesNoAnswer = true;
    FileFaults::failNextRemoveOf(f.file(kGame));
    QVERIFY(f.profiles.Revert("game")); // the panel is reloaded all the same
    QVERIFY(f.app.exists(kGame));
    QCOMPARE(f.dialogs.shown.size(), 2);
    QCOMPARE(f.dialogs.shown[1].kind, QString("warning"));
    QCOMPARE(f.dialogs.shown[1].text, ProfileMessages::notDeleted(f.file(kGame)));
    QVERIFY(f.dialogs.shown[1].text.contains(f.file(kGame)));
    QVERIFY(f.profiles.Revert("game"));
    QVERIFY(!f.app.exists(kGame));
    QCOMPARE(f.dialogs.shown.size(), 3);
}

void tst_Profiles::unstorableNameIsLeftOutAndWarns() {
    Fixture f;
    // A caption with "=" could never be read back as written: the writer refuses it, the other
    // options are saved as single writes would save them.
    f.table.row(3).Caption = "Size=big";
    f.profiles.ReadCfg(QString("game"));
    QCOMPARE(f.dialogs.shown.size(), 1);
    QCOMPARE(f.app.read(kDefault),
             QByteArray("[General]\nName=Player\n\n[Video]\nScale=2\n\n[Audio]\nSound=1\n"));
    f.profiles.ReadCfg(QString("game"));
    QCOMPARE(f.dialogs.shown.size(), 1); // the file exists now: nothing more to create
    f.profiles.SaveToDefault();
    QCOMPARE(f.dialogs.shown.size(), 2);
    QCOMPARE(f.dialogs.shown[1].text, ProfileMessages::notSaved(f.file(kDefault)));
}

void tst_Profiles::folderWhereTheFolderShouldBe() {
    Fixture f;
    QVERIFY(QDir(f.file("dovrel")).removeRecursively());
    f.app.write("dovrel", "a file where the folder should be");
    f.profiles.SaveToDefault();
    QCOMPARE(f.dialogs.shown.size(), 1);
    QCOMPARE(f.dialogs.shown[0].text, ProfileMessages::notSaved(f.file(kDefault)));
    QCOMPARE(f.app.read("dovrel"), QByteArray("a file where the folder should be"));
}

QTEST_GUILESS_MAIN(tst_Profiles)
#include "tst_Profiles.moc"

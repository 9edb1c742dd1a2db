#include "setup/Presets.h"
#include "setup/ui/frmEmulators.h"
#include "systems/SystemList.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "common/FakeDialogs.h"
#include "common/StderrCapture.h"
#include "common/TestAppFolder.h"

namespace {

// The dialog with the folder chooser and the question before deleting answered by the test.
class AnsweredEmulators final : public frmEmulators {
public:
    using frmEmulators::frmEmulators;
    QString folderAnswer;
    bool deleteAnswer = false;
    QStringList asked; // the question before each delete

protected:
    QString chooseFolder() override { return folderAnswer; }
    bool confirmDelete(const QString& title, const QString& text) override {
        asked << title + u'\n' + text;
        return deleteAnswer;
    }
};

Preset presetFrom(const TestAppFolder& shipped, const QString& name, const QString& title) {
    shipped.write(name + "/dovrel.ini", "[Parse]\nWindowCaption=" + title.toUtf8() + "\n");
    shipped.write(name + "/cfgdef.ini", "[Categories]\nCount=0\n");
    return {name, title, shipped.file(name), name, "/usr/bin/" + name};
}

// The presets offered: MAME and ScummVM usable, DOSBox without its emulator.
std::vector<Preset> presetsIn(const TestAppFolder& shipped) {
    Preset dosbox = presetFrom(shipped, "dosbox", "DOSBox");
    dosbox.found.clear();
    return {presetFrom(shipped, "mame", "MAME"), presetFrom(shipped, "scummvm", "ScummVM"), dosbox};
}

// The list as stored, "name=folder" in order, the one `current` names marked with "*".
QStringList stored(const QString& dataDir) {
    const SystemList list = SystemLists::read(dataDir).list;
    QStringList seen;
    for (size_t i = 0; i < list.systems.size(); ++i)
        seen << (list.indexOf(list.current) == int(i) ? "*" : "") + list.systems[i].name + u'=' +
                    list.systems[i].folder;
    return seen;
}

// The names the list shows.
QStringList shown(const frmEmulators& w) {
    QStringList names;
    for (int i = 0; i < w.lstSystems->count(); ++i)
        names << w.lstSystems->item(i)->text();
    return names;
}

void trigger(frmEmulators& w, const QString& preset) {
    auto* action = w.findChild<QAction*>("actPreset_" + preset);
    QVERIFY(action);
    action->trigger();
}

} // namespace

class tst_frmEmulators : public QObject {
    Q_OBJECT
private slots:
    void managesTheSystemsOfAFolder();
    void aFailedWriteLeavesTheListAsStored();
    void aBrokenEntryIsWarnedOfOnce();
};

void tst_frmEmulators::managesTheSystemsOfAFolder() {
    const TestAppFolder shipped;
    const TestAppFolder data;
    const TestAppFolder portable;
    data.write("dovrel/dovrel.ini", "[Parse]\nWindowCaption=Old one\n");
    portable.write("dovrel/dovrel.ini", "[Parse]\nWindowCaption=Portable\n");
    FakeDialogs dialogs;
    AnsweredEmulators w(data.path(), presetsIn(shipped), dialogs);
    QSignalSpy changed(&w, &frmEmulators::systemsChanged);
    QCOMPARE(w.objectName(), QString("frmEmulators"));
    QCOMPARE(w.windowTitle(), QString("Emulators"));

    // A folder without a list is its one system, named by its caption; nothing is written.
    QCOMPARE(w.lstSystems->count(), 1);
    QCOMPARE(w.lstSystems->item(0)->text(), QString("Old one"));
    QCOMPARE(w.lstSystems->item(0)->toolTip(), QDir::toNativeSeparators(data.path()));
    QCOMPARE(w.lblFolder->text(), "Folder: " + QDir::toNativeSeparators(data.path()));
    QVERIFY(!w.cmdRemove->isEnabled());
    QVERIFY(!w.cmdDeleteFiles->isEnabled());
    QVERIFY(!data.exists("dovrel/systems.ini"));
    QCOMPARE(w.mnuPresets->actions().size(), 2); // DOSBox cannot be used

    trigger(w, "mame");
    QCOMPARE(stored(data.path()), (QStringList{"*Old one=.", "MAME=mame"}));
    QVERIFY(data.exists("mame/dovrel/dovrel.ini"));
    QCOMPARE(w.selected(), 1);
    QVERIFY(w.cmdDeleteFiles->isEnabled());
    QVERIFY(w.cmdRemove->isEnabled());

    // A folder that is set up is listed where it is; any other is refused.
    w.folderAnswer = portable.path() + "/dovrel";
    QTest::mouseClick(w.cmdAddFolder, Qt::LeftButton);
    QCOMPARE(dialogs.shown.size(), 1);
    QVERIFY(dialogs.shown[0].text.contains("holds no dovrel/dovrel.ini"));
    w.folderAnswer = portable.path();
    QTest::mouseClick(w.cmdAddFolder, Qt::LeftButton);
    QCOMPARE(stored(data.path()),
             (QStringList{"*Old one=.", "MAME=mame", "Portable=" + portable.path()}));
    QVERIFY(!data.exists("Portable"));
    QCOMPARE(w.selected(), 2);
    QCOMPARE(w.lblFolder->text(), "Folder: " + QDir::toNativeSeparators(portable.path()));
    QVERIFY(!w.cmdDeleteFiles->isEnabled()); // not below the data folder
    QVERIFY(!w.cmdMoveDown->isEnabled());

    // Rename: a name another system has is refused; the current system keeps being current.
    w.lstSystems->setCurrentRow(1);
    dialogs.inputAnswer = "old ONE";
    QTest::mouseClick(w.cmdRename, Qt::LeftButton);
    QCOMPARE(dialogs.shown.last().text, QString("There is a system named \"Old one\" already."));
    dialogs.inputAnswer = "Arcade";
    QTest::mouseClick(w.cmdRename, Qt::LeftButton);
    w.lstSystems->setCurrentRow(0);
    dialogs.inputAnswer = " Home ";
    QTest::mouseClick(w.cmdRename, Qt::LeftButton);
    QCOMPARE(stored(data.path()),
             (QStringList{"*Home=.", "Arcade=mame", "Portable=" + portable.path()}));
    QVERIFY(!w.cmdDeleteFiles->isEnabled()); // the data folder itself

    w.lstSystems->setCurrentRow(2);
    QTest::mouseClick(w.cmdMoveUp, Qt::LeftButton);
    QCOMPARE(shown(w), (QStringList{"Home", "Portable", "Arcade"}));
    QCOMPARE(w.selected(), 1);

    // Removing the current system unlists it only, and makes the first current.
    w.lstSystems->setCurrentRow(0);
    QTest::mouseClick(w.cmdRemove, Qt::LeftButton);
    QCOMPARE(stored(data.path()), (QStringList{"*Portable=" + portable.path(), "Arcade=mame"}));
    QVERIFY(data.exists("dovrel/dovrel.ini"));

    // Deleting files asks first, No keeping everything.
    w.lstSystems->setCurrentRow(1);
    QTest::mouseClick(w.cmdDeleteFiles, Qt::LeftButton);
    QCOMPARE(w.asked.size(), 1);
    QVERIFY(w.asked[0].startsWith("Delete Files\n"));
    QVERIFY(w.asked[0].contains(QDir::toNativeSeparators(data.file("mame"))));
    QVERIFY(data.exists("mame/dovrel/dovrel.ini"));
    QCOMPARE(stored(data.path()).size(), 2);
    w.deleteAnswer = true;
    QTest::mouseClick(w.cmdDeleteFiles, Qt::LeftButton);
    QVERIFY(!data.exists("mame"));
    QCOMPARE(stored(data.path()), (QStringList{"*Portable=" + portable.path()}));
    QVERIFY(portable.exists("dovrel/dovrel.ini"));
    QVERIFY(!w.cmdRemove->isEnabled()); // the last system stays
    QVERIFY(!w.cmdDeleteFiles->isEnabled());

    // One signal for each stored change: two added, two renamed, moved, removed, deleted.
    QCOMPARE(changed.count(), 7);
    QCOMPARE(std::count_if(dialogs.shown.begin(), dialogs.shown.end(),
                           [](const FakeDialogs::Shown& box) { return box.kind == u"warning"; }),
             2);
    QTest::mouseClick(w.cmdClose, Qt::LeftButton);
    QCOMPARE(w.result(), int(QDialog::Accepted));
}

void tst_frmEmulators::aFailedWriteLeavesTheListAsStored() {
    const TestAppFolder shipped;
    const TestAppFolder data;
    data.write("dovrel/dovrel.ini", "[Parse]\n");
    QVERIFY(QDir().mkpath(data.file("dovrel/systems.ini")));
    FakeDialogs dialogs;
    AnsweredEmulators w(data.path(), presetsIn(shipped), dialogs);
    QSignalSpy changed(&w, &frmEmulators::systemsChanged);
    QCOMPARE(shown(w), QStringList{"Main"});

    dialogs.inputAnswer = "Arcade";
    QTest::mouseClick(w.cmdRename, Qt::LeftButton);
    QCOMPARE(dialogs.shown.size(), 2);
    QCOMPARE(dialogs.shown[1].kind, QString("warning"));
    QCOMPARE(dialogs.shown[1].text, "The list of systems could not be written into " +
                                        QDir::toNativeSeparators(data.file("dovrel/systems.ini")) +
                                        ".");
    QCOMPARE(shown(w), QStringList{"Main"});

    trigger(w, "scummvm");
    QCOMPARE(dialogs.shown.size(), 3);
    QVERIFY(dialogs.shown[2].text.startsWith("The system could not be added:\n"));
    QCOMPARE(shown(w), QStringList{"Main"});
    QCOMPARE(changed.count(), 0);
}

void tst_frmEmulators::aBrokenEntryIsWarnedOfOnce() {
    const TestAppFolder shipped;
    const TestAppFolder data;
    data.write("dovrel/dovrel.ini", "[Parse]\n");
    data.write("dovrel/systems.ini",
               "[Systems]\nCount=2\nName1=Here\nFolder1=.\nName2=Gone\nFolder2=gone\n");
    FakeDialogs dialogs;
    StderrCapture stderrLines;
    AnsweredEmulators w(data.path(), presetsIn(shipped), dialogs);
    QCOMPARE(shown(w), QStringList{"Here"});
    w.folderAnswer = shipped.path(); // refused, and the list is read again
    QTest::mouseClick(w.cmdAddFolder, Qt::LeftButton);
    QCOMPARE(dialogs.shown.size(), 1);
    QCOMPARE(shown(w), QStringList{"Here"});
    const QStringList lines = stderrLines.lines();
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines[0].startsWith("tarvelin: ") && lines[0].contains("\"Gone\""),
             qPrintable(lines[0]));
}

QTEST_MAIN(tst_frmEmulators)
#include "tst_frmEmulators.moc"

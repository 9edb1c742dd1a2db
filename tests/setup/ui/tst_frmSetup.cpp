#include "setup/DataFolder.h"
#include "setup/Presets.h"
#include "setup/ui/frmSetup.h"
#include "systems/SystemList.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "common/FakeDialogs.h"
#include "common/TestAppFolder.h"

namespace {

// Three presets as FindPresets reports them: the demo with its emulator found, MAME without,
// ScummVM not installed. Only the demo's folder exists in the tree.
std::vector<Preset> presetsIn(const TestAppFolder& tree) {
    tree.write("share/demo/dovrel/dovrel.ini", "[Parse]\nExeName=demoemu\n");
    tree.write("share/demo/roms/a.zip", "rom");
    tree.writeScript("bin/demoemu", "exit 0\n");
    return {{"demo", "Demo emulator", tree.file("share/demo"), "demoemu", tree.file("bin/demoemu")},
            {"mame", "MAME", tree.file("share/mame"), "mame", ""},
            {"scummvm", "ScummVM", "", "", ""}};
}

// MAME found too; `broken` ships a file where the copy needs a folder, so it cannot be set up.
std::vector<Preset> withMame(const TestAppFolder& tree, bool broken = false) {
    std::vector<Preset> presets = presetsIn(tree);
    tree.write("share/mame/dovrel/dovrel.ini", "[Parse]\nExeName=mame\n");
    if (broken)
        tree.write("share/mame/dovrel/cfgs", "in the way");
    tree.writeScript("bin/mame", "exit 0\n");
    presets[1].found = tree.file("bin/mame");
    return presets;
}

QStringList titles(const std::vector<Preset>& presets) {
    QStringList seen;
    for (const Preset& preset : presets)
        seen << preset.title;
    return seen;
}

} // namespace

class tst_frmSetup : public QObject {
    Q_OBJECT
private slots:
    void showsEachPresetAndWhetherItsEmulatorIsFound_data();
    void showsEachPresetAndWhetherItsEmulatorIsFound();
    void setUpCopiesTheChosenPreset();
    void cancelWritesNothing();
    void aFailedCopyIsShownAndTheWindowStays();
    void nothingToChoose();
    void ticksWhatWasFound_data();
    void ticksWhatWasFound();
    void severalGoEachIntoAFolderOfTheirOwn();
    void severalStoppedHalfWayKeepWhatWasSetUp();
};

void tst_frmSetup::showsEachPresetAndWhetherItsEmulatorIsFound_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("object");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<QString>("status"); // "@" = the tree
    QTest::newRow("demo, found") << 0 << "demo" << true << true << "Emulator found: @/bin/demoemu";
    QTest::newRow("mame, not found")
        << 1 << "mame" << false << false
        << "Cannot be chosen: mame not found beside Tarvelin or on PATH";
    QTest::newRow("scummvm, not installed")
        << 2 << "scummvm" << false << false << "Cannot be chosen: not part of this installation";
}

void tst_frmSetup::showsEachPresetAndWhetherItsEmulatorIsFound() {
    QFETCH(int, row);
    QFETCH(QString, object);
    QFETCH(bool, enabled);
    QFETCH(bool, checked);
    QFETCH(QString, status);
    const TestAppFolder tree;
    FakeDialogs dialogs;
    frmSetup w({tree.file("data"), DataFolderChoice::Why::PerUser}, presetsIn(tree), dialogs);

    QCOMPARE(w.optPreset.size(), size_t(3));
    auto* option = w.findChild<QCheckBox*>("optPreset_" + object);
    QCOMPARE(option, w.optPreset[size_t(row)]);
    QCOMPARE(option->isEnabled(), enabled);
    QCOMPARE(option->isChecked(), checked);
    QCOMPARE(w.findChild<QLabel*>("lblPreset_" + object)->text(), status.replace("@", tree.path()));
    QVERIFY(w.lblFolder->text().contains(tree.file("data") + " (your own data folder"));
    QVERIFY(w.cmdSetUp->isEnabled());
}

void tst_frmSetup::setUpCopiesTheChosenPreset() {
    const TestAppFolder tree;
    FakeDialogs dialogs;
    frmSetup w({tree.file("data"), DataFolderChoice::Why::Named}, presetsIn(tree), dialogs);
    w.show();
    QTest::mouseClick(w.cmdSetUp, Qt::LeftButton);
    QCOMPARE(w.result(), int(QDialog::Accepted));
    QVERIFY(w.isHidden());
    QCOMPARE(tree.read("data/dovrel/dovrel.ini"),
             "[Parse]\nExeName=" + tree.file("bin/demoemu").toUtf8() + "\n");
    QCOMPARE(tree.read("data/roms/a.zip"), QByteArray("rom"));
    QVERIFY(dialogs.shown.isEmpty());
}

void tst_frmSetup::cancelWritesNothing() {
    const TestAppFolder tree;
    FakeDialogs dialogs;
    frmSetup w({tree.file("data"), DataFolderChoice::Why::PerUser}, presetsIn(tree), dialogs);
    w.show();
    QTest::mouseClick(w.cmdCancel, Qt::LeftButton);
    QCOMPARE(w.result(), int(QDialog::Rejected));
    QVERIFY(!QFileInfo::exists(tree.file("data")));
}

void tst_frmSetup::aFailedCopyIsShownAndTheWindowStays() {
    const TestAppFolder tree;
    tree.write("data/dovrel", "a file where the folder must go");
    FakeDialogs dialogs;
    frmSetup w({tree.file("data"), DataFolderChoice::Why::Named}, presetsIn(tree), dialogs);
    w.show();
    QTest::mouseClick(w.cmdSetUp, Qt::LeftButton);
    QVERIFY(w.isVisible());
    QCOMPARE(dialogs.shown.size(), 1);
    QCOMPARE(dialogs.shown[0].kind, QString("warning"));
    QVERIFY(dialogs.shown[0].text.startsWith("Tarvelin could not be set up for Demo emulator:\n"
                                             "cannot create the folder "));
    QVERIFY(!QFileInfo::exists(tree.file("data/dovrel/dovrel.ini")));
}

void tst_frmSetup::nothingToChoose() {
    const TestAppFolder tree;
    std::vector<Preset> presets = presetsIn(tree);
    presets[0].found.clear();
    FakeDialogs dialogs;
    frmSetup w({tree.file("data"), DataFolderChoice::Why::PerUser}, presets, dialogs);
    QVERIFY(w.chosen().empty());
    QVERIFY(!w.cmdSetUp->isEnabled());
    w.accept(); // Enter on the window does nothing either
    QVERIFY(!QFileInfo::exists(tree.file("data")));
}

void tst_frmSetup::ticksWhatWasFound_data() {
    QTest::addColumn<bool>("mame");
    QTest::addColumn<QStringList>("ticked");
    QTest::newRow("the demo alone") << false << QStringList{"Demo emulator"};
    QTest::newRow("a real emulator without the demo") << true << QStringList{"MAME"};
}

void tst_frmSetup::ticksWhatWasFound() {
    QFETCH(bool, mame);
    QFETCH(QStringList, ticked);
    const TestAppFolder tree;
    FakeDialogs dialogs;
    frmSetup w({tree.file("data"), DataFolderChoice::Why::PerUser},
               mame ? withMame(tree) : presetsIn(tree), dialogs);
    QCOMPARE(titles(w.chosen()), ticked);
    QVERIFY(w.optPreset[0]->isEnabled());
    QCOMPARE(w.optPreset[1]->isEnabled(), mame);
    QVERIFY(w.lblFolder->text().contains("system of its own"));
}

void tst_frmSetup::severalGoEachIntoAFolderOfTheirOwn() {
    const TestAppFolder tree;
    FakeDialogs dialogs;
    frmSetup w({tree.file("data"), DataFolderChoice::Why::Named}, withMame(tree), dialogs);
    w.show();
    w.optPreset[1]->click();
    QVERIFY(!w.cmdSetUp->isEnabled()); // nothing ticked
    w.optPreset[0]->click();
    w.optPreset[1]->click();
    QVERIFY(w.cmdSetUp->isEnabled());
    QCOMPARE(titles(w.chosen()), (QStringList{"Demo emulator", "MAME"}));
    QTest::mouseClick(w.cmdSetUp, Qt::LeftButton);
    QCOMPARE(w.result(), int(QDialog::Accepted));
    QVERIFY(dialogs.shown.isEmpty());
    QVERIFY(!tree.exists("data/dovrel/dovrel.ini"));
    QCOMPARE(tree.read("data/demo/roms/a.zip"), QByteArray("rom"));
    QCOMPARE(tree.read("data/mame/dovrel/dovrel.ini"),
             "[Parse]\nExeName=" + tree.file("bin/mame").toUtf8() + "\n");
    QCOMPARE(SystemLists::read(tree.file("data")).list.systems,
             (std::vector<SystemEntry>{{"Demo emulator", "demo"}, {"MAME", "mame"}}));
}

void tst_frmSetup::severalStoppedHalfWayKeepWhatWasSetUp() {
    const TestAppFolder tree;
    FakeDialogs dialogs;
    frmSetup w({tree.file("data"), DataFolderChoice::Why::Named}, withMame(tree, true), dialogs);
    w.show();
    w.optPreset[0]->click();
    QTest::mouseClick(w.cmdSetUp, Qt::LeftButton);
    QVERIFY(w.isVisible());
    QCOMPARE(dialogs.shown.size(), 1);
    QVERIFY2(
        dialogs.shown[0].text.startsWith("Tarvelin could not be set up for MAME:\ncannot copy "),
        qPrintable(dialogs.shown[0].text));
    // The demo is a system of the folder now and cannot be set up again; MAME can be tried again.
    QVERIFY(!w.optPreset[0]->isEnabled());
    QVERIFY(!w.optPreset[0]->isChecked());
    QCOMPARE(titles(w.chosen()), QStringList{"MAME"});
    QTest::mouseClick(w.cmdSetUp, Qt::LeftButton);
    QCOMPARE(dialogs.shown.size(), 2);
    QVERIFY(!tree.exists("data/demo-2"));
    QVERIFY(!tree.exists("data/dovrel/dovrel.ini"));
    QCOMPARE(SystemLists::read(tree.file("data")).list.systems,
             (std::vector<SystemEntry>{{"Demo emulator", "demo"}}));
}

QTEST_MAIN(tst_frmSetup)
#include "tst_frmSetup.moc"

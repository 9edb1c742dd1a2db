#include "setup/DataFolder.h"
#include "setup/Presets.h"
#include "setup/ui/frmSetup.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
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
    auto* option = w.findChild<QRadioButton*>("optPreset_" + object);
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
    QVERIFY(!w.chosen());
    QVERIFY(!w.cmdSetUp->isEnabled());
    w.accept(); // Enter on the window does nothing either
    QVERIFY(!QFileInfo::exists(tree.file("data")));
}

QTEST_MAIN(tst_frmSetup)
#include "tst_frmSetup.moc"

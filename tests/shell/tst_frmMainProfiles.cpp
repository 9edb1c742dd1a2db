#include "gamelist/ui/GameListBox.h"
#include "profiles/Profiles.h"
#include "session/GameSession.h"
#include "shell/frmMain.h"
#include "ui/Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "common/FakeDialogs.h"
#include "common/MainWindowFixture.h"
#include "common/TestAppFolder.h"

namespace {

// Rows: 1 Scale (list of three, 2nd), 2 Full screen (unticked), 3 Mode (greyed), 4 Name (text).
const QByteArray kDefinitions = "[General]\nNumCats=2\n"
                                "[Cat1]\nName=Video\nnumOpts=3\n"
                                "opt1=-scale |Scale|1|1x|2x|3x|2\n"
                                "opt2=-fs|Full screen|2|0\n"
                                "opt3=-mode|Mode|2|2\n"
                                "[Cat2]\nName=Player\nnumOpts=1\n"
                                "opt1=-name |Name|0|Anna\n";

const QString kDefault = "dovrel/cfgs/default.ini";

struct Window : MainWindowFixture {
    explicit Window(const QByteArray& games = "alpha|Alpha\r\nbeta|Beta\r\n../evil|Evil\r\n",
                    const std::function<void(const TestAppFolder&)>& prepare = {}) {
        app.write("dovrel/dovrel.ini", "[Settings]\nShowConfig=0\nShowMissingRoms=0\n");
        app.write("dovrel/cfgdef.ini", kDefinitions);
        app.write("dovrel/glist.lst", games);
        if (prepare)
            prepare(app);
        startFromCache();
    }
    OptionsPanel& panel() { return w.optionsPanel(); }
    QComboBox* scale() { return panel().cmbConfig(1); }
    QCheckBox* fullScreen() { return panel().chkCfg(2); }
    QCheckBox* mode() { return panel().chkCfg(3); }
    QLineEdit* name() { return panel().txtConfig(4); }
};

} // namespace

class tst_frmMainProfiles : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Twips::setPerPixel(15); }

    void startUpCreatesTheDefaultProfile();
    void selectingAGameLoadsItsProfile();
    void storedValuesOutsideTheControls();
    void saveButtons();
    void typedTextIsSaved();
    void revert();
    void nothingSelected();
    void unsafeRomName();
    void failedSaveWarnsOncePerClick();
    void failedCreationAtStartUpWarnsOnce();
};

void tst_frmMainProfiles::startUpCreatesTheDefaultProfile() {
    Window win;
    QCOMPARE(win.app.read(kDefault), TestData("startup-default.ini"));
    QVERIFY(win.dialogs.shown.isEmpty());
    QCOMPARE(win.w.lstGames->currentRow(), 0);
    QCOMPARE(win.scale()->currentIndex(), 1);
    QCOMPARE(win.mode()->checkState(), Qt::PartiallyChecked);
    QCOMPARE(win.name()->text(), QString("Anna"));
    QCOMPARE(win.w.optionTable().row(1).DefaultProfileValue, QString("2"));
    QCOMPARE(win.w.optionTable().row(4).DefaultProfileValue, QString("Anna"));
}

void tst_frmMainProfiles::selectingAGameLoadsItsProfile() {
    Window win("alpha|Alpha\r\nbeta|Beta\r\n", [](const TestAppFolder& app) {
        app.write("dovrel/cfgs/beta.ini", "[Video]\nScale=3\nMode=0\n[Player]\nName=  Bob  \n");
    });
    QCOMPARE(win.scale()->currentIndex(), 1);
    win.name()->setText("edited, not saved");
    QTest::keyClick(win.w.lstGames, Qt::Key_Down);
    QCOMPARE(win.w.lstGames->currentRow(), 1);
    QCOMPARE(win.scale()->currentIndex(), 2);
    QCOMPARE(win.mode()->checkState(), Qt::Unchecked);
    QCOMPARE(win.name()->text(), QString("Bob"));
    QCOMPARE(win.fullScreen()->checkState(), Qt::Unchecked);
    QCOMPARE(win.w.optionTable().row(1).GameValue, QString("3"));
    QTest::keyClick(win.w.lstGames, Qt::Key_Up);
    QCOMPARE(win.name()->text(), QString("Anna")); // the unsaved edit is gone
    QCOMPARE(win.mode()->checkState(), Qt::PartiallyChecked);
    QCOMPARE(win.w.optionTable().row(1).GameValue, QString());
}

void tst_frmMainProfiles::storedValuesOutsideTheControls() {
    Window win("alpha|Alpha\r\nbeta|Beta\r\n", [](const TestAppFolder& app) {
        app.write("dovrel/cfgs/beta.ini", "[Video]\nScale=4\nFull screen=7\nMode=-1\n");
        app.write("dovrel/cfgs/alpha.ini", "[Video]\nScale=2.5\nFull screen=1.5\nMode=abc\n");
    });
    QCOMPARE(win.scale()->currentIndex(), 2);                       // 2.5 - 1 rounds to 2
    QCOMPARE(win.fullScreen()->checkState(), Qt::PartiallyChecked); // 1.5 rounds to 2
    // A non-numeric value counts as 0, not as empty: the game's value wins over the default.
    QCOMPARE(win.mode()->checkState(), Qt::Unchecked);
    win.w.lstGames->setCurrentRow(1);
    QCOMPARE(win.scale()->currentIndex(), -1); // past the third entry: nothing selected
    QCOMPARE(win.fullScreen()->checkState(), Qt::Unchecked);
    QCOMPARE(win.mode()->checkState(), Qt::Unchecked);
    QVERIFY(win.dialogs.shown.isEmpty());
}

void tst_frmMainProfiles::saveButtons() {
    Window win;
    win.w.lstGames->setCurrentRow(1);
    win.scale()->setCurrentIndex(0);
    win.fullScreen()->setCheckState(Qt::Checked);
    QTest::mouseClick(win.w.cmdSaveRom, Qt::LeftButton);
    QCOMPARE(win.app.read("dovrel/cfgs/beta.ini"), QByteArray("[Video]\nScale=1\nFull screen=1\n"));
    QVERIFY(!win.app.exists("dovrel/cfgs/alpha.ini"));

    win.name()->setText("Zed");
    QTest::mouseClick(win.w.cmdSaveDefault, Qt::LeftButton);
    QCOMPARE(win.app.read(kDefault),
             QByteArray("[Video]\nScale=1\nFull screen=1\nMode=2\n\n[Player]\nName=Zed\n"));
    // The panel is not reloaded; Save still compares with the defaults of the last load.
    QCOMPARE(win.name()->text(), QString("Zed"));
    QTest::mouseClick(win.w.cmdSaveRom, Qt::LeftButton);
    QCOMPARE(win.app.read("dovrel/cfgs/beta.ini"),
             QByteArray("[Video]\nScale=1\nFull screen=1\n\n[Player]\nName=Zed\n"));
    // Another game now shows the new defaults.
    win.w.lstGames->setCurrentRow(0);
    QCOMPARE(win.name()->text(), QString("Zed"));
    QCOMPARE(win.scale()->currentIndex(), 0);
    QVERIFY(win.dialogs.shown.isEmpty());
}

void tst_frmMainProfiles::typedTextIsSaved() {
    Window win;
    win.w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&win.w));
    win.name()->clear();
    QTest::keyClicks(win.name(), "Typed Name");
    win.w.cmdSaveRom->click();
    QCOMPARE(win.app.read("dovrel/cfgs/alpha.ini"), QByteArray("[Player]\nName=Typed Name\n"));
}

void tst_frmMainProfiles::revert() {
    Window win("alpha|Alpha\r\n", [](const TestAppFolder& app) {
        app.write("dovrel/cfgs/alpha.ini", "[Video]\nScale=3\n");
    });
    QCOMPARE(win.scale()->currentIndex(), 2);
    win.name()->setText("edited");

    win.dialogs.yesNoAnswer = false;
    win.w.cmdRevert->click();
    QCOMPARE(win.dialogs.shown.size(), 1);
    QCOMPARE(win.dialogs.shown[0].kind, QString("yesno"));
    QCOMPARE(win.dialogs.shown[0].title, QString("Confim Deletion"));
    QCOMPARE(win.dialogs.shown[0].text,
             QString("Are you sure you wish to revert?  The settings for this individual rom will "
                     "be deleted and the default will be used."));
    QVERIFY(win.app.exists("dovrel/cfgs/alpha.ini"));
    QCOMPARE(win.name()->text(), QString("edited")); // No changes nothing, the panel included

    win.dialogs.yesNoAnswer = true;
    win.w.cmdRevert->click();
    QCOMPARE(win.dialogs.shown.size(), 2);
    QVERIFY(!win.app.exists("dovrel/cfgs/alpha.ini"));
    QCOMPARE(win.scale()->currentIndex(), 1); // reloaded: the default profile's values
    QCOMPARE(win.name()->text(), QString("Anna"));
}

void tst_frmMainProfiles::nothingSelected() {
    Window empty("");
    QCOMPARE(empty.w.lstGames->count(), 0);
    QVERIFY(!empty.app.exists(kDefault)); // no game selected at start-up: nothing loaded
    empty.w.cmdSaveRom->click();
    empty.w.cmdRevert->click();
    QVERIFY(empty.dialogs.shown.isEmpty());
    QCOMPARE(QDir(empty.app.file("dovrel/cfgs")).entryList(QDir::Files), QStringList());

    Window win;
    const QStringList before = QDir(win.app.file("dovrel/cfgs")).entryList(QDir::Files);
    win.w.lstGames->setCurrentRow(-1);
    win.fullScreen()->setCheckState(Qt::Checked);
    win.dialogs.yesNoAnswer = true;
    win.w.cmdSaveRom->click();
    win.w.cmdRevert->click();
    QVERIFY(win.dialogs.shown.isEmpty());
    QCOMPARE(QDir(win.app.file("dovrel/cfgs")).entryList(QDir::Files), before);
    QCOMPARE(win.fullScreen()->checkState(), Qt::Checked);
}

void tst_frmMainProfiles::unsafeRomName() {
    Window win("alpha|Alpha\r\n../evil|Evil\r\n", [](const TestAppFolder& app) {
        app.write("dovrel/evil.ini", "[Video]\nScale=3\n");
    });
    win.w.lstGames->setCurrentRow(1);
    QCOMPARE(win.scale()->currentIndex(), 1); // the default, not the file outside cfgs
    QVERIFY(win.dialogs.shown.isEmpty());
    win.scale()->setCurrentIndex(0);
    win.w.cmdSaveRom->click();
    win.dialogs.yesNoAnswer = true;
    win.w.cmdRevert->click();
    QCOMPARE(win.dialogs.shown.size(), 2);
    for (const FakeDialogs::Shown& box : win.dialogs.shown) {
        QCOMPARE(box.kind, QString("warning"));
        QCOMPARE(box.text, ProfileMessages::unsafeName("../evil"));
    }
    QCOMPARE(win.app.read("dovrel/evil.ini"), QByteArray("[Video]\nScale=3\n"));
    QCOMPARE(win.scale()->currentIndex(), 0);
}

void tst_frmMainProfiles::failedSaveWarnsOncePerClick() {
    Window win;
    QVERIFY(QDir().mkpath(win.app.file("dovrel/cfgs/alpha.ini")));
    win.scale()->setCurrentIndex(0);
    win.w.cmdSaveRom->click();
    QCOMPARE(win.dialogs.shown.size(), 1);
    QCOMPARE(win.dialogs.shown[0].kind, QString("warning"));
    QVERIFY(win.dialogs.shown[0].text.contains(win.app.file("dovrel/cfgs/alpha.ini")));
    win.w.cmdSaveRom->click();
    QCOMPARE(win.dialogs.shown.size(), 2);
}

void tst_frmMainProfiles::failedCreationAtStartUpWarnsOnce() {
    Window win("alpha|Alpha\r\nbeta|Beta\r\n",
               [](const TestAppFolder& app) { QDir().mkpath(app.file(kDefault)); });
    QCOMPARE(win.dialogs.shown.size(), 1);
    QCOMPARE(win.dialogs.shown[0].text, ProfileMessages::notSaved(win.app.file(kDefault)));
    for (int i = 0; i < 3; ++i)
        win.w.lstGames->setCurrentRow(i % 2);
    QCOMPARE(win.dialogs.shown.size(), 1);
}

QTEST_MAIN(tst_frmMainProfiles)
#include "tst_frmMainProfiles.moc"

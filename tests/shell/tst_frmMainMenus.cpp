#include "base/Ini.h"
#include "gamelist/ui/GameListBox.h"
#include "session/GameSession.h"
#include "shell/frmMain.h"
#include "ui/Twips.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "common/FakeDialogs.h"
#include "common/MainWindowFixture.h"
#include "common/TestAppFolder.h"

namespace {

// An application folder with an emulator script that lists `games` (ROM names of 6 columns).
void writeEmulator(const TestAppFolder& app, const QByteArray& showConfig,
                   const QByteArray& showMissing, const QStringList& games) {
    app.write("dovrel/dovrel.ini",
              "[Parse]\nWindowCaption=Menus\nExeName=emu\nGameListCommand=-list\n"
              "GameListStartLine=1\nGameListRomLen=6\nHelpEndLine=0\n[Settings]\nRomPath=\n"
              "SendRomPath=1\nRomPathinQuotes=0\nRomExt=.zip\nShowConfig=" +
                  showConfig + "\nShowMissingRoms=" + showMissing + "\n");
    QByteArray lines = "printf 'Banner\\nName  Description\\n";
    for (const QString& g : games)
        lines += g.leftJustified(6).toUtf8() + "Game " + g.toUtf8() + "\\n";
    app.writeScript("emu", lines + "'\n");
}

QString setting(const TestAppFolder& app, const char* key) {
    return ReadIni(app.file("dovrel/dovrel.ini"), "Settings", key);
}

using Window = MainWindowFixture;

// A width as the window holds it: placed in whole pixels, read back in twips.
double placed(double twips) {
    return Twips::fromPx(Twips::toPx(twips));
}

QStringList listed(const frmMain& w) {
    QStringList items;
    for (int i = 0; i < w.lstGames->count(); ++i)
        items << w.lstGames->itemText(i);
    return items;
}

} // namespace

class tst_frmMainMenus : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        Twips::setPerPixel(15);
        m_startDir = QDir::currentPath();
    }
    void cleanup() { QDir::setCurrent(m_startDir); }

    void panelToggle();
    void emulatorWhilePanelShown();
    void missingRomsToggle();
    void romPathBox_data();
    void romPathBox();
    void emulatorFocus_data();
    void emulatorFocus();
    void startupShowConfig_data();
    void startupShowConfig();
    void startupShowMissingRoms();
    void startupShowMissingRomsFirstRun();
    void aboutOpensOnce();
    void widthIsOuterOnceFramed();

private:
    QString m_startDir;
};

void tst_frmMainMenus::panelToggle() {
    TestAppFolder app;
    app.write("dovrel/dovrel.ini", "[Settings]\nShowConfig=0\n");
    Window m(app);
    m.w.menus().mnuViewShowGameConfig->trigger();
    QCOMPARE(m.w.outerWidthTw(), placed(6000.0 + 3615 + 500));
    QVERIFY(m.w.menus().mnuViewShowGameConfig->isChecked());
    QCOMPARE(setting(app, "ShowConfig"), QString("1"));
    m.w.menus().mnuViewShowGameConfig->trigger();
    QCOMPARE(m.w.outerWidthTw(), placed(6000.0 + 150));
    QVERIFY(!m.w.menus().mnuViewShowGameConfig->isChecked());
    QCOMPARE(setting(app, "ShowConfig"), QString("0"));
}

void tst_frmMainMenus::emulatorWhilePanelShown() {
    TestAppFolder app;
    Window m(app);
    m.w.menus().mnuViewShowGameConfig->trigger();
    app.write("dovrel/dovrel.ini", "[Settings]\nShowConfig=0\n"); // by hand, meanwhile
    m.w.menus().mnuConfigEmulator->trigger();
    QCOMPARE(m.w.outerWidthTw(), placed(10115));
    QVERIFY(m.w.menus().mnuViewShowGameConfig->isChecked());
    QCOMPARE(setting(app, "ShowConfig"), QString("1"));
}

void tst_frmMainMenus::missingRomsToggle() {
    TestAppFolder app;
    writeEmulator(app, "0", "0", {"a", "b", "c"});
    app.write("roms/b.zip", "rom");
    Window m(app);
    QVERIFY(m.w.Form_Load());
    QCOMPARE(listed(m.w), QStringList{"Game b"});

    m.w.menus().mnuShowMissingRoms->trigger();
    QVERIFY(m.w.menus().mnuShowMissingRoms->isChecked());
    QCOMPARE(listed(m.w), QStringList({"Game a", "Game b", "Game c"}));
    QCOMPARE(m.w.lstGames->currentRow(), 0);
    QCOMPARE(setting(app, "ShowMissingRoms"), QString("1"));
    const double grownHeight = m.w.outerHeightTw();

    m.w.menus().mnuShowMissingRoms->trigger();
    QVERIFY(!m.w.menus().mnuShowMissingRoms->isChecked());
    QCOMPARE(listed(m.w), QStringList{"Game b"});
    QCOMPARE(setting(app, "ShowMissingRoms"), QString("0"));
    QCOMPARE(m.w.outerHeightTw(), grownHeight); // the list never shrinks the window
}

void tst_frmMainMenus::romPathBox_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("storedPath"); // "" = the file keeps what it had
    QTest::addColumn<QStringList>("games");
    QTest::newRow("cancelled") << ""
                               << "" << QStringList{"Game b"};
    QTest::newRow("no trailing separator") << "ROMDIR"
                                           << "ROMDIR" << QStringList{};
    QTest::newRow("with separator") << "ROMDIR/"
                                    << "ROMDIR/" << QStringList{"Game b"};
}

void tst_frmMainMenus::romPathBox() {
    QFETCH(QString, answer);
    QFETCH(QString, storedPath);
    QFETCH(QStringList, games);
    TestAppFolder app;
    writeEmulator(app, "0", "0", {"a", "b"});
    app.write("roms/b.zip", "rom");
    Window m(app);
    QVERIFY(m.w.Form_Load());
    const QString before = m.state.settings().RomPath;
    // Relative paths resolve against the application folder, the current folder after start-up.
    QDir(app.path()).rename("roms", "ROMDIR");
    if (answer.isEmpty())
        QDir(app.path()).rename("ROMDIR", "roms");
    m.dialogs.inputAnswer = answer;
    m.w.lstGames->setCurrentRow(-1);
    m.w.menus().mnuConfigSetRomPath->trigger();

    QCOMPARE(m.dialogs.shown.size(), 1);
    QCOMPARE(m.dialogs.shown[0].kind, QString("input"));
    QCOMPARE(m.dialogs.shown[0].title, QString("Enter Rom Path"));
    QCOMPARE(m.dialogs.shown[0].text, "Type Path to Roms\n" + before);
    QCOMPARE(setting(app, "RomPath"), storedPath);
    QCOMPARE(m.state.settings().RomPath, answer.isEmpty() ? before : answer);
    QCOMPARE(listed(m.w), games);
    QCOMPARE(m.w.lstGames->currentRow(), games.isEmpty() ? -1 : 0); // filled again
}

void tst_frmMainMenus::emulatorFocus_data() {
    QTest::addColumn<QByteArray>("row1");
    QTest::addColumn<QString>("focused");
    QTest::newRow("text option") << QByteArray("-a|A|0|x") << "txtConfig_1";
    QTest::newRow("list option") << QByteArray("-b|B|1|p|q|1") << "cmbConfig_1";
    QTest::newRow("check option") << QByteArray("-c|C|2|1") << "chkCfg_1";
}

void tst_frmMainMenus::emulatorFocus() {
    QFETCH(QByteArray, row1);
    QFETCH(QString, focused);
    TestAppFolder app;
    writeEmulator(app, "0", "1", {"a"});
    app.write("dovrel/cfgdef.ini", "[General]\nNumCats=1\n[Cat1]\nName=Video\nnumOpts=2\nopt1=" +
                                       row1 + "\nopt2=-z|Z|0|z\n");
    Window m(app);
    QVERIFY(m.w.Form_Load());
    m.w.show();
    QVERIFY(QTest::qWaitForWindowActive(&m.w));
    m.w.lstGames->setFocus();
    m.w.menus().mnuConfigEmulator->trigger();
    QVERIFY(m.w.focusWidget());
    QCOMPARE(m.w.focusWidget()->objectName(), focused);
    QVERIFY(m.w.menus().mnuViewShowGameConfig->isChecked());
}

void tst_frmMainMenus::startupShowConfig_data() {
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<bool>("shown");
    QTest::newRow("1 shows and writes back") << QByteArray("1") << true;
    QTest::newRow("2 is off") << QByteArray("2") << false;
    QTest::newRow("-1 is off") << QByteArray("-1") << false;
}

void tst_frmMainMenus::startupShowConfig() {
    QFETCH(QByteArray, stored);
    QFETCH(bool, shown);
    TestAppFolder app;
    writeEmulator(app, stored, "1", {"a"});
    // Mark the file so a write of "1" shows even when it held "1" already.
    app.write("dovrel/dovrel.ini",
              app.read("dovrel/dovrel.ini").replace("ShowConfig=1", "ShowConfig=  1.0"));
    Window m(app);
    QVERIFY(m.w.Form_Load());
    QCOMPARE(m.w.menus().mnuViewShowGameConfig->isChecked(), shown);
    QCOMPARE(m.w.outerWidthTw(), placed(shown ? 10115 : 5940));
    if (shown) {
        QCOMPARE(ReadIni(app.file("dovrel/dovrel.ini"), "Settings", "ShowConfig"), QString("1"));
        QVERIFY(app.read("dovrel/dovrel.ini").contains("ShowConfig=1\n"));
    } else {
        // Only the missing-ROM toggle wrote; ShowConfig stayed as it was.
        QCOMPARE(setting(app, "ShowConfig"), QString(stored));
    }
}

void tst_frmMainMenus::startupShowMissingRoms() {
    TestAppFolder app;
    writeEmulator(app, "0", "1", {"new1", "new2"});
    app.write("dovrel/glist.lst", "old|Old game\r\n");
    Window m(app);
    QStringList fills;
    connect(m.w.lstGames, &GameListBox::currentRowChanged, [&](int row) {
        if (row >= 0)
            fills << m.w.lstGames->itemText(row);
    });
    QVERIFY(m.w.Form_Load());
    QCOMPARE(fills, QStringList({"Old game", "Game new1"})); // the old cache, then the new one
    QCOMPARE(listed(m.w), QStringList({"Game new1", "Game new2"}));
    QVERIFY(m.w.menus().mnuShowMissingRoms->isChecked());
    QCOMPARE(setting(app, "ShowMissingRoms"), QString("1"));
}

void tst_frmMainMenus::startupShowMissingRomsFirstRun() {
    TestAppFolder app;
    writeEmulator(app, "0", "1", {"new1"});
    Window m(app);
    QVERIFY(m.w.Form_Load());
    QCOMPARE(listed(m.w), QStringList{"Game new1"});
}

void tst_frmMainMenus::aboutOpensOnce() {
    TestAppFolder app;
    Window m(app);
    m.state.setHelpText("Banner\r\n");
    m.w.menus().mnuHelpAbout->trigger();
    m.w.menus().mnuHelpAbout->trigger();
    const QList<QWidget*> abouts = m.w.findChildren<QWidget*>("frmAbout");
    QCOMPARE(abouts.size(), 1);
    QVERIFY(abouts[0]->isVisible());
    abouts[0]->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(m.w.findChildren<QWidget*>("frmAbout").size(), 0);
    m.w.menus().mnuHelpAbout->trigger();
    QCOMPARE(m.w.findChildren<QWidget*>("frmAbout").size(), 1);
}

void tst_frmMainMenus::widthIsOuterOnceFramed() {
    TestAppFolder app;
    Window m(app);
    m.w.menus().mnuViewShowGameConfig->trigger(); // before the window has a frame
    m.w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m.w));
    const int frame = m.w.frameGeometry().width() - m.w.geometry().width();
    QCOMPARE(m.w.outerWidthTw(), placed(10115));
    QCOMPARE(m.w.findChild<QWidget*>("client")->width(), Twips::toPx(10115) - frame);
}

QTEST_MAIN(tst_frmMainMenus)
#include "tst_frmMainMenus.moc"

#include "gamelist/ui/GameListBox.h"
#include "profiles/Profiles.h"
#include "session/GameSession.h"
#include "shell/frmMain.h"
#include "ui/Twips.h"

#include <QPushButton>
#include <QtTest>

#include "FifoWatch.h"
#include "HostileFiles.h"
#include "common/FakeDialogs.h"
#include "common/MainWindowFixture.h"
#include "common/TestAppFolder.h"

// The profiles (dovrel/cfgs/default.ini and one file per game) at their worst: selecting the
// game shows defined values, saving keeps every line it does not change, and a profile that is
// no regular file is never replaced or deleted; a failed save says so once.
namespace {

const QByteArray kDefinitions = "[General]\nNumCats=1\n[Cat1]\nName=Main\nnumOpts=2\n"
                                "opt1=-name |Name|0|plain\nopt2=-fs|Full screen|2|0\n";
const QByteArray kDefault = "[Main]\nName=from default\nFull screen=1\n";

struct Window : MainWindowFixture {
    explicit Window(const std::function<void(const TestAppFolder&)>& prepare) {
        app.write("dovrel/dovrel.ini", "[Parse]\nExeName=emu\n");
        app.write("dovrel/cfgdef.ini", kDefinitions);
        app.write("dovrel/glist.lst", "alpha|Alpha\r\nbeta|Beta\r\n");
        app.write("dovrel/cfgs/default.ini", kDefault);
        prepare(app);
        startFromCache(); // selects alpha and loads its profile
    }
    QString name() const { return w.optionsPanel().text(1); }
};

} // namespace

class tst_HostileProfiles : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Twips::setPerPixel(15); }

    void gameProfile_data();
    void gameProfile();
    void gameProfileNotARegularFile_data();
    void gameProfileNotARegularFile();
    void defaultProfileIsAFifo();
};

void tst_HostileProfiles::gameProfile_data() {
    QTest::addColumn<QByteArray>("profile");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QByteArray>("afterSave"); // empty: every other byte kept, see below
    QTest::newRow("binary garbage")
        << HostileFiles::Garbage(1 << 16, 41) << "from default" << QByteArray();
    QTest::newRow("NUL in a value")
        << QByteArrayLiteral("[Main]\nName=a\0b\nx=1\n") << QString::fromUtf8("a\0b", 3)
        << QByteArrayLiteral("[Main]\nName=saved\nx=1\n");
    QTest::newRow("10 MB value") << "[Main]\nName=" + QByteArray(10 << 20, 'n') + "\n"
                                 << QString(2499, u'n') << QByteArray("[Main]\nName=saved\n");
    QTest::newRow("byte-order mark, CR-only")
        << QByteArray("\xEF\xBB\xBF[Main]\rName=bom\rkept=1\r") << "bom"
        << QByteArray("\xEF\xBB\xBF[Main]\rName=saved\rkept=1\r");
    QTest::newRow("Latin-1 stays Latin-1")
        << QByteArray("[Main]\r\nName=caf\xE9\r\nother=\xFF\r\n") << QString::fromLatin1("caf\xE9")
        << QByteArray("[Main]\r\nName=saved\r\nother=\xFF\r\n");
}

void tst_HostileProfiles::gameProfile() {
    QFETCH(QByteArray, profile);
    QFETCH(QString, shown);
    QFETCH(QByteArray, afterSave);
    Window win([&](const TestAppFolder& app) { app.write("dovrel/cfgs/alpha.ini", profile); });
    QCOMPARE(win.name(), shown);
    win.w.optionsPanel().setText(1, "saved");
    win.w.cmdSaveRom->click();
    QVERIFY(win.dialogs.shown.isEmpty());
    const QByteArray written = win.app.read("dovrel/cfgs/alpha.ini");
    if (afterSave.isEmpty()) {
        const auto withoutEnds = [](QByteArray b) { return b.replace('\r', "").replace('\n', ""); };
        QVERIFY(withoutEnds(written).startsWith(withoutEnds(profile)));
    } else {
        QCOMPARE(written, afterSave);
    }
    win.w.lstGames->setCurrentRow(1);
    win.w.lstGames->setCurrentRow(0);
    QCOMPARE(win.name(), QString("saved"));
}

void tst_HostileProfiles::gameProfileNotARegularFile_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("directory") << "directory";
    QTest::newRow("FIFO") << "fifo";
}

void tst_HostileProfiles::gameProfileNotARegularFile() {
    QFETCH(QString, kind);
    TestAppFolder probe;
    std::unique_ptr<FifoWatch> watch;
    Window win([&](const TestAppFolder& app) {
        const QString file = app.file("dovrel/cfgs/alpha.ini");
        if (kind == "directory")
            app.write("dovrel/cfgs/alpha.ini/inside", "kept");
        else if (HostileFiles::MakeFifo(file))
            watch = std::make_unique<FifoWatch>(file);
    });
    const QString file = win.app.file("dovrel/cfgs/alpha.ini");
    QCOMPARE(win.name(), QString("from default"));
    win.w.optionsPanel().setText(1, "changed");
    win.w.cmdSaveRom->click();
    QCOMPARE(win.dialogs.shown.size(), 1);
    QCOMPARE(win.dialogs.shown[0].text, ProfileMessages::notSaved(file));
    win.dialogs.yesNoAnswer = true;
    win.w.cmdRevert->click(); // nothing to delete: it is not a profile
    if (watch)
        QVERIFY(!watch->releasedABlockedReader());
    QVERIFY(kind == "fifo" ? HostileFiles::IsFifo(file) : HostileFiles::IsDirectory(file));
    QCOMPARE(win.name(), QString("from default"));
}

void tst_HostileProfiles::defaultProfileIsAFifo() {
    std::unique_ptr<FifoWatch> watch;
    Window win([&](const TestAppFolder& app) {
        const QString file = app.file("dovrel/cfgs/default.ini");
        QFile::remove(file);
        if (HostileFiles::MakeFifo(file))
            watch = std::make_unique<FifoWatch>(file);
    });
    QVERIFY(watch);
    // The missing default profile cannot be written from the panel: one warning for the run,
    // and the panel keeps showing what the definitions gave.
    for (int row : {1, 0, 1})
        win.w.lstGames->setCurrentRow(row);
    QCOMPARE(win.dialogs.shown.size(), 1);
    QCOMPARE(win.dialogs.shown[0].kind, QString("warning"));
    QVERIFY(!watch->releasedABlockedReader());
    QVERIFY(HostileFiles::IsFifo(win.app.file("dovrel/cfgs/default.ini")));
}

QTEST_MAIN(tst_HostileProfiles)
#include "tst_HostileProfiles.moc"

#include "gamelist/ui/GameListBox.h"
#include "session/GameSession.h"
#include "shell/frmMain.h"
#include "ui/Twips.h"

#include <QPushButton>
#include <QtTest>

#include "HostileFiles.h"
#include "ProcessFigures.h"
#include "common/FakeDialogs.h"
#include "common/TestAppFolder.h"

// Many launches of a short-lived emulator and many game selections in a row leave no trace:
// no memory growth beyond a generous bound, no descriptor left open, no child process left
// (running or as a zombie). Counts only; the benchmark prints the same figures for its longer
// soak. TARVELIN_SOAK_FULL=1 runs 200 launches and 10,000 selections instead of 50 and 2,000.
namespace {

int rounds(int quick, int full) {
    return qEnvironmentVariableIntValue("TARVELIN_SOAK_FULL") ? full : quick;
}

// Memory may settle a little (allocator pools, font and style caches); a leak of a few
// kilobytes per launch or selection would pass this, a leak of a window or a file buffer not.
constexpr qint64 kMemoryBound = 24 << 20;

} // namespace

class tst_Soak : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        Twips::setPerPixel(15);
        m_startDir = QDir::currentPath();
    }
    void cleanupTestCase() { QDir::setCurrent(m_startDir); }
    void launchesAndSelections();

private:
    QString m_startDir;
};

void tst_Soak::launchesAndSelections() {
    const int launches = rounds(50, 200);
    const int selections = rounds(2000, 10000);
    TestAppFolder app;
    app.write("dovrel/dovrel.ini",
              "[Parse]\nExeName=emu\n[Settings]\nRomPath=/roms/\nSendRomPath=1\n"
              "RomPathinQuotes=1\nRomExt=.zip\n");
    app.write("dovrel/cfgdef.ini", "[General]\nNumCats=2\n[Cat1]\nName=Video\nnumOpts=3\n"
                                   "opt1=-scale |Scale|1|1|2|3|2\nopt2=-fs|Full screen|2|1\n"
                                   "opt3=-name |Name|0|Player\n[Cat2]\nName=Sound\nnumOpts=1\n"
                                   "opt1=-volume |Volume|0|80\n");
    app.write("dovrel/glist.lst", HostileFiles::Numbered("game%1|Game number %1\r\n", 40));
    for (int i = 1; i <= 40; i += 3)
        app.write(QString("dovrel/cfgs/game%1.ini").arg(i),
                  "[Video]\nScale=3\n[Sound]\nVolume=5\n");
    app.writeScript("emu", "printf x >> launched\n");
    GameSession state(app.path());
    FakeDialogs dialogs;
    frmMain w(state, dialogs);
    w.ReadDovrelCFG();
    w.LoadGameList(false);
    w.InitCfg();
    QCOMPARE(w.lstGames->count(), 40);

    const auto launch = [&](int i) {
        w.lstGames->setCurrentRow(i % 40);
        w.cmdLaunch->click();
    };
    const auto select = [&](int i) { w.lstGames->setCurrentRow((i * 7) % 40); };
    // Warm up, so that caches filled once (fonts, styles, the process machinery) count as the
    // start, not as growth.
    for (int i = 0; i < 5; ++i)
        launch(i);
    for (int i = 0; i < 200; ++i)
        select(i);
    QCoreApplication::processEvents();
    const ProcessFigures start = ProcessFigures::now();

    int leftChildren = 0;
    for (int i = 0; i < launches; ++i) {
        launch(i);
        leftChildren = qMax(leftChildren, ProcessFigures::now().children);
    }
    for (int i = 0; i < selections; ++i)
        select(i);
    QCoreApplication::processEvents();
    const ProcessFigures end = ProcessFigures::now();

    qInfo("%d launches, %d selections: resident %lld -> %lld KB, descriptors %d -> %d, "
          "children %d -> %d (at most %d after a launch)",
          launches, selections, start.residentBytes >> 10, end.residentBytes >> 10,
          start.openDescriptors, end.openDescriptors, start.children, end.children, leftChildren);
    QCOMPARE(app.read("launched").size(), qsizetype(launches + 5));
    QVERIFY(dialogs.shown.isEmpty());
    QCOMPARE(leftChildren, 0);
    QCOMPARE(end.children, 0);
    QVERIFY(end.openDescriptors <= start.openDescriptors);
#if defined(__SANITIZE_ADDRESS__)
    // AddressSanitizer keeps freed memory in quarantine, so resident memory grows by design;
    // its leak checker stands in for this bound.
#else
    QVERIFY2(
        end.residentBytes - start.residentBytes <= kMemoryBound,
        qPrintable(QString("grew by %1 KB").arg((end.residentBytes - start.residentBytes) >> 10)));
#endif
}

QTEST_MAIN(tst_Soak)
#include "tst_Soak.moc"

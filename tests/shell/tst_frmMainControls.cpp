#include "controls/ui/BindingCell.h"
#include "controls/ui/frmControls.h"
#include "session/GameSession.h"
#include "shell/frmMain.h"

#include <QAction>
#include <QtTest>

#include "common/FakeDialogs.h"
#include "common/TestAppFolder.h"

// "&Controls" in the main window's menu opens the control assignment window.
class tst_frmMainControls : public QObject {
    Q_OBJECT
private slots:
    void opensOnceAndAfresh();
    void noDefinitionsNoWindow();
};

void tst_frmMainControls::noDefinitionsNoWindow() {
    TestAppFolder app;
    GameSession state(app.path());
    FakeDialogs dialogs;
    frmMain main(state, dialogs);
    main.menus().mnuConfigControls->trigger();
    QVERIFY(!main.findChild<frmControls*>());
    QCOMPARE(dialogs.shown.size(), 1);
    QCOMPARE(dialogs.shown[0].kind, QString("information"));
    QCOMPARE(dialogs.shown[0].text,
             QString("This emulator's inputs are set in the emulator itself, "
                     "not here."));
}

void tst_frmMainControls::opensOnceAndAfresh() {
    TestAppFolder app;
    app.write(
        "dovrel/controldef.ini",
        "[General]\niniName=emu.ini\nnumCats=1\n[cat1]\nName=Pad\nKeyName=[Pad]\nnumInputs=1\n"
        "input1=up|Up|Up Arrow\n");
    app.write("emu.ini", "[Pad]\nup=W\n");
    GameSession state(app.path());
    FakeDialogs dialogs;
    frmMain main(state, dialogs);
    main.show();

    main.menus().mnuConfigControls->trigger();
    QPointer<frmControls> first = main.findChild<frmControls*>();
    QVERIFY(first);
    QVERIFY(first->isWindow());
    QVERIFY(first->isVisible());
    QTRY_COMPARE(first->cmdBindAt(1)->text(), QString("W"));

    // Chosen again while open: the same window, brought to the front.
    app.write("emu.ini", "[Pad]\nup=S\n");
    main.menus().mnuConfigControls->trigger();
    QCOMPARE(main.findChildren<frmControls*>().size(), 1);
    QCOMPARE(first->cmdBindAt(1)->text(), QString("W"));
    QTRY_COMPARE(QApplication::activeWindow(), first.data());

    // Closed windows are gone; the next opening reads the files afresh.
    first->close();
    QTRY_VERIFY(!first);
    main.menus().mnuConfigControls->trigger();
    frmControls* second = main.findChild<frmControls*>();
    QVERIFY(second);
    QTRY_COMPARE(second->cmdBindAt(1)->text(), QString("S"));
}

QTEST_MAIN(tst_frmMainControls)
#include "tst_frmMainControls.moc"

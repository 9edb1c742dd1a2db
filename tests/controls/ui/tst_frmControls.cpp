#include "controls/ui/frmControls.h"

#include "base/Ini.h"
#include "controls/ControlsLayout.h"
#include "controls/ui/BindingCell.h"
#include "controls/ui/KeyCapture.h"
#include "ui/Twips.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QtTest>

#include "common/FakeDialogs.h"
#include "common/TestAppFolder.h"

using Steps = std::function<void(frmControls*)>;
Q_DECLARE_METATYPE(Steps)

// The control assignment window driven by synthesized key and mouse events.
class tst_frmControls : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Twips::setPerPixel(15); }
    void templateAndDesign();
    void rowsShowInputsOfTheirCategory();
    void layoutFollowsCategorySize_data();
    void layoutFollowsCategorySize();
    void tallCategoryScrolls();
    void noCategories();
    void categoryChangesWithinIntervalBuildOnce();
    void inputHelp_data();
    void inputHelp();
    void capture_data();
    void capture();
    void controlsDisabledDuringCapture();
    void clicksIgnoredWhileCapturePending();
    void pressKeyCellIgnoresClicks();
    void capturedBindingSurvivesCategoryChange();
    void closeDuringCaptureChangesNothing();
    void closeWhilePendingChangesNothing();
    void saveModes_data();
    void saveModes();
    void cancelWritesNothing();
    void failedSaveWarnsAndStaysOpen_data();
    void failedSaveWarnsAndStaysOpen();
    void emptyIniNameWritesNothing_data();
    void emptyIniNameWritesNothing();
};

namespace {

const QByteArray kKeyNames = "[ScanCodes]\n1=Left Mouse\n2=Right Mouse\n13=Enter\n"
                             "16=Left Shift|Right Shift\n17=Left Control|Right Control\n"
                             "20=Caps Lock\n27=Escape\n65=A\n66=B\n144=Num Lock\n"
                             "160=Left Shift only\n161=Right Shift only\n";

// Categories of the given sizes; input k of category c is "c<c>k<k>", default "D<c>.<k>".
QByteArray definitions(const QList<int>& sizes, const QByteArray& iniType = "0",
                       const QByteArray& iniName = "emu.ini") {
    QByteArray text = "[General]\niniName=" + iniName + "\nCIniType=" + iniType +
                      "\nnumCats=" + QByteArray::number(sizes.size()) + "\n";
    for (int c = 1; c <= sizes.size(); ++c) {
        const QByteArray n = QByteArray::number(c);
        text += "[cat" + n + "]\nName=Category " + n + "\nKeyName=[Sect " + n +
                "]\nnumInputs=" + QByteArray::number(sizes[c - 1]) + "\n";
        for (int k = 1; k <= sizes[c - 1]; ++k) {
            const QByteArray kk = QByteArray::number(k);
            text += "input" + kk + "=c" + n + "k" + kk + "|Caption " + n + "." + kk + "|D" + n +
                    "." + kk + "\n";
        }
    }
    return text;
}

struct Fixture {
    TestAppFolder app;
    FakeDialogs dialogs;
    QPointer<frmControls> window;

    explicit Fixture(const QByteArray& defs, const QByteArray& emu = "[Sect 1]\nc1k2=B\n",
                     const QByteArray& keyNames = kKeyNames) {
        app.write("dovrel/controldef.ini", defs);
        app.write("dovrel/scancodes.ini", keyNames);
        if (!emu.isEmpty())
            app.write("emu.ini", emu);
    }
    ~Fixture() { delete window; }

    // Opens the window and waits for its first view build.
    frmControls* open(bool expectRows = true) {
        window = new frmControls(app.path(), dialogs);
        QSignalSpy built(window.data(), &frmControls::rowsBuilt);
        window->show();
        if (expectRows && !built.wait(5000))
            qWarning("no view build");
        return window;
    }
};

QRect rowTwips(const frmControls* w, const QWidget* control) {
    return QRect(qRound(Twips::fromPx(control->x())), qRound(w->rowTopTw(control)),
                 qRound(Twips::fromPx(control->width())), qRound(Twips::fromPx(control->height())));
}

// X11 key symbols of Shift_L, Shift_R and Control_R: what tells the hand of a modifier.
constexpr quint32 kShiftLeft = 0xffe1;
constexpr quint32 kShiftRight = 0xffe2;
constexpr quint32 kControlRight = 0xffe4;

void sendKey(QWidget* w, QEvent::Type type, int key, quint32 keySymbol = 0) {
    QKeyEvent event(type, key, Qt::NoModifier, 0, keySymbol, 0);
    QApplication::sendEvent(w, &event);
}

// Clicks a binding cell, runs `pending` before the capture starts and `waiting` from inside
// its wait, and returns once the capture has ended.
bool runCapture(frmControls* w, int row, const Steps& pending, const Steps& waiting,
                bool holdButton = false) {
    BindingCell* cell = w->cmdBindAt(row);
    QTest::mousePress(cell, Qt::LeftButton);
    if (!holdButton)
        QTest::mouseRelease(cell, Qt::LeftButton);
    if (cell->text() != "Press Key")
        return false;
    if (pending)
        pending(w);
    QObject context;
    QObject::connect(w, &frmControls::captureStarted, &context, [w, waiting] {
        if (waiting)
            QTimer::singleShot(0, w, [w, waiting] { waiting(w); });
    });
    // A capture that misses its key is ended, so the test fails instead of hanging.
    bool missed = false;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, w, [w, &missed] {
        missed = true;
        w->capture().cancel();
    });
    guard.start(5000);
    QSignalSpy finished(w, &frmControls::captureFinished);
    const bool ended = finished.wait(10000) && !missed;
    if (holdButton)
        QTest::mouseRelease(w->cmdBindAt(row), Qt::LeftButton);
    return ended;
}

} // namespace

void tst_frmControls::templateAndDesign() {
    Fixture f(definitions({2}));
    frmControls* w = f.open();
    QCOMPARE(w->windowTitle(), QString("Control Assignments"));
    QCOMPARE(w->objectName(), QString("frmControls"));
    QCOMPARE(w->mnuHelp->text(), QString("&Help"));
    QVERIFY(!w->mnuHelp->menu()); // a menu bar item without sub-items
    QCOMPARE(w->Label1->text(), QString("Control Type:"));
    QCOMPARE(w->cmdSave->text(), QString("Save"));
    QCOMPARE(w->cmdCancel->text(), QString("Cancel"));
    QVERIFY(!w->cmdSave->isDefault() && !w->cmdSave->autoDefault());
    QVERIFY(!w->cmdCancel->isDefault() && !w->cmdCancel->autoDefault());
    QCOMPARE(w->client->width(), Twips::toPx(3780));
    QCOMPARE(w->timKey->interval(), 330);
    QCOMPARE(w->timload->interval(), 10);
    QCOMPARE(rowTwips(w, w->cmdBindAt(1)), QRect(1920, 600, 1575, 375));
    QCOMPARE(rowTwips(w, w->lblCapAt(1)), QRect(0, 660, 1815, 255));
    QCOMPARE(w->lblCapAt(1)->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    QCOMPARE(w->cmdBindAt(1)->alignment(), Qt::AlignCenter);
}

void tst_frmControls::rowsShowInputsOfTheirCategory() {
    Fixture f(definitions({3, 2}), "[sect 1]\nC1K2 = \"B\"\n[Sect 2]\nc2k2='Space'\n");
    frmControls* w = f.open();
    QCOMPARE(w->cmbControls->count(), 2);
    QCOMPARE(w->cmbControls->itemText(1), QString("Category 2"));
    QCOMPARE(w->cmdBindAt(1)->text(), QString("D1.1")); // no binding: the default shows
    QCOMPARE(w->cmdBindAt(2)->text(), QString("B"));
    QCOMPARE(w->lblCapAt(3)->text(), QString("Caption 1.3"));
    QCOMPARE(w->tables().InputList[1].binding, QString()); // showing the default stores nothing

    QSignalSpy built(w, &frmControls::rowsBuilt);
    w->cmbControls->setCurrentIndex(1);
    QVERIFY(built.wait(5000));
    QCOMPARE(w->loadedRows(), 2);
    QVERIFY(!w->findChild<QLabel*>("lblCap_3"));
    QVERIFY(!w->findChild<BindingCell*>("cmdBind_3"));
    QCOMPARE(w->lblCapAt(1)->text(), QString("Caption 2.1")); // input 4
    QCOMPARE(w->cmdBindAt(2)->text(), QString("Space"));      // input 5
    QCOMPARE(w->findChild<BindingCell*>("cmdBind_2"), w->cmdBindAt(2));
}

void tst_frmControls::layoutFollowsCategorySize_data() {
    QTest::addColumn<QList<int>>("order"); // categories to show, one after the other
    QTest::newRow("many, few, one, none, many") << QList<int>{0, 1, 2, 3, 0};
    QTest::newRow("none first, then one, then many") << QList<int>{3, 2, 0};
}

void tst_frmControls::layoutFollowsCategorySize() {
    QFETCH(QList<int>, order);
    const QList<int> sizes{6, 3, 1, 0};
    Fixture f(definitions(sizes), QByteArray());
    frmControls* w = f.open();
    for (int c : order) {
        if (w->cmbControls->currentIndex() != c) {
            QSignalSpy built(w, &frmControls::rowsBuilt);
            w->cmbControls->setCurrentIndex(c);
            QVERIFY(built.wait(5000));
        }
        const int rows = sizes[c];
        const ControlsLayout expected(ControlsLayout::Template{}, rows, 15);
        QCOMPARE(w->loadedRows(), qMax(rows, 1));
        for (int i = 1; i <= rows; ++i) {
            QCOMPARE(rowTwips(w, w->cmdBindAt(i)),
                     QRect(1920, int(expected.cellTop(i)), 1575, 375));
            QCOMPARE(rowTwips(w, w->lblCapAt(i)), QRect(0, int(expected.labelTop(i)), 1815, 255));
            QVERIFY(w->cmdBindAt(i)->isVisible());
            QCOMPARE(w->cmdBindAt(i)->text(), QString("D%1.%2").arg(c + 1).arg(i));
        }
        if (rows == 0)
            QVERIFY(!w->cmdBindAt(1)->isVisible() && !w->lblCapAt(1)->isVisible());
        QCOMPARE(w->outerHeightTw(), expected.windowHeight());
        // The buttons sit 1000 twips plus their height above the bottom edge, as placed.
        const double buttonTop = Twips::fromPx(Twips::toPx(expected.buttonTop()));
        QCOMPARE(Twips::fromPx(w->cmdSave->y()), buttonTop);
        QCOMPARE(Twips::fromPx(w->cmdCancel->y()), buttonTop);
        QCOMPARE(Twips::fromPx(w->cmdSave->x()), 120.0);
        QCOMPARE(Twips::fromPx(w->cmdCancel->x()), 2040.0);
        // Every row is in view without scrolling.
        QVERIFY(w->scrRows->geometry().bottom() >= w->scrRows->y() + w->rowsHost->height() - 1);
    }
}

void tst_frmControls::tallCategoryScrolls() {
    Fixture f(definitions({60}));
    frmControls* w = f.open();
    const ControlsLayout expected(ControlsLayout::Template{}, 60, 15);
    QVERIFY(expected.windowHeight() > w->maxOuterHeightTw());
    QCOMPARE(w->outerHeightTw(), w->maxOuterHeightTw());
    // Positions inside keep their twips; the rows area scrolls to reach them.
    QCOMPARE(w->rowTopTw(w->cmdBindAt(60)), expected.cellTop(60));
    QCOMPARE(Twips::fromPx(w->cmdSave->y()),
             Twips::fromPx(Twips::toPx(expected.buttonTopFor(w->maxOuterHeightTw()))));
    QVERIFY(w->scrRows->geometry().bottom() < w->cmdSave->y());
    QVERIFY(w->rowsHost->height() > w->scrRows->viewport()->height());
    QVERIFY(w->rowsHost->geometry().right() < w->scrRows->viewport()->width());
}

void tst_frmControls::noCategories() {
    Fixture f("[General]\niniName=emu.ini\nnumCats=0\n");
    frmControls* w = f.open(false);
    QSignalSpy built(w, &frmControls::rowsBuilt);
    QVERIFY(!built.wait(100));
    QCOMPARE(w->cmbControls->count(), 0);
    QCOMPARE(w->loadedRows(), 1);
    QVERIFY(!w->cmdBindAt(1)->isVisible());
    QCOMPARE(Twips::fromPx(w->cmdSave->y()), 3480.0);
    QCOMPARE(w->client->height(), Twips::toPx(3900));
}

void tst_frmControls::categoryChangesWithinIntervalBuildOnce() {
    Fixture f(definitions({2, 3, 1}));
    frmControls* w = f.open();
    QSignalSpy built(w, &frmControls::rowsBuilt);
    w->cmbControls->setCurrentIndex(2);
    w->cmbControls->setCurrentIndex(0);
    w->cmbControls->setCurrentIndex(1);
    QVERIFY(built.wait(5000));
    QTest::qWait(50);
    QCOMPARE(built.count(), 1);
    QCOMPARE(w->loadedRows(), 3); // the category selected when the timer fired
}

void tst_frmControls::inputHelp_data() {
    QTest::addColumn<QByteArray>("content"); // empty: no help file
    QTest::addColumn<bool>("asFolder");
    QTest::addColumn<QString>("shown");
    QTest::newRow("CR LF lines") << QByteArray("Line 1\r\nLine 2\r\n") << false
                                 << "Line 1\nLine 2\n";
    QTest::newRow("LF lines") << QByteArray("a\nb") << false << "a\nb";
    QTest::newRow("no file") << QByteArray() << false << "";
    QTest::newRow("a folder of that name") << QByteArray() << true << "";
}

void tst_frmControls::inputHelp() {
    QFETCH(QByteArray, content);
    QFETCH(bool, asFolder);
    QFETCH(QString, shown);
    Fixture f(definitions({1}));
    if (!content.isEmpty())
        f.app.write("dovrel/controls help.txt", content);
    if (asFolder)
        QDir(f.app.path()).mkpath("dovrel/controls help.txt");
    frmControls* w = f.open();
    w->mnuHelp->trigger();
    if (shown.isEmpty()) {
        QVERIFY(f.dialogs.shown.isEmpty());
        return;
    }
    QCOMPARE(f.dialogs.shown.size(), 1);
    QCOMPARE(f.dialogs.shown[0].kind, QString("information"));
    QCOMPARE(f.dialogs.shown[0].title, QString("Input Help"));
    QCOMPARE(f.dialogs.shown[0].text, shown);
}

void tst_frmControls::capture_data() {
    QTest::addColumn<QByteArray>("keyNames");
    QTest::addColumn<Steps>("pending"); // before the capture starts
    QTest::addColumn<Steps>("waiting"); // while it waits
    QTest::addColumn<bool>("holdButton");
    QTest::addColumn<QString>("name"); // what the cell then shows and the input stores

    const auto key = [](int k, quint32 symbol = 0) {
        return Steps([k, symbol](frmControls* w) { sendKey(w, QEvent::KeyPress, k, symbol); });
    };
    QTest::newRow("letter") << kKeyNames << Steps() << key(Qt::Key_A) << false << "A";
    QTest::newRow("right shift by its key symbol")
        << kKeyNames << Steps() << key(Qt::Key_Shift, kShiftRight) << false << "Right Shift";
    QTest::newRow("left shift by its key symbol")
        << kKeyNames << Steps() << key(Qt::Key_Shift, kShiftLeft) << false << "Left Shift";
    QTest::newRow("right shift, one name for both")
        << QByteArray("[ScanCodes]\n16=Shift\n161=R\n") << Steps()
        << key(Qt::Key_Shift, kShiftRight) << false << "Shift";
    QTest::newRow("right control")
        << kKeyNames << Steps() << key(Qt::Key_Control, kControlRight) << false << "Right Control";
    QTest::newRow("no name") << kKeyNames << Steps() << key(Qt::Key_F13) << false << "unknown:124";
    QTest::newRow("empty name") << QByteArray("[ScanCodes]\n65=\n") << Steps() << key(Qt::Key_A)
                                << false << "unknown:65";
    QTest::newRow("Escape restores the default")
        << kKeyNames << Steps() << key(Qt::Key_Escape) << false << "D1.2";
    QTest::newRow("Escape renamed is a key")
        << QByteArray("[ScanCodes]\n27=Esc\n") << Steps() << key(Qt::Key_Escape) << false << "Esc";
    QTest::newRow("another key named Escape")
        << QByteArray("[ScanCodes]\n66=Escape\n") << Steps() << key(Qt::Key_B) << false << "D1.2";
    QTest::newRow("Enter is a key")
        << kKeyNames << Steps() << key(Qt::Key_Return) << false << "Enter";
    QTest::newRow("held mouse button") << kKeyNames << Steps() << Steps() << true << "Left Mouse";
    // Both down when the capture starts: the lower code wins.
    QTest::newRow("mouse button before a key") << kKeyNames << Steps([](frmControls* w) {
        sendKey(w, QEvent::KeyPress, Qt::Key_Shift, kShiftRight);
        QTest::mousePress(w->cmdBindAt(1), Qt::RightButton);
    }) << Steps() << false << "Right Mouse";
    QTest::newRow("either-hand shift before its right-hand code")
        << kKeyNames << key(Qt::Key_Shift, kShiftRight) << Steps() << false << "Right Shift";
    QTest::newRow("quick click") << kKeyNames << Steps() << Steps([](frmControls* w) {
        QTest::mouseClick(w->cmdBindAt(3), Qt::RightButton);
    }) << false << "Right Mouse";
    QTest::newRow("key held since the click")
        << kKeyNames << key(Qt::Key_B) << Steps() << false << "B";
    QTest::newRow("key released before the capture") << kKeyNames << Steps([](frmControls* w) {
        sendKey(w, QEvent::KeyPress, Qt::Key_B);
        sendKey(w, QEvent::KeyRelease, Qt::Key_B);
    }) << key(Qt::Key_A) << false << "A";
    QTest::newRow("num lock on is no press") << kKeyNames << Steps([](frmControls* w) {
        sendKey(w, QEvent::KeyPress, Qt::Key_NumLock);
        sendKey(w, QEvent::KeyRelease, Qt::Key_NumLock);
    }) << key(Qt::Key_A) << false << "A";
    QTest::newRow("caps lock pressed")
        << kKeyNames << Steps() << key(Qt::Key_CapsLock) << false << "Caps Lock";
    QTest::newRow("num lock pressed")
        << kKeyNames << Steps() << key(Qt::Key_NumLock) << false << "Num Lock";
}

void tst_frmControls::capture() {
    QFETCH(QByteArray, keyNames);
    QFETCH(Steps, pending);
    QFETCH(Steps, waiting);
    QFETCH(bool, holdButton);
    QFETCH(QString, name);
    Fixture f(definitions({3}), "[Sect 1]\nc1k2=B\n", keyNames);
    frmControls* w = f.open();
    QSignalSpy saved(w->cmdSave, &QPushButton::clicked);
    QVERIFY(runCapture(w, 2, pending, waiting, holdButton));
    QCOMPARE(w->cmdBindAt(2)->text(), name);
    QCOMPARE(w->tables().InputList[2].binding, name);
    QCOMPARE(w->tables().InputList[1].binding, QString()); // other rows untouched
    QCOMPARE(w->cmdBindAt(1)->text(), QString("D1.1"));
    QVERIFY(w->isVisible()); // neither Escape nor Enter closes the window or presses a button
    QCOMPARE(saved.count(), 0);
    QVERIFY(f.dialogs.shown.isEmpty());
    QCOMPARE(f.app.read("emu.ini"), QByteArray("[Sect 1]\nc1k2=B\n")); // nothing saved yet
    // Release whatever the steps left down; the releases stay with the capture.
    for (int k : {Qt::Key_A, Qt::Key_B, Qt::Key_Escape, Qt::Key_Return, Qt::Key_F13,
                  Qt::Key_CapsLock, Qt::Key_NumLock})
        sendKey(w, QEvent::KeyRelease, k);
    sendKey(w, QEvent::KeyRelease, Qt::Key_Shift, kShiftRight);
    sendKey(w, QEvent::KeyRelease, Qt::Key_Shift, kShiftLeft);
    sendKey(w, QEvent::KeyRelease, Qt::Key_Control, kControlRight);
    QTest::mouseRelease(w->cmdBindAt(1), Qt::RightButton);
    QVERIFY(!w->capture().keys().anyDown());
}

void tst_frmControls::controlsDisabledDuringCapture() {
    Fixture f(definitions({2}));
    frmControls* w = f.open();
    QList<bool> enabledDuring;
    const bool ended = runCapture(w, 1, Steps(), [&](frmControls* w) {
        enabledDuring = {w->cmbControls->isEnabled(), w->cmdSave->isEnabled(),
                         w->cmdCancel->isEnabled()};
        // Clicks on the disabled buttons and the list are the capture's, not theirs.
        QTest::mouseClick(w->cmdCancel, Qt::LeftButton);
    });
    QVERIFY(ended);
    QCOMPARE(enabledDuring, (QList<bool>{false, false, false}));
    QCOMPARE(w->cmdBindAt(1)->text(), QString("Left Mouse"));
    QVERIFY(w->isVisible());
    QVERIFY(w->cmbControls->isEnabled() && w->cmdSave->isEnabled() && w->cmdCancel->isEnabled());
}

void tst_frmControls::clicksIgnoredWhileCapturePending() {
    Fixture f(definitions({3}));
    frmControls* w = f.open();
    const bool ended = runCapture(
        w, 1,
        [](frmControls* w) {
            QTest::mouseClick(w->cmdBindAt(2), Qt::LeftButton); // taken by the capture
            w->cmdBind_MouseDown(3);                            // ignored while one is pending
            QCOMPARE(w->cmdBindAt(2)->text(), QString("B"));
            QCOMPARE(w->cmdBindAt(3)->text(), QString("D1.3"));
            QCOMPARE(w->BindIndex, qint16(1));
        },
        [](frmControls* w) {
            w->cmdBind_MouseDown(3); // and while it runs
            sendKey(w, QEvent::KeyPress, Qt::Key_A);
        });
    QVERIFY(ended);
    QCOMPARE(w->cmdBindAt(1)->text(), QString("A"));
    QCOMPARE(w->cmdBindAt(3)->text(), QString("D1.3"));
    sendKey(w, QEvent::KeyRelease, Qt::Key_A);
    w->cmdBind_MouseDown(3); // accepted once the capture is over
    QCOMPARE(w->cmdBindAt(3)->text(), QString("Press Key"));
    QVERIFY(w->timKey->isActive());
    w->close();
}

void tst_frmControls::pressKeyCellIgnoresClicks() {
    Fixture f(definitions({2}), "[Sect 1]\nc1k1=Press Key\n");
    frmControls* w = f.open();
    QCOMPARE(w->cmdBindAt(1)->text(), QString("Press Key"));
    QTest::mouseClick(w->cmdBindAt(1), Qt::LeftButton);
    QVERIFY(!w->timKey->isActive());
    QCOMPARE(w->BindIndex, qint16(0));
    QVERIFY(!w->capture().isArmed());
}

void tst_frmControls::capturedBindingSurvivesCategoryChange() {
    Fixture f(definitions({2, 2}));
    frmControls* w = f.open();
    QVERIFY(
        runCapture(w, 2, Steps(), [](frmControls* w) { sendKey(w, QEvent::KeyPress, Qt::Key_A); }));
    sendKey(w, QEvent::KeyRelease, Qt::Key_A);
    QSignalSpy built(w, &frmControls::rowsBuilt);
    w->cmbControls->setCurrentIndex(1);
    QVERIFY(built.wait(5000));
    QCOMPARE(w->cmdBindAt(2)->text(), QString("D2.2"));
    w->cmbControls->setCurrentIndex(0);
    QVERIFY(built.wait(5000));
    QCOMPARE(w->cmdBindAt(2)->text(), QString("A"));
}

void tst_frmControls::closeDuringCaptureChangesNothing() {
    Fixture f(definitions({2}));
    frmControls* w = f.open();
    const bool ended = runCapture(w, 2, Steps(), [](frmControls* w) { w->close(); });
    QVERIFY(ended);
    QVERIFY(f.window); // still there until the capture's handler has returned
    QVERIFY(!f.window->isVisible());
    QCOMPARE(f.window->tables().InputList[2].binding, QString("B"));
    QVERIFY(!f.window->capture().isArmed());
    QTRY_VERIFY(!f.window);
    QCOMPARE(f.app.read("emu.ini"), QByteArray("[Sect 1]\nc1k2=B\n"));
}

void tst_frmControls::closeWhilePendingChangesNothing() {
    Fixture f(definitions({2}));
    frmControls* w = f.open();
    QTest::mouseClick(w->cmdBindAt(1), Qt::LeftButton);
    QVERIFY(w->timKey->isActive());
    QSignalSpy started(w, &frmControls::captureStarted);
    w->close();
    QTRY_VERIFY(!f.window);
    QCOMPARE(started.count(), 0);
    QCOMPARE(f.app.read("emu.ini"), QByteArray("[Sect 1]\nc1k2=B\n"));
}

void tst_frmControls::saveModes_data() {
    QTest::addColumn<QByteArray>("iniType");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<bool>("staysOpen");
    QTest::newRow("plain: in place, window stays")
        << QByteArray("0")
        << QByteArray("; mine\n[Sect 1]\nc1k2=A\nother=1\nc1k1=D1.1\n\n[Sect 2]\nc2k1=D2.1\n")
        << true;
    QTest::newRow("rewrite: regenerated, window closes")
        << QByteArray("1")
        << QByteArray(
               "[Sect 1]\r\nc1k1 = \"D1.1\"\r\nc1k2 = \"A\"\r\n\r\n[Sect 2]\r\nc2k1 = \"D2.1\"\r\n")
        << false;
}

void tst_frmControls::saveModes() {
    QFETCH(QByteArray, iniType);
    QFETCH(QByteArray, expected);
    QFETCH(bool, staysOpen);
    Fixture f(definitions({2, 1}, iniType), "; mine\n[Sect 1]\nc1k2=B\nother=1\n");
    QWidget mainWindow;
    mainWindow.show();
    f.window = new frmControls(f.app.path(), f.dialogs, &mainWindow);
    frmControls* w = f.window;
    QSignalSpy built(w, &frmControls::rowsBuilt);
    w->show();
    QVERIFY(built.wait(5000));
    QVERIFY(
        runCapture(w, 2, Steps(), [](frmControls* w) { sendKey(w, QEvent::KeyPress, Qt::Key_A); }));
    sendKey(w, QEvent::KeyRelease, Qt::Key_A);
    QTest::mouseClick(w->cmdSave, Qt::LeftButton);
    QCOMPARE(f.app.read("emu.ini"), expected);
    QVERIFY(f.dialogs.shown.isEmpty());
    if (staysOpen) {
        QVERIFY(w->isVisible());
        QTest::mouseClick(w->cmdSave, Qt::LeftButton); // saving again writes the same
        QCOMPARE(f.app.read("emu.ini"), expected);
    } else {
        QTRY_VERIFY(!f.window);
        QTRY_COMPARE(QApplication::activeWindow(), &mainWindow);
    }
}

void tst_frmControls::cancelWritesNothing() {
    const QByteArray before = "[Sect 1]\nc1k2=B\n";
    for (bool byCloseBox : {false, true}) {
        Fixture f(definitions({2}, "1"), before);
        frmControls* w = f.open();
        QVERIFY(runCapture(w, 1, Steps(),
                           [](frmControls* w) { sendKey(w, QEvent::KeyPress, Qt::Key_A); }));
        sendKey(w, QEvent::KeyRelease, Qt::Key_A);
        if (byCloseBox)
            w->close();
        else
            QTest::mouseClick(w->cmdCancel, Qt::LeftButton);
        QTRY_VERIFY(!f.window);
        QCOMPARE(f.app.read("emu.ini"), before);
        // The next opening reads the file afresh: the capture is gone.
        frmControls* again = f.open();
        QCOMPARE(again->cmdBindAt(1)->text(), QString("D1.1"));
    }
}

void tst_frmControls::failedSaveWarnsAndStaysOpen_data() {
    QTest::addColumn<QByteArray>("iniType");
    QTest::newRow("plain") << QByteArray("0");
    QTest::newRow("rewrite") << QByteArray("1");
}

void tst_frmControls::failedSaveWarnsAndStaysOpen() {
    QFETCH(QByteArray, iniType);
    Fixture f(definitions({2}, iniType, "adir"), QByteArray());
    QDir(f.app.path()).mkdir("adir");
    frmControls* w = f.open();
    QTest::mouseClick(w->cmdSave, Qt::LeftButton);
    QCOMPARE(f.dialogs.shown.size(), 1);
    QCOMPARE(f.dialogs.shown[0].kind, QString("warning"));
    QVERIFY(f.dialogs.shown[0].text.contains(f.app.file("adir")));
    QTest::qWait(20);
    QVERIFY(f.window && f.window->isVisible());
}

void tst_frmControls::emptyIniNameWritesNothing_data() {
    QTest::addColumn<QByteArray>("iniType");
    QTest::addColumn<bool>("staysOpen");
    QTest::newRow("plain") << QByteArray("0") << true;
    QTest::newRow("rewrite") << QByteArray("1") << false;
}

void tst_frmControls::emptyIniNameWritesNothing() {
    QFETCH(QByteArray, iniType);
    QFETCH(bool, staysOpen);
    Fixture f(definitions({2}, iniType, ""), QByteArray());
    frmControls* w = f.open();
    QCOMPARE(w->cmdBindAt(2)->text(), QString("D1.2"));
    QTest::mouseClick(w->cmdSave, Qt::LeftButton);
    QVERIFY(f.dialogs.shown.isEmpty());
    QCOMPARE(QDir(f.app.path()).entryList(QDir::Files), QStringList());
    if (staysOpen)
        QVERIFY(w->isVisible());
    else
        QTRY_VERIFY(!f.window);
}

QTEST_MAIN(tst_frmControls)
#include "tst_frmControls.moc"

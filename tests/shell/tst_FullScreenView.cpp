#include "gamelist/ui/GameFilterField.h"
#include "gamelist/ui/GameListBox.h"
#include "pictures/ui/PicturePane.h"
#include "shell/FullScreenView.h"
#include "shell/frmMain.h"
#include "ui/Twips.h"

#include <QAction>
#include <QtTest>

#include "common/MainWindowFixture.h"
#include "common/TestAppFolder.h"

// View -> Full Screen: the layout, and the way back to the standard window as it was.
namespace {

void prepare(const TestAppFolder& app, bool pictures) {
    app.write("dovrel/dovrel.ini", "[Parse]\nExeName=emu\n[Settings]\nShowMissingRoms=1\n"
                                   "ShowConfig=1\n" +
                                       QByteArray(pictures ? "PictureSources=snap\n" : ""));
    app.write("dovrel/cfgdef.ini", "[General]\nNumCats=2\n[Cat1]\nName=Video\nnumOpts=2\n"
                                   "opt1=-name |Name|0|Anna\nopt2=-fs|Full|2|1\n"
                                   "[Cat2]\nName=Sound\nnumOpts=1\nopt1=-vol |Volume|1|1|2|3|2\n");
    QByteArray list;
    for (int i = 0; i < 40; ++i)
        list += "g" + QByteArray::number(i) + "|Game " + QByteArray::number(i) + "\r\n";
    app.write("dovrel/glist.lst", list);
}

// The parts of a scroll bar, and the filter field's clear button, get their places when they
// are first used, whatever the window does: they are not the window's to put back.
bool insideScrollBars(const QWidget* widget, const QWidget* client) {
    for (const QWidget* w = widget; w && w != client; w = w->parentWidget())
        if (w->objectName().startsWith("qt_scrollarea_") ||
            (w != widget && w->objectName() == "txtFilter"))
            return true;
    return false;
}

// Everything that leaving must put back: the window's size and limits, and each control's
// place, visibility and font.
QStringList standardWindow(frmMain& w) {
    QStringList state;
    state << QString("window %1x%2 min %3x%4 max %5x%6")
                 .arg(w.width())
                 .arg(w.height())
                 .arg(w.minimumWidth())
                 .arg(w.minimumHeight())
                 .arg(w.maximumWidth())
                 .arg(w.maximumHeight());
    state << QString("states %1").arg(int(w.windowState()));
    const QWidget* client = w.findChild<QWidget*>("client");
    state << QString("client %1x%2").arg(client->width()).arg(client->height());
    for (const QWidget* child : client->findChildren<QWidget*>()) {
        if (insideScrollBars(child, client))
            continue;
        const QRect g = child->geometry();
        state << QString("%1 %2 %3,%4 %5x%6 %7 %8")
                     .arg(child->metaObject()->className(), child->objectName())
                     .arg(g.x())
                     .arg(g.y())
                     .arg(g.width())
                     .arg(g.height())
                     .arg(child->isHidden() ? "hidden" : "shown")
                     .arg(child->font().toString());
    }
    return state;
}

} // namespace

class tst_FullScreenView : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Twips::setPerPixel(15); }
    void enterAndLeave_data();
    void enterAndLeave();
    void escapeClosesTheFilterFirst();
};

void tst_FullScreenView::enterAndLeave_data() {
    QTest::addColumn<bool>("pictures");
    QTest::addColumn<QString>("way"); // how full screen is left
    QTest::newRow("F11 and F11") << false << "F11";
    QTest::newRow("F11 and Escape") << false << "Escape";
    QTest::newRow("with pictures, the menu item") << true << "menu";
    QTest::newRow("with pictures, Escape") << true << "Escape";
}

void tst_FullScreenView::enterAndLeave() {
    QFETCH(bool, pictures);
    QFETCH(QString, way);
    TestAppFolder app;
    prepare(app, pictures);
    MainWindowFixture m(app);
    m.startFromCache();
    m.w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m.w));
    m.w.lstGames->setCurrentRow(25);
    const QStringList standard = standardWindow(m.w);
    const QFont listFont = m.w.lstGames->font();
    QWidget* client = m.w.findChild<QWidget*>("client");

    QTest::keyClick(&m.w, Qt::Key_F11);
    QVERIFY(m.w.fullScreenView().isOn());
    QVERIFY(m.w.menus().mnuViewFullScreen->isChecked());
    QTRY_VERIFY(m.w.isFullScreen());
    QTRY_VERIFY(client->width() > Twips::toPx(5940));
    auto* picture = m.w.findChild<PicturePane*>("picGame");
    QCOMPARE(picture != nullptr, pictures);
    const FullScreenView::Layout layout = FullScreenView::layoutFor(client->size(), pictures);
    QTRY_COMPARE(m.w.lstGames->geometry(), layout.list);
    if (picture)
        QCOMPARE(picture->geometry(), layout.picture);
    QCOMPARE(m.w.lstGames->font().pointSizeF(), listFont.pointSizeF() * FullScreenView::kFontScale);
    for (QWidget* child : client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child != m.w.lstGames && child != picture)
            QVERIFY2(child->isHidden(), qPrintable(child->objectName()));
    QCOMPARE(m.w.lstGames->currentRow(), 25); // the selection stays

    if (way == "F11")
        QTest::keyClick(&m.w, Qt::Key_F11);
    else if (way == "Escape")
        QTest::keyClick(m.w.lstGames, Qt::Key_Escape);
    else
        m.w.menus().mnuViewFullScreen->trigger();
    QVERIFY(!m.w.fullScreenView().isOn());
    QVERIFY(!m.w.menus().mnuViewFullScreen->isChecked());
    QTRY_VERIFY(!m.w.isFullScreen());
    QTRY_COMPARE(standardWindow(m.w), standard);
    QCOMPARE(m.w.lstGames->currentRow(), 25);
}

void tst_FullScreenView::escapeClosesTheFilterFirst() {
    TestAppFolder app;
    prepare(app, false);
    MainWindowFixture m(app);
    m.startFromCache();
    m.w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m.w));
    const QStringList standard = standardWindow(m.w);
    m.w.mnuViewFullScreen_Click();
    QTest::keyClicks(m.w.lstGames, "game 3");
    auto* filter = m.w.findChild<GameFilterField*>("txtFilter");
    QVERIFY(filter->isVisible());
    QTest::keyClick(filter, Qt::Key_Escape);
    QVERIFY(filter->isHidden());
    QVERIFY(m.w.fullScreenView().isOn());
    QTest::keyClick(m.w.lstGames, Qt::Key_Escape);
    QVERIFY(!m.w.fullScreenView().isOn());
    QTRY_COMPARE(standardWindow(m.w), standard);
    // Escape in the standard window is what it always was: nothing.
    QTest::keyClick(m.w.lstGames, Qt::Key_Escape);
    QCOMPARE(standardWindow(m.w), standard);
}

QTEST_MAIN(tst_FullScreenView)
#include "tst_FullScreenView.moc"

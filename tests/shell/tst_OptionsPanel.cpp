#include "gamelist/ui/GameListBox.h"
#include "session/GameSession.h"
#include "shell/frmMain.h"
#include "ui/Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

#include <memory>

#include "common/FakeDialogs.h"
#include "common/MainWindowFixture.h"
#include "common/PanelValuesContract.h"
#include "common/TestAppFolder.h"

namespace {

// A main window whose panel was built from the given definitions.
struct Window : MainWindowFixture {
    explicit Window(const QByteArray& cfgdef) {
        if (!cfgdef.isNull())
            app.write("dovrel/cfgdef.ini", cfgdef);
    }
    void build() { w.InitCfg(); }
    // The scroll area lays out its view only once the window is shown.
    void show() {
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
    }
    frmMain* operator->() { return &w; }
    OptionsPanel& panel() { return w.optionsPanel(); }
};

QByteArray textOptions(const QList<int>& perCategory) {
    QByteArray file = "[General]\nNumCats=" + QByteArray::number(perCategory.size()) + "\n";
    int n = 0;
    for (int c = 1; c <= perCategory.size(); ++c) {
        file += "[Cat" + QByteArray::number(c) + "]\nName=Category " + QByteArray::number(c) +
                "\nnumOpts=" + QByteArray::number(perCategory[c - 1]) + "\n";
        for (int i = 1; i <= perCategory[c - 1]; ++i, ++n)
            file += "opt" + QByteArray::number(i) + "=-t" + QByteArray::number(n) + " |Text " +
                    QByteArray::number(n) + "|0|" + QByteArray::number(n) + "\n";
    }
    return file;
}

int px(double twips) {
    return Twips::toPx(twips);
}

// A widget's top-left in the client area, in pixels.
QPoint inClient(const QWidget* widget, const frmMain& w) {
    return widget->mapTo(w.findChild<QWidget*>("client"), QPoint());
}

// Widgets named like an element of a control array, anywhere in the window.
QStringList elementNames(const frmMain& w) {
    QStringList names;
    const QRegularExpression element("^(txtConfig|cmbConfig|chkCfg|lblConfig)_\\d+$");
    for (const QWidget* child : w.findChildren<QWidget*>(element))
        names << child->objectName();
    names.sort();
    return names;
}

} // namespace

class tst_OptionsPanel : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Twips::setPerPixel(15); }
    void tableAndPanelAgree();
    void initialValues();
    void captionsAsWritten();
    void rowOneTakesTheTemplates();
    void rowOneInSecondCategory();
    void threeTextRowsPlaced();
    void framesPlaced_data();
    void framesPlaced();
    void panelAboveButtons();
    void windowGrows();
    void screenStopsTheWindow();
    void screenStopsAWindowTheListGrew();
    void longCaptionHiddenByFrame();
    void firstFrameWhereDesigned();
    void focusInRowOrder();
    void createCLOString();
    void panelValuesFollowTheRules();
    void greyedCheckBoxClicks();
    void manyCategoriesNoOptions();
};

void tst_OptionsPanel::tableAndPanelAgree() {
    Window win("[General]\nNumCats=3\n"
               "[Cat1]\nName=Video\nnumOpts=6\nopt1=-a|A|0|1\nopt2=-u|U|9|x\nopt3=-l|L|1|x|y|2\n"
               "opt4=-short|S|0\nopt5=-c|C|2|1\nopt6=-e|E|1|0\n"
               "[Cat2]\nName=Empty\nnumOpts=2\nopt1=-k|K|1|1\nopt2=bad\n"
               "[Cat3]\nName=Sound\nnumOpts=3\nopt1=-m|M|2|0\nopt3=-v|V|0|80\n");
    win.build();
    const OptionTable& table = win->optionTable();
    QCOMPARE(table.OptionCount(), qint16(6));
    QCOMPARE(win.panel().frameCount(), 3);
    QStringList expectedNames;
    for (int r = 1; r <= table.OptionCount(); ++r) {
        const OptionRow& row = table.row(r);
        QWidget* control = nullptr;
        const QString index = "_" + QString::number(r);
        if (row.Kind == u"0") {
            control = win.panel().txtConfig(r);
            expectedNames << "txtConfig" + index << "lblConfig" + index;
            QVERIFY(!win.panel().cmbConfig(r) && !win.panel().chkCfg(r));
            QCOMPARE(win.panel().lblConfig(r)->text(), row.Caption);
        } else if (row.Kind == u"1") {
            control = win.panel().cmbConfig(r);
            expectedNames << "cmbConfig" + index << "lblConfig" + index;
            QVERIFY(!win.panel().txtConfig(r) && !win.panel().chkCfg(r));
            QCOMPARE(win.panel().lblConfig(r)->text(), row.Caption);
        } else {
            QCOMPARE(row.Kind, QString("2"));
            control = win.panel().chkCfg(r);
            expectedNames << "chkCfg" + index;
            QVERIFY(!win.panel().txtConfig(r) && !win.panel().cmbConfig(r));
            QVERIFY(!win.panel().lblConfig(r));
            QCOMPARE(win.panel().chkCfg(r)->text(), row.Caption);
        }
        QVERIFY2(control, qPrintable(row.Switch));
        QVERIFY(control->objectName().endsWith(index));
        QVERIFY(control->isVisibleTo(&win.w));
        const auto* frame = qobject_cast<QGroupBox*>(control->parentWidget());
        QVERIFY(frame);
        QCOMPARE(frame->title(), row.Category);
    }
    // Rows in the order of the file, and no element for a skipped definition.
    QStringList switches;
    for (int r = 1; r <= table.OptionCount(); ++r)
        switches << table.row(r).Switch;
    QCOMPARE(switches, QStringList({"-a", "-l", "-c", "-e", "-m", "-v"}));
    // Templates that row 1 did not use stay on the window under their own names.
    expectedNames << "cmbConfig_1"
                  << "chkCfg_1";
    expectedNames.sort();
    QCOMPARE(elementNames(win.w), expectedNames);
    QVERIFY(win.panel().fraCat(2)->findChildren<QWidget*>().isEmpty());
}

void tst_OptionsPanel::initialValues() {
    Window win("[Cat1]\nName=C\nnumOpts=8\nopt1=-a|A|0|10\nopt2=-b=|B|1|one|two|three|2\n"
               "opt3=-c|C|2|1\nopt4=-g|G|2|2\nopt5=-n|N|1|x|y|0\nopt6=-o|O|1|only|1\n"
               "opt7=-z|Z|2|7\nopt8=-q|Q|1|x|y|5\n");
    win.build();
    OptionsPanel& p = win.panel();
    QCOMPARE(p.text(1), QString("10"));
    QCOMPARE(p.ListIndex(2), 1);
    QCOMPARE(p.listCount(2), 3);
    QCOMPARE(p.cmbConfig(2)->currentText(), QString("two"));
    QCOMPARE(p.chkCfg(3)->checkState(), Qt::Checked);
    QCOMPARE(p.chkCfg(4)->checkState(), Qt::PartiallyChecked);
    QCOMPARE(p.ListIndex(5), -1);
    QCOMPARE(p.listCount(6), 1);
    QCOMPARE(p.ListIndex(6), 0);
    QCOMPARE(p.checkState(7), 0);
    QCOMPARE(p.ListIndex(8), -1);
    for (int r = 1; r <= 8; ++r)
        if (QWidget* w = p.txtConfig(r)   ? static_cast<QWidget*>(p.txtConfig(r))
                         : p.cmbConfig(r) ? static_cast<QWidget*>(p.cmbConfig(r))
                                          : p.chkCfg(r))
            QVERIFY(w->isEnabled());
}

void tst_OptionsPanel::captionsAsWritten() {
    Window win("[General]\nNumCats=1\n[Cat1]\nName=<i>Cat</i>\nnumOpts=2\n"
               "opt1=-a|<b>bold</b>|0|<u>x</u>\nopt2=-b| lead|1|<i>i</i>|1\n");
    win.build();
    OptionsPanel& p = win.panel();
    QCOMPARE(p.lblConfig(1)->textFormat(), Qt::PlainText);
    QCOMPARE(p.lblConfig(1)->text(), QString("<b>bold</b>"));
    QCOMPARE(p.lblConfig(2)->textFormat(), Qt::PlainText);
    QCOMPARE(p.lblConfig(2)->text(), QString(" lead"));
    QCOMPARE(p.text(1), QString("<u>x</u>"));
    QCOMPARE(p.listItem(2, 0), QString("<i>i</i>"));
    QCOMPARE(p.fraCat(1)->title(), QString("<i>Cat</i>"));
    QCOMPARE(win->optionTable().row(2).Caption, QString(" lead"));
}

void tst_OptionsPanel::rowOneTakesTheTemplates() {
    Window win("[Cat1]\nName=C\nnumOpts=3\nopt1=-a|A|0|1\nopt2=-b|B|0|2\nopt3=-c|C|2|0\n");
    win.build();
    OptionsPanel& p = win.panel();
    QCOMPARE(p.txtConfig(1), win->txtConfig1);
    QCOMPARE(p.lblConfig(1), win->lblConfig1);
    QCOMPARE(p.fraCat(1), win->fraCat1);
    QCOMPARE(win->txtConfig1->parentWidget(), static_cast<QWidget*>(win->fraCat1));
    QVERIFY(p.txtConfig(2) != win->txtConfig1);
    QCOMPARE(p.txtConfig(2)->font(), win->txtConfig1->font());
    QCOMPARE(p.txtConfig(2)->size(), win->txtConfig1->size());
    QCOMPARE(p.chkCfg(3)->size(), win->chkCfg1->size());
    QCOMPARE(p.chkCfg(3)->font(), win->chkCfg1->font());
    // The unused templates stay on the window, hidden.
    QCOMPARE(win->cmbConfig1->parentWidget(), win->findChild<QWidget*>("client"));
    QCOMPARE(win->chkCfg1->parentWidget(), win->findChild<QWidget*>("client"));
    QVERIFY(win->cmbConfig1->isHidden());
    QVERIFY(win->chkCfg1->isHidden());
    QVERIFY(!p.chkCfg(1));
}

void tst_OptionsPanel::rowOneInSecondCategory() {
    Window win("[General]\nNumCats=2\n[Cat1]\nName=Nothing\nnumOpts=1\nopt1=-x|X|5|0\n"
               "[Cat2]\nName=Here\nnumOpts=2\nopt1=-a|A|2|1\nopt2=-b|B|2|0\n");
    win.build();
    win.show();
    OptionsPanel& p = win.panel();
    QCOMPARE(p.chkCfg(1), win->chkCfg1);
    QCOMPARE(win->chkCfg1->parentWidget(), static_cast<QWidget*>(p.fraCat(2)));
    QCOMPARE(p.chkCfg(2)->parentWidget(), static_cast<QWidget*>(p.fraCat(2)));
    QCOMPARE(win->findChildren<QCheckBox*>("chkCfg_1").size(), 1);
    QCOMPARE(p.fraCat(1)->height(), px(200));
    QCOMPARE(inClient(p.fraCat(2), win.w).y(), px(400));
    QCOMPARE(p.chkCfg(1)->pos(), QPoint(px(120), px(200)));
    QCOMPARE(p.chkCfg(2)->pos(), QPoint(px(120), px(645)));
}

void tst_OptionsPanel::threeTextRowsPlaced() {
    Window win(textOptions({3}));
    win.build();
    win.show();
    OptionsPanel& p = win.panel();
    const QList<double> rows{200, 645, 1090};
    for (int r = 1; r <= 3; ++r) {
        QCOMPARE(p.txtConfig(r)->y(), px(rows[r - 1]));
        QCOMPARE(p.txtConfig(r)->size(), QSize(px(1095), px(345)));
        QCOMPARE(p.lblConfig(r)->x(), px(120));
        QCOMPARE(p.txtConfig(r)->x(), px(120 + Twips::fromPx(p.lblConfig(r)->width()) + 100));
        // The label is centred on its text box (whole pixels, so within one).
        const int labelMiddle2 = 2 * p.lblConfig(r)->y() + p.lblConfig(r)->height();
        const int boxMiddle2 = 2 * p.txtConfig(r)->y() + p.txtConfig(r)->height();
        QVERIFY2(qAbs(labelMiddle2 - boxMiddle2) <= 2, qPrintable(QString::number(r)));
    }
    QCOMPARE(QRect(inClient(p.fraCat(1), win.w), p.fraCat(1)->size()),
             QRect(px(6000), px(120), px(3615), px(1535)));
    for (QPushButton* b : {win->cmdSaveDefault, win->cmdSaveRom, win->cmdRevert})
        QCOMPARE(b->y(), px(1655));
}

void tst_OptionsPanel::framesPlaced_data() {
    QTest::addColumn<QList<int>>("options");
    QTest::addColumn<QList<double>>("tops");
    QTest::addColumn<QList<double>>("heights");
    QTest::addColumn<double>("buttons");
    QTest::newRow("one empty category")
        << QList<int>{0} << QList<double>{120} << QList<double>{200} << 320.0;
    QTest::newRow("2 and 1") << QList<int>{2, 1} << QList<double>{120, 1290}
                             << QList<double>{1090, 645} << 1935.0;
    QTest::newRow("2, 0, 3: later frames 80 below")
        << QList<int>{2, 0, 3} << QList<double>{120, 1290, 1570} << QList<double>{1090, 200, 1535}
        << 3105.0;
}

void tst_OptionsPanel::framesPlaced() {
    QFETCH(QList<int>, options);
    QFETCH(QList<double>, tops);
    QFETCH(QList<double>, heights);
    QFETCH(double, buttons);
    Window win(textOptions(options));
    win.build();
    win.show();
    QCOMPARE(win.panel().frameCount(), options.size());
    for (int c = 1; c <= options.size(); ++c) {
        const QGroupBox* frame = win.panel().fraCat(c);
        QCOMPARE(frame->objectName(), "fraCat_" + QString::number(c));
        QCOMPARE(frame->title(), "Category " + QString::number(c));
        QCOMPARE(QRect(inClient(frame, win.w), frame->size()),
                 QRect(px(6000), px(tops[c - 1]), px(3615), px(heights[c - 1])));
        QVERIFY(frame->isVisibleTo(&win.w));
    }
    for (QPushButton* b : {win->cmdSaveDefault, win->cmdSaveRom, win->cmdRevert})
        QCOMPARE(b->y(), px(buttons));
    QCOMPARE(win->cmdSaveDefault->geometry(), QRect(px(6000), px(buttons), px(1335), px(375)));
    QCOMPARE(win->cmdRevert->geometry(), QRect(px(8400), px(buttons), px(1215), px(375)));
}

void tst_OptionsPanel::panelAboveButtons() {
    Window win(textOptions({3}));
    const double outerBefore = win->outerHeightTw();
    const QRect launch = win->cmdLaunch->geometry();
    const QRect list = win->lstGames->geometry();
    win.build();
    QCOMPARE(win->outerHeightTw(), outerBefore);
    QCOMPARE(win->cmdLaunch->geometry(), launch);
    QCOMPARE(win->lstGames->geometry(), list);
    QCOMPARE(win->cmdSaveRom->y(), px(1655));
    win.show();
    QCOMPARE(win.panel().scrollArea()->verticalScrollBar()->maximum(), 0);
}

void tst_OptionsPanel::windowGrows() {
    // 11 text rows end the panel at 120 + 200 + 11 * 445 = 5215, 535 below the buttons.
    Window win(textOptions({11}));
    const double outerBefore = win->outerHeightTw();
    const double gap = outerBefore - Twips::fromPx(win->cmdSaveRom->y());
    QVERIFY(outerBefore + 535 < win->maxOuterHeightTw());
    win.build();
    QCOMPARE(win->outerHeightTw(), Twips::fromPx(px(outerBefore + 535)));
    QCOMPARE(win->cmdSaveRom->y(), px(win->outerHeightTw() - gap));
    QCOMPARE(win->cmdSaveRom->y(), px(5215));
    QCOMPARE(win->cmdLaunch->y(), px(4680));
    win.show();
    QCOMPARE(win.panel().scrollArea()->verticalScrollBar()->maximum(), 0);
}

void tst_OptionsPanel::screenStopsTheWindow() {
    Window win(textOptions({150}));
    const double gap = win->outerHeightTw() - Twips::fromPx(win->cmdSaveRom->y());
    win.build();
    // The layout keeps its figures; the window stops at the screen and the panel scrolls.
    QCOMPARE(win.panel().bottomTw(), 120.0 + 200 + 150 * 445);
    QCOMPARE(win.panel().txtConfig(150)->y(), px(200 + 149 * 445));
    QCOMPARE(win->outerHeightTw(), win->maxOuterHeightTw());
    const int buttons = px(win->maxOuterHeightTw() - gap);
    QCOMPARE(win->cmdSaveRom->y(), buttons);
    QScrollArea* scroller = win.panel().scrollArea();
    QCOMPARE(scroller->geometry().bottom() + 1, buttons);
    QCOMPARE(scroller->x(), px(6000));
    QVERIFY(scroller->geometry().right() < win->cmdRevert->geometry().right() + px(500));
    QCOMPARE(scroller->widget()->height(), px(win.panel().bottomTw()));
    win.show();
    QVERIFY(scroller->verticalScrollBar()->maximum() > 0);
}

void tst_OptionsPanel::screenStopsAWindowTheListGrew() {
    // The game list grew the window and moved cmdLaunch down, keeping its distance to the
    // window's bottom; the profile buttons stayed at their designed top.
    Window win(textOptions({150}));
    const double launchGap = win->outerHeightTw() - Twips::fromPx(win->cmdLaunch->y());
    win->setOuterHeightTw(win->outerHeightTw() + 1500);
    win->cmdLaunch->move(win->cmdLaunch->x(), px(win->outerHeightTw() - launchGap));
    win.build();
    QCOMPARE(win->outerHeightTw(), win->maxOuterHeightTw());
    // The buttons take the bottom row, as far above the window's bottom as cmdLaunch was.
    const int bottomRow = px(win->maxOuterHeightTw() - launchGap);
    QCOMPARE(win->cmdSaveRom->y(), bottomRow);
    QCOMPARE(win->cmdSaveDefault->y(), bottomRow);
    QCOMPARE(win->cmdRevert->y(), bottomRow);
    QCOMPARE(win.panel().scrollArea()->height(), bottomRow);
}

void tst_OptionsPanel::longCaptionHiddenByFrame() {
    Window win("[Cat1]\nName=C\nnumOpts=2\nopt1=-a|A caption so long that it runs well past the "
               "right edge of the frame and then some more|0|x\nopt2=-b|B|1|x|1\n");
    win.build();
    OptionsPanel& p = win.panel();
    QVERIFY(p.txtConfig(1)->x() + p.txtConfig(1)->width() > p.fraCat(1)->width());
    QCOMPARE(p.txtConfig(1)->parentWidget(), static_cast<QWidget*>(p.fraCat(1)));
    QCOMPARE(p.fraCat(1)->width(), px(3615));
    QCOMPARE(p.txtConfig(1)->width(), px(1095));
}

void tst_OptionsPanel::firstFrameWhereDesigned() {
    Window win(textOptions({1, 2}));
    QCOMPARE(win->fraCat1LeftTw(), 6000.0);
    QCOMPARE(win->fraCat1WidthTw(), 3615.0);
    win.build();
    QCOMPARE(win->fraCat1LeftTw(), 6000.0);
    QCOMPARE(win->fraCat1WidthTw(), 3615.0);
    win.show();
    QCOMPARE(win->fraCat1LeftTw(), 6000.0);
    QCOMPARE(inClient(win->fraCat1, win.w), QPoint(px(6000), px(120)));
}

void tst_OptionsPanel::focusInRowOrder() {
    Window win("[General]\nNumCats=2\n[Cat1]\nName=A\nnumOpts=3\nopt1=-c|C|2|0\nopt2=-a|A|0|1\n"
               "opt3=-l|L|1|x|1\n[Cat2]\nName=B\nnumOpts=2\nopt1=-t|T|0|1\nopt2=-d|D|2|1\n");
    // A control that the window gains after its fixed controls comes after the panel.
    auto* later = new QPushButton("later", win->findChild<QWidget*>("client"));
    later->setObjectName("later");
    win.build();
    // The next control that Tab reaches among those the window shows.
    const auto next = [&](QWidget* from) {
        QWidget* n = from->nextInFocusChain();
        while (!(n->focusPolicy() & Qt::TabFocus) || !n->isVisibleTo(&win.w) ||
               from->isAncestorOf(n))
            n = n->nextInFocusChain();
        return n;
    };
    OptionsPanel& p = win.panel();
    const QList<QWidget*> order{win->lstGames,   win->cmdLaunch, win->cmdSaveDefault,
                                win->cmdSaveRom, win->cmdRevert, p.chkCfg(1),
                                p.txtConfig(2),  p.cmbConfig(3), p.txtConfig(4),
                                p.chkCfg(5),     later};
    for (int i = 0; i + 1 < order.size(); ++i)
        QCOMPARE(next(order[i])->objectName(), order[i + 1]->objectName());
}

void tst_OptionsPanel::createCLOString() {
    Window win("[General]\nNumCats=2\n[Cat1]\nName=A\nnumOpts=3\nopt1=-a|Option A|0|10\n"
               "opt2=-b=|Option B|1|one|two|three|2\nopt3=-c|Option C|2|1\n"
               "[Cat2]\nName=B\nnumOpts=3\nopt1=-n|N|2|0\nopt2=-g|G|2|2\nopt3=-e|E|1|x|0\n");
    QCOMPARE(win->CreateCLOString(), QString());
    win->InitCfg();
    QCOMPARE(win->CreateCLOString(), QString(" -a10 -b=two -c -e"));
    win.panel().txtConfig(1)->setText("a b");
    win.panel().cmbConfig(2)->setCurrentIndex(-1);
    win.panel().chkCfg(3)->setCheckState(Qt::Unchecked);
    win.panel().chkCfg(4)->setCheckState(Qt::Checked);
    win.panel().cmbConfig(6)->setCurrentIndex(0);
    QCOMPARE(win->CreateCLOString(), QString(" -aa b -b= -n -ex"));
}

void tst_OptionsPanel::panelValuesFollowTheRules() {
    Window win("[Cat1]\nName=C\nnumOpts=3\nopt1=-a|A|0|t\nopt2=-b|B|1|a|b|c|2\nopt3=-c|C|2|0\n");
    win.build();
    CheckPanelValuesContract(win.panel());
}

void tst_OptionsPanel::greyedCheckBoxClicks() {
    Window win("[Cat1]\nName=C\nnumOpts=1\nopt1=-g|G|2|2\n");
    win.build();
    QCheckBox* box = win.panel().chkCfg(1);
    QList<int> seen{win.panel().checkState(1)};
    for (int i = 0; i < 4; ++i) {
        box->click();
        seen << win.panel().checkState(1);
    }
    QCOMPARE(seen, QList<int>({2, 1, 0, 1, 0}));
    win.panel().setCheckState(1, 2);
    box->click();
    QCOMPARE(win.panel().checkState(1), 1);
}

void tst_OptionsPanel::manyCategoriesNoOptions() {
    Window win("[General]\nNumCats=32767\n[Cat1]\nName=First\nnumOpts=32767\n");
    win.build();
    QCOMPARE(win->optionTable().OptionCount(), qint16(0));
    QCOMPARE(win.panel().frameCount(), 32767);
    QCOMPARE(elementNames(win.w),
             QStringList({"chkCfg_1", "cmbConfig_1", "lblConfig_1", "txtConfig_1"}));
    QCOMPARE(win.panel().bottomTw(), 120.0 + 32767 * 200 + 32766 * 80);
    QCOMPARE(win->outerHeightTw(), win->maxOuterHeightTw());
    QCOMPARE(win->CreateCLOString(), QString());
}

QTEST_MAIN(tst_OptionsPanel)
#include "tst_OptionsPanel.moc"

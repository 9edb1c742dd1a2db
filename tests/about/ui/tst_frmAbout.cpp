#include "about/AboutLayout.h"
#include "about/ui/frmAbout.h"
#include "ui/Twips.h"

#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include "common/TestAppFolder.h"

// The window as placed, read back in whole pixels at 15 twips per pixel; expectations are the
// figures of the design, computed here in twips and placed the same way.
class tst_frmAbout : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Twips::setPerPixel(15); }
    void layoutCases_data();
    void layoutCases();
    void lookAndButton();
    void helpTextIsClippedNotGrown();
    void closing_data();
    void closing();
    void longAboutFileStopsAtTheScreen();
    void narrowPictureKeepsTheButton();
};

namespace {

constexpr int kButtonPx = 25; // 375 twips

QRect placed(double left, double top, double width, double height) {
    return {Twips::toPx(left), Twips::toPx(top), Twips::toPx(width), Twips::toPx(height)};
}

void writePicture(const TestAppFolder& app, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(40, 90, 160));
    QVERIFY(image.save(app.file("dovrel/about.jpg"), "JPG"));
}

} // namespace

void tst_frmAbout::layoutCases_data() {
    QTest::addColumn<QString>("helpText");
    QTest::addColumn<QByteArray>("aboutFile"); // null = no file
    QTest::addColumn<QSize>("picture");        // invalid = no picture
    QTest::addColumn<bool>("junkPicture");     // about.jpg holds bytes that are no picture
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("labelLines"); // label height in lines; 0 = the designed 855

    const QByteArray three(
        "Demo Emulator 1.0\r\nA tiny stand-in emulator.\r\nIt plays no real games.");
    const QString threeShown(
        "Demo Emulator 1.0\nA tiny stand-in emulator.\nIt plays no real games.");
    QTest::newRow("about file of 3 lines")
        << QString() << three << QSize() << false << threeShown << 4;
    QTest::newRow("about file ending in CR LF") << QString() << three + "\r\n"
                                                << QSize() << false << threeShown + "\n"
                                                << 5;
    QTest::newRow("picture 6000 twips wide")
        << QString() << three << QSize(400, 100) << false << threeShown << 4;
    QTest::newRow("help text wins over the about file")
        << QString("Usage: demoemu [options] rom\r\n") << three << QSize() << false
        << QString("Usage: demoemu [options] rom\n") << 0;
    QTest::newRow("help text under a picture")
        << QString("Usage: demoemu\r\n") << QByteArray() << QSize(400, 100) << false
        << QString("Usage: demoemu\n") << 0;
    QTest::newRow("no help text, no about file")
        << QString() << QByteArray() << QSize() << false << QString() << 0;
    QTest::newRow("empty about file is one line high")
        << QString() << QByteArray("") << QSize() << false << QString() << 1;
    QTest::newRow("picture that cannot be read counts as none")
        << QString() << three << QSize() << true << threeShown << 4;
}

void tst_frmAbout::layoutCases() {
    QFETCH(QString, helpText);
    QFETCH(QByteArray, aboutFile);
    QFETCH(QSize, picture);
    QFETCH(bool, junkPicture);
    QFETCH(QString, shown);
    QFETCH(int, labelLines);

    TestAppFolder app;
    if (!aboutFile.isNull())
        app.write("dovrel/about.txt", aboutFile);
    if (picture.isValid())
        writePicture(app, picture);
    if (junkPicture)
        app.write("dovrel/about.jpg", "not a picture");

    QWidget main;
    frmAbout w(app.path(), helpText, &main);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    const double line = w.lineHeightTw();
    QVERIFY(line > 0);
    QCOMPARE(w.Label1->text(), shown);

    const double labelHeight = labelLines == 0 ? 855 : labelLines * line;
    const QSize framePx = w.frameGeometry().size() - w.size();
    double labelLeft = 138.75, labelWidth = 5272.5, labelTop = line;
    double outerWidth = 5565 + Twips::fromPx(framePx.width());
    if (picture.isValid()) {
        labelLeft = picture.width() * 15 * 0.025;
        labelWidth = picture.width() * 15 * 0.95;
        labelTop = picture.height() * 15;
        outerWidth = picture.width() * 15;
        QCOMPARE(w.Image1->geometry(), QRect(QPoint(0, 0), picture));
        QVERIFY(!w.Image1->pixmap().isNull());
        QCOMPARE(w.Image1->pixmap().size(), picture);
    } else {
        QVERIFY(w.Image1->pixmap().isNull());
    }
    const double outerHeight = labelHeight + labelTop + 375 + 500;

    QCOMPARE(w.Label1->geometry(), placed(labelLeft, labelTop, labelWidth, labelHeight));
    QCOMPARE(w.cmdOk->geometry(), placed(1800, outerHeight - 375 - 500, 1935, 375));
    QCOMPARE(w.outerWidthTw(), Twips::fromPx(Twips::toPx(outerWidth)));
    QCOMPARE(w.outerHeightTw(), Twips::fromPx(Twips::toPx(outerHeight)));
    QCOMPARE(w.layout().outerHeight, outerHeight);
    QCOMPARE(w.layout().label.width(), labelWidth);
}

void tst_frmAbout::lookAndButton() {
    TestAppFolder app;
    QWidget main;
    frmAbout w(app.path(), "Help", &main);
    QCOMPARE(w.objectName(), QString("frmAbout"));
    QCOMPARE(w.windowTitle(), QString("About"));
    QCOMPARE(w.font().family(), QString("Arial Narrow"));
    QCOMPARE(w.font().pointSizeF(), 11.25);
    QCOMPARE(w.Label1->font().family(), QString("Arial Narrow"));
    QCOMPARE(w.Label1->font().pointSizeF(), 11.25);
    QCOMPARE(w.cmdOk->font().family(), QString("MS Sans Serif"));
    QCOMPARE(w.cmdOk->font().pointSizeF(), 8.25);
    QCOMPARE(w.cmdOk->text(), QString("&Ok"));
    QVERIFY(w.cmdOk->isDefault());
    QCOMPARE(w.palette().color(QPalette::Window), QColor(Qt::white));
    QVERIFY(w.autoFillBackground());
    QVERIFY(!w.isModal());
    QVERIFY(w.testAttribute(Qt::WA_DeleteOnClose));
    QCOMPARE(w.minimumSize(), w.maximumSize());
    QCOMPARE(w.size(), w.minimumSize());
    // The label shows text as it stands: no markup, wrapped at word boundaries, from the top.
    QCOMPARE(w.Label1->textFormat(), Qt::PlainText);
    QVERIFY(w.Label1->wordWrap());
    QCOMPARE(w.Label1->alignment(), Qt::AlignLeft | Qt::AlignTop);
}

void tst_frmAbout::helpTextIsClippedNotGrown() {
    TestAppFolder app;
    app.write("dovrel/about.txt", "one\r\ntwo\r\nthree\r\nfour\r\nfive\r\nsix");
    QString help;
    for (int i = 0; i < 40; ++i)
        help += QString("Help line %1 with a few words that wrap\r\n").arg(i);
    QWidget main;
    frmAbout w(app.path(), help, &main);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.Label1->height(), Twips::toPx(855));
    QVERIFY(w.Label1->text().startsWith("Help line 0 with a few words that wrap\nHelp line 1"));
    QCOMPARE(w.outerHeightTw(), Twips::fromPx(Twips::toPx(855 + w.lineHeightTw() + 375 + 500)));
}

void tst_frmAbout::closing_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("click") << "click";
    QTest::newRow("Enter") << "enter";
    QTest::newRow("Return") << "return";
    QTest::newRow("Escape") << "escape";
    QTest::newRow("Alt+O") << "alt+o";
}

void tst_frmAbout::closing() {
    QFETCH(QString, how);
    TestAppFolder app;
    QWidget main;
    main.setObjectName("main");
    main.resize(300, 200);
    main.show();
    QVERIFY(QTest::qWaitForWindowActive(&main));

    QPointer<frmAbout> w = new frmAbout(app.path(), "Help", &main);
    w->show();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));

    if (how == "click")
        QTest::mouseClick(w->cmdOk, Qt::LeftButton);
    else if (how == "enter")
        QTest::keyClick(w, Qt::Key_Enter);
    else if (how == "return")
        QTest::keyClick(w, Qt::Key_Return);
    else if (how == "escape")
        QTest::keyClick(w, Qt::Key_Escape);
    else
        QTest::keyClick(w, Qt::Key_O, Qt::AltModifier);

    // The mnemonic presses the button with a short animation, so the close may come later.
    QTRY_VERIFY(w.isNull());
    QTRY_COMPARE(QApplication::activeWindow(), &main);
}

void tst_frmAbout::longAboutFileStopsAtTheScreen() {
    TestAppFolder app;
    QByteArray text;
    for (int i = 0; i < 300; ++i)
        text += "Another line of the about file\r\n";
    app.write("dovrel/about.txt", text);
    QWidget main;
    frmAbout w(app.path(), QString(), &main);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const int available = w.screen()->availableGeometry().height();
    QVERIFY(w.frameGeometry().height() <= available);
    // The button stays whole inside the window, and the text stops above it.
    QVERIFY(w.cmdOk->geometry().bottom() < w.height());
    QCOMPARE(w.cmdOk->height(), kButtonPx);
    QVERIFY(w.Label1->geometry().bottom() < w.cmdOk->geometry().top());
    QCOMPARE(w.cmdOk->x(), Twips::toPx(1800));
}

void tst_frmAbout::narrowPictureKeepsTheButton() {
    TestAppFolder app;
    writePicture(app, QSize(60, 40));
    QWidget main;
    frmAbout w(app.path(), "Help", &main);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.Image1->size(), QSize(60, 40));
    // As wide as the picture (no frame here), the button narrowed to fit inside.
    QCOMPARE(w.frameGeometry().width(), 60);
    QVERIFY(w.cmdOk->x() > 0);
    QVERIFY(w.cmdOk->geometry().right() < w.width());
}

QTEST_MAIN(tst_frmAbout)
#include "tst_frmAbout.moc"

#include "pictures/ui/PicturePane.h"

#include <QApplication>
#include <QBuffer>
#include <QSignalSpy>
#include <QtTest>

#include "PictureTestFiles.h"
#include "common/StderrCapture.h"
#include "common/TestAppFolder.h"

namespace {

QByteArray encoded(const QSize& size, const QColor& colour, const char* format = "PNG") {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A pane on a parent wide enough for it, over the sources of the setting.
struct Pane {
    explicit Pane(const TestAppFolder& app, const QString& setting) : parent(), pane(nullptr) {
        parent.resize(400, 400);
        pane = new PicturePane(PictureSources(app, setting), &parent);
        pane->setDesignedGeometry(QRect(10, 10, 320, 329), 8);
        parent.show(); // a pane not shown asks for no picture

    }
    static QStringList PictureSources(const TestAppFolder& app, const QString& setting) {
        QStringList paths;
        for (const QString& p : setting.split(';'))
            paths << app.file(p);
        return paths;
    }
    // Shows the game and waits for its picture (or its lack).
    bool show(const QString& rom) {
        QSignalSpy arrived(pane, &PicturePane::pictureChanged);
        pane->showGame(rom, "Description of " + rom);
        return !pane->waiting() || arrived.wait(5000);
    }
    QWidget parent;
    PicturePane* pane;
};

} // namespace

class tst_PicturePane : public QObject {
    Q_OBJECT
private slots:
    void shows_data();
    void shows();
    void hostileFileWarnedOnce_data();
    void hostileFileWarnedOnce();
    void latePictureDropped();
    void noGame();
    void hiddenPaneAsksNothing();
    void narrowParent();
};

void tst_PicturePane::shows_data() {
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QSize>("shown"); // empty: the placeholder
    QTest::newRow("folder, 640 x 480 PNG") << "snap" << QSize(320, 240);
    QTest::newRow("archive, 640 x 480 PNG") << "snap.zip" << QSize(320, 240);
    QTest::newRow("folder without the game") << "other" << QSize();
}

void tst_PicturePane::shows() {
    QFETCH(QString, setting);
    QFETCH(QSize, shown);
    TestAppFolder app;
    const QByteArray png = encoded({640, 480}, Qt::blue);
    app.write("snap/1942.png", png);
    app.write("other/pacman.png", png);
    QVERIFY(PictureTestFiles::WriteZip(app.file("snap.zip"), {{"snap/1942.png", png, true}}));
    StderrCapture err;
    Pane p(app, setting);
    QVERIFY(p.show("1942"));
    QCOMPARE(p.pane->rom(), QString("1942"));
    QCOMPARE(p.pane->description(), QString("Description of 1942"));
    if (shown.isValid()) {
        QCOMPARE(p.pane->picture().size(), shown * p.pane->devicePixelRatioF());
        QCOMPARE(p.pane->picture().pixelColor(5, 5), QColor(Qt::blue));
    } else {
        QVERIFY(p.pane->picture().isNull());
    }
    p.pane->repaint(); // the placeholder and the picture draw without a display
    QCOMPARE(err.lines(), QStringList());
}

void tst_PicturePane::hostileFileWarnedOnce_data() {
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint64>("declared"); // archives: the size the headers declare; -1 as written
    QTest::addColumn<QString>("problem");

    const QByteArray jpeg = encoded({640, 480}, Qt::red, "JPEG");
    QTest::newRow("PNG of 20,000 x 20,000") << "snap" << PictureTestFiles::PngHeaderOnly(20000, 20000)
                                            << qint64(-1) << "20000 x 20000";
    QTest::newRow("truncated JPEG") << "snap" << jpeg.left(jpeg.size() / 2) << qint64(-1)
                                    << "cut off";
    QTest::newRow("not a picture") << "snap" << QByteArray("plain text") << qint64(-1)
                                   << "cannot be shown";
    QTest::newRow("zip bomb entry") << "snap.zip" << QByteArray(40 * 1024 * 1024, '\0')
                                    << qint64(-1) << "declares 41943040 bytes";
    QTest::newRow("entry declaring 4 GB") << "snap.zip" << jpeg << qint64(0xfffffffeu)
                                          << "declares 4294967294 bytes";
    QTest::newRow("truncated JPEG in an archive") << "snap.zip" << jpeg.left(jpeg.size() / 2)
                                                  << qint64(-1) << "cut off";
}

void tst_PicturePane::hostileFileWarnedOnce() {
    QFETCH(QString, setting);
    QFETCH(QByteArray, bytes);
    QFETCH(qint64, declared);
    QFETCH(QString, problem);
    TestAppFolder app;
    if (setting.endsWith(".zip")) {
        QVERIFY(PictureTestFiles::WriteZip(app.file(setting), {{"bad.png", bytes, true}}));
        if (declared >= 0)
            QVERIFY(PictureTestFiles::DeclareSize(app.file(setting), quint32(declared)));
    } else {
        app.write(setting + "/bad.png", bytes);
    }
    app.write("good/good.png", encoded({64, 48}, Qt::green));
    StderrCapture err;
    {
        Pane p(app, setting + ";good");
        for (int round = 0; round < 3; ++round) {
            QVERIFY(p.show("bad"));
            QVERIFY(p.pane->picture().isNull()); // the placeholder
            QVERIFY(p.show("good"));
            QVERIFY(!p.pane->picture().isNull());
        }
    }
    const QStringList lines = err.lines();
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines[0].contains("bad.png") && lines[0].contains(problem), qPrintable(lines[0]));
}

void tst_PicturePane::latePictureDropped() {
    TestAppFolder app;
    // A large first picture, so that the second selection comes while it is decoded.
    app.write("snap/first.png", encoded({4000, 3000}, Qt::red));
    app.write("snap/second.png", encoded({64, 48}, Qt::blue));
    Pane p(app, "snap");
    QSignalSpy arrived(p.pane, &PicturePane::pictureChanged);
    p.pane->showGame("first", "First");
    p.pane->showGame("second", "Second");
    QVERIFY(arrived.wait(5000));
    QTest::qWait(300); // time for a late picture of the first game to arrive, were it taken
    QCOMPARE(arrived.size(), 1);
    QCOMPARE(p.pane->rom(), QString("second"));
    QCOMPARE(p.pane->picture().pixelColor(5, 5), QColor(Qt::blue));
}

void tst_PicturePane::noGame() {
    TestAppFolder app;
    app.write("snap/1942.png", encoded({64, 48}, Qt::blue));
    Pane p(app, "snap");
    QVERIFY(p.show("1942"));
    QVERIFY(!p.pane->picture().isNull());
    p.pane->showGame("", "");
    QVERIFY(!p.pane->waiting());
    QVERIFY(p.pane->picture().isNull());
    QCOMPARE(p.pane->rom(), QString());
}

void tst_PicturePane::hiddenPaneAsksNothing() {
    TestAppFolder app;
    app.write("snap/1942.png", encoded({64, 48}, Qt::blue));
    QWidget parent;
    PicturePane* pane = new PicturePane({app.file("snap")}, &parent);
    pane->setDesignedGeometry(QRect(0, 0, 320, 329), 0);
    pane->showGame("1942", "Game 1942");
    QVERIFY(!pane->waiting());
    QTest::qWait(100);
    QVERIFY(pane->picture().isNull());
    QSignalSpy arrived(pane, &PicturePane::pictureChanged);
    parent.show();
    QVERIFY(pane->waiting());
    QVERIFY(arrived.wait(5000));
    QCOMPARE(pane->picture().pixelColor(5, 5), QColor(Qt::blue));
}

void tst_PicturePane::narrowParent() {
    TestAppFolder app;
    app.write("snap/1942.png", encoded({640, 480}, Qt::blue));
    Pane p(app, "snap");
    QCOMPARE(p.pane->geometry(), QRect(10, 10, 320, 329));
    QVERIFY(p.show("1942"));
    // Room for 200 pixels of the pane: it gives up width, and its picture follows.
    QSignalSpy arrived(p.pane, &PicturePane::pictureChanged);
    p.parent.resize(10 + 200 + 8, 400);
    QCOMPARE(p.pane->width(), 200);
    QVERIFY(arrived.wait(5000));
    QCOMPARE(p.pane->picture().size(), QSize(200, 150) * p.pane->devicePixelRatioF());
    // A parent that ends before a third of it: the pane lies beyond its edge, unchanged.
    p.parent.resize(100, 400);
    QCOMPARE(p.pane->width(), 320);
}

QTEST_MAIN(tst_PicturePane)
#include "tst_PicturePane.moc"

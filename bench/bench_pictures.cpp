// Pictures on, 50,000 games and 300 options: opening and indexing a zip archive of 50,000
// pictures, what the pictures add to start-up, the window's own work per selection (the
// picture is loaded on another thread), how long after a selection its 640 x 480 PNG is on
// screen, from a folder and from the archive, and the peak memory of it all. Runs on the
// offscreen platform with the window shown.
#include "BenchSupport.h"
#include "BenchWindow.h"

#include "gamelist/ui/GameListBox.h"
#include "pictures/PictureArchive.h"
#include "pictures/ui/PictureDecoder.h"
#include "pictures/ui/PicturePane.h"
#include "session/GameSession.h"
#include "shell/frmMain.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <numeric>
#include <unistd.h>
#include <zip.h>

using namespace Bench;

namespace {

constexpr int kGames = 50000;
constexpr int kOptions = 300;
constexpr int kLargePictures = 200; // games 0 to 199 have a 640 x 480 PNG; the others a small one
constexpr double kPauseMs = 200;

// A snapshot-like 640 x 480 PNG: gradients, blocks and some noise, about 100 KB.
QByteArray snapshotPng(int seed) {
    QImage image(640, 480, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, 480);
    sky.setColorAt(0, QColor(20, 40, 120 + seed % 100));
    sky.setColorAt(1, QColor(200, 120, 40));
    painter.fillRect(image.rect(), sky);
    QRandomGenerator random(quint32(seed + 1));
    for (int i = 0; i < 60; ++i)
        painter.fillRect(random.bounded(600), random.bounded(440), 8 + random.bounded(60),
                         8 + random.bounded(40), QColor::fromRgb(random.generate()));
    painter.end();
    for (int i = 0; i < 20000; ++i)
        image.setPixel(random.bounded(640), random.bounded(480), random.generate());
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray smallPng() {
    QImage image(32, 24, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QString rom(int game) {
    return GameListEmulator::romName(game);
}

void prepare(const AppFolder& app) {
    app.write("dovrel/cfgdef.ini", OptionDefinitions::file(kOptions, 30));
    app.writeScript("emu", GameListEmulator::script(kGames));

    // The folder: one file per game, hard links to a few files so that 50,000 cost little.
    const QByteArray large = snapshotPng(0);
    const QByteArray small = smallPng();
    app.write("pictures/large.png", large);
    app.write("pictures/small.png", small);
    app.write("snap/.keep", "");
    for (int g = 0; g < kGames; ++g) {
        const QString target =
            app.file(g < kLargePictures ? "pictures/large.png" : "pictures/small.png");
        if (::link(QFile::encodeName(target).constData(),
                   QFile::encodeName(app.file("snap/" + rom(g) + ".png")).constData()) != 0)
            qFatal("cannot link the pictures");
    }

    // The archive: snap/<rom>.png for every game, stored as picture archives mostly are.
    int error = 0;
    zip_t* zip = zip_open(QFile::encodeName(app.file("snap.zip")).constData(),
                          ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!zip)
        qFatal("cannot write the archive");
    std::vector<QByteArray> pictures;
    for (int g = 0; g < kLargePictures; ++g)
        pictures.push_back(snapshotPng(g));
    for (int g = 0; g < kGames; ++g) {
        const QByteArray& bytes = g < kLargePictures ? pictures[size_t(g)] : small;
        zip_source_t* source =
            zip_source_buffer(zip, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        const zip_int64_t index =
            zip_file_add(zip, ("snap/" + rom(g) + ".png").toUtf8().constData(), source, 0);
        if (index < 0 || zip_set_file_compression(zip, zip_uint64_t(index), ZIP_CM_STORE, 0) != 0)
            qFatal("cannot add to the archive");
    }
    if (zip_close(zip) != 0)
        qFatal("cannot write the archive");
}

void writeSettings(const AppFolder& app, const QByteArray& pictureSources) {
    app.write("dovrel/dovrel.ini",
              GameListEmulator::dovrelIni("ShowConfig=1\n" + pictureSources));
}

void pressDown(QWidget* list) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(list, &press);
    QApplication::sendEvent(list, &release);
    QCoreApplication::processEvents();
}

// Start-up to the window shown, as main() does it, with the time the window takes to close
// (and the loader to stop) left out: the median of `rounds` after one uncounted round.
double startUpToShownMs(const QString& appDir, int rounds) {
    NoDialogs dialogs;
    std::vector<double> times;
    for (int round = 0; round <= rounds; ++round) {
        GameSession state(appDir);
        auto window = std::make_unique<frmMain>(state, dialogs);
        const double ms = elapsedMs([&] {
            if (!window->Form_Load())
                qFatal("Form_Load failed");
            window->show();
            QCoreApplication::processEvents();
        });
        if (round > 0)
            times.push_back(ms - kPauseMs);
        window.reset();
    }
    return median(times);
}

// In a process of its own, so that nothing of the set-up counts: start-up, the Down key held
// through 1000 games with their pictures loaded, the last picture awaited; prints the peak
// resident memory.
int peakMemoryRun(const QString& appDir) {
    NoDialogs dialogs;
    GameSession state(appDir);
    frmMain window(state, dialogs);
    if (!window.Form_Load())
        return 1;
    window.show();
    window.lstGames->setFocus();
    QCoreApplication::processEvents();
    for (int i = 0; i < 1000; ++i)
        pressDown(window.lstGames);
    if (PicturePane* pane = window.findChild<PicturePane*>("picGame"); pane && pane->waiting()) {
        QEventLoop loop;
        QObject::connect(pane, &PicturePane::pictureChanged, &loop, &QEventLoop::quit);
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    QTextStream(stdout) << processFigures().peakMb << '\n';
    return 0;
}

double peakMemoryMb(const QString& program, const QString& appDir) {
    QProcess run;
    run.start(program, {"--peak", appDir});
    if (!run.waitForFinished(120000) || run.exitCode() != 0)
        qFatal("the peak memory run failed");
    return run.readAllStandardOutput().trimmed().toDouble();
}

void measureWindow(const AppFolder& app, const QString& source) {
    CachedWindow started(app.path());
    frmMain& window = started.window;
    PicturePane* pane = window.findChild<PicturePane*>("picGame");
    if (!pane)
        qFatal("no picture pane");
    QElapsedTimer sinceShown;
    sinceShown.start();
    window.show();
    window.lstGames->setFocus();
    const auto settle = [&] {
        QCoreApplication::processEvents();
        if (!pane->waiting())
            return;
        QEventLoop loop;
        QObject::connect(pane, &PicturePane::pictureChanged, &loop, &QEventLoop::quit);
        QTimer::singleShot(10000, &loop, [] { qFatal("no picture arrived"); });
        loop.exec();
    };
    settle();
    pane->repaint();
    // The sources are opened for the first picture, once the window is shown.
    print("pictures: first picture on screen after the window is shown, " + source +
              " opened for it",
          double(sinceShown.nsecsElapsed()) / 1e6, "ms");

    {
        // The window's own work: the selection handled, the picture asked for, not awaited.
        int next = 1;
        const double ms = medianMs(201, [&] {
            window.lstGames->setCurrentRow(next);
            next = next == 1 ? 2 : 1;
        });
        print("pictures: select a game, 300 options, pictures from " + source +
                  ", window's own work (median)",
              ms, "ms", "<= 5 ms");
        settle();
    }
    {
        window.lstGames->setCurrentRow(0);
        settle();
        std::vector<double> steps;
        for (int i = 0; i < 1000; ++i)
            steps.push_back(elapsedMs([&] { pressDown(window.lstGames); }));
        print("pictures: 1000 Down-key selections, pictures from " + source +
                  ", mean per selection",
              std::accumulate(steps.begin(), steps.end(), 0.0) / double(steps.size()), "ms",
              "<= 5 ms");
        print("pictures: 1000 Down-key selections, pictures from " + source + ", slowest",
              *std::max_element(steps.begin(), steps.end()), "ms");
        settle();
    }
    {
        // From the selection to the 640 x 480 picture drawn in the pane.
        std::vector<double> times;
        for (int i = 0; i < 60; ++i) {
            const int row = (i * 7) % kLargePictures;
            times.push_back(elapsedMs([&] {
                window.lstGames->setCurrentRow(row == window.lstGames->currentRow() ? row + 1
                                                                                    : row);
                settle();
                pane->repaint();
            }));
            if (pane->picture().isNull())
                qFatal("the picture did not show");
        }
        print("pictures: 640 x 480 PNG on screen after the selection, from " + source + " (median)",
              median(times), "ms", "<= 50 ms");
        print("pictures: 640 x 480 PNG on screen after the selection, from " + source +
                  " (slowest of 60)",
              *std::max_element(times.begin(), times.end()), "ms");
    }
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--peak")
        return peakMemoryRun(QString::fromLocal8Bit(argv[2]));

    const AppFolder app;
    prepare(app);

    {
        const QStringList suffixes = PictureDecoder::readableSuffixes();
        qsizetype names = 0;
        const double ms = medianMs(11, [&] {
            QString problem;
            const auto archive = PictureArchive::open(app.file("snap.zip"), suffixes, &problem);
            if (!archive)
                qFatal("cannot open the archive: %s", qPrintable(problem));
            names = archive->indexedNames();
        });
        print("pictures: open a zip of 50000 pictures and index it by ROM name (median)", ms, "ms");
        print("pictures: names indexed", double(names), "names");
    }
    {
        writeSettings(app, "");
        const double without = startUpToShownMs(app.path(), 7);
        writeSettings(app, "PictureSources=snap.zip\n");
        const double with = startUpToShownMs(app.path(), 7);
        print("pictures: start-up to the window shown, 50000 games, 300 options, no pictures "
              "(median)",
              without, "ms");
        print("pictures: the same with a zip of 50000 pictures, opened on the loader's thread "
              "meanwhile (median)",
              with, "ms");
        print("pictures: added to start-up by the zip of 50000 pictures", with - without, "ms",
              "<= 30 ms");
        // The whole start-up in one measure, the window closed within it: closing waits for
        // the archive to be opened, so this counts all of the opening.
        NoDialogs dialogs;
        print("pictures: start-up and close with the zip of 50000 pictures (median)",
              startUpInProcessMs(app.path(), dialogs, 5, kPauseMs), "ms");
    }

    writeSettings(app, "PictureSources=snap\n");
    measureWindow(app, "a folder");
    writeSettings(app, "PictureSources=snap.zip\n");
    measureWindow(app, "a zip of 50000");

    const QString self = QCoreApplication::applicationFilePath();
    writeSettings(app, "");
    print("pictures: peak resident memory, 50000 games, 300 options, no pictures",
          peakMemoryMb(self, app.path()), "MB");
    writeSettings(app, "PictureSources=snap.zip\n");
    print("pictures: peak resident memory, the same with pictures from a zip of 50000, 1000 "
          "selections",
          peakMemoryMb(self, app.path()), "MB", "<= 100 MB");
    writeSettings(app, "PictureSources=snap\n");
    print("pictures: peak resident memory, the same with pictures from a folder",
          peakMemoryMb(self, app.path()), "MB", "<= 100 MB");
    return 0;
}

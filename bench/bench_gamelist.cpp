// Tarvelin's own work on a game list of 1,000, 10,000 and 50,000 games: cutting the emulator's
// output into the cache, loading the cache into lstGames (with and without the missing-ROM
// filter, two thirds of the ROM files present) and showing the window. The emulator's own run,
// which includes the fixed 200 ms pause of RunAndWait, is printed apart. Each figure is the
// median of several rounds. Output: one line per figure, name TAB value TAB unit.

#include "AppState.h"
#include "BatchCommand.h"
#include "Dialogs.h"
#include "GameListGenerator.h"
#include "Twips.h"
#include "frmMain.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

constexpr int kRounds = 5;
constexpr int kStartLine = 3;
constexpr int kRomLen = 12;

class NoDialogs final : public Dialogs {
public:
    void critical(const QString&) override {}
    void message(const QString&) override {}
    void warning(const QString&) override {}
    void information(const QString&, const QString&) override {}
    bool askYesNo(const QString&, const QString&) override { return false; }
    QString inputText(const QString&, const QString&, const QString&) override { return {}; }
};

void print(const QString& name, double value, const QString& unit) {
    QTextStream(stdout) << name << '\t' << QString::number(value, 'f', 2) << '\t' << unit << '\n';
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double elapsedMs(const std::function<void()>& work) {
    QElapsedTimer clock;
    clock.start();
    work();
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QString romName(int i) { return QStringLiteral("game%1").arg(i, 6, 10, QLatin1Char('0')); }

// An emulator that prints a banner, a header and n games, as one builtin printf of the shell.
void writeFakeEmulator(const QString& appDir, int games) {
    QByteArray script = "#!/bin/sh\nprintf '%s\\n' 'Fake Emulator 1.0' 'Usage: fakeemu -listfull' "
                        "'' 'Name         Description'";
    for (int i = 0; i < games; ++i)
        script += " '" + romName(i).leftJustified(kRomLen).toUtf8() + " Game number " +
                  QByteArray::number(i) + " (set " + QByteArray::number(i % 7) + ")'";
    script += "\n";
    const QString path = appDir + "/fakeemu";
    writeFile(path, script);
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
}

void writeRoms(const QString& appDir, int games) {
    QDir(appDir).mkpath(QStringLiteral("roms"));
    for (int i = 0; i < games; ++i)
        if (i % 3 != 0)
            writeFile(appDir + "/roms/" + romName(i) + ".zip", QByteArray());
}

void benchmark(int games) {
    QTemporaryDir dir;
    const QString appDir = dir.path();
    QDir(appDir).mkpath(QStringLiteral("dovrel/cfgs"));
    writeFakeEmulator(appDir, games);
    writeRoms(appDir, games);
    NoDialogs dialogs;
    const QString output = appDir + QStringLiteral("/gamelist.txt");
    const QString n = QString::number(games);

    const double emulatorRun = elapsedMs([&] {
        RunBatchCommand(dialogs, appDir, QStringLiteral("fakeemu"), QStringLiteral(" -listfull"),
                        output);
    });
    QFile listFile(output);
    if (!listFile.open(QIODevice::ReadOnly))
        qFatal("the fake emulator wrote no list");
    const QByteArray listing = listFile.readAll();
    listFile.close();

    const GameListRequest request{appDir, QStringLiteral("fakeemu"), QStringLiteral("-listfull"),
                                  QStringLiteral("gamelist.txt"), kStartLine, 1, kRomLen};
    std::vector<double> generate;
    for (int round = 0; round < kRounds; ++round) {
        writeFile(output, listing);
        generate.push_back(elapsedMs([&] {
            if (!BuildGameListCache(request).ok)
                qFatal("generation failed");
        }));
    }

    const auto loadAndShow = [&](bool onlyAvailable, int expected) {
        std::vector<double> load, show;
        for (int round = 0; round < kRounds; ++round) {
            AppState state;
            state.appDir = appDir;
            state.settings.RomPath = appDir + QStringLiteral("/roms/");
            state.settings.RomExt = QStringLiteral(".zip");
            frmMain w(state, dialogs);
            load.push_back(elapsedMs([&] { w.LoadGameList(onlyAvailable); }));
            if (w.lstGames->count() != expected)
                qFatal("listed %lld games, expected %d", qlonglong(w.lstGames->count()), expected);
            show.push_back(elapsedMs([&] {
                w.show();
                QCoreApplication::processEvents();
            }));
        }
        return std::pair{median(load), median(show)};
    };
    const auto [loadAll, showAll] = loadAndShow(false, games);
    const auto [loadAvailable, showAvailable] = loadAndShow(true, games - (games + 2) / 3);

    const double gen = median(generate);
    print("generate_" + n, gen, "ms");
    print("load_filter_off_" + n, loadAll, "ms");
    print("show_filter_off_" + n, showAll, "ms");
    print("total_filter_off_" + n, gen + loadAll + showAll, "ms");
    print("load_filter_on_" + n, loadAvailable, "ms");
    print("show_filter_on_" + n, showAvailable, "ms");
    print("total_filter_on_" + n, gen + loadAvailable + showAvailable, "ms");
    print("emulator_run_incl_pause_" + n, emulatorRun, "ms");
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Twips::setPerPixel(15);
    const QString startDir = QDir::currentPath();
    for (int games : {1000, 10000, 50000}) {
        benchmark(games);
        QDir::setCurrent(startDir); // the run made the temporary folder current
    }
    return 0;
}

// The command line on the MAME preset with the list of its last start in place: --print-command
// and --list, process start to exit. The cache is MAME-like (39,372 machines, as MAME 0.251
// lists them through the preset's filter); the emulator is never asked, so MAME need not be
// installed.

#include "BenchSupport.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>

using namespace Bench;

namespace {

constexpr int kMachines = 39372;
constexpr int kRounds = 15;

QByteArray presetFile(const char* name) {
    QFile file(QStringLiteral(MAME_PRESET_DIR "/") + QString::fromLatin1(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("bench_commands: the MAME preset cannot be read");
    return file.readAll();
}

void prepare(const AppFolder& app) {
    app.write(QStringLiteral("dovrel/dovrel.ini"), presetFile("dovrel.ini"));
    app.write(QStringLiteral("dovrel/cfgdef.ini"), presetFile("cfgdef.ini"));
    QByteArray cache;
    cache.reserve(qsizetype(kMachines) * 44);
    for (int i = 0; i < kMachines - 1; ++i)
        cache += "m" + QByteArray::number(i).rightJustified(6, '0') + "|Machine number " +
                 QByteArray::number(i) + " (set " + QByteArray::number(i % 7) + ")\r\n";
    cache += "pacman|Pac-Man (Midway)\r\n";
    app.write(QStringLiteral("dovrel/glist.lst"), cache);
}

// The median of the rounds after a first one that fills the file cache.
double commandMs(const AppFolder& app, const QStringList& arguments) {
    const auto once = [&] {
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        process.start(QStringLiteral(TARVELIN_EXE), QStringList{"--data", app.path()} + arguments);
        if (!process.waitForFinished(60000) || process.exitCode() != 0)
            qFatal("bench_commands: tarvelin %s failed", qPrintable(arguments.join(u' ')));
    };
    once();
    return medianMs(kRounds, once);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const AppFolder app;
    prepare(app);
    print("command line: --print-command pacman, MAME preset, 39372 machines in the cache",
          commandMs(app, {"--print-command", "pacman"}), "ms", QStringLiteral("<= 100 ms"));
    print("command line: --list, MAME preset, 39372 machines in the cache",
          commandMs(app, {"--list"}), "ms", QStringLiteral("<= 100 ms"));
    return 0;
}

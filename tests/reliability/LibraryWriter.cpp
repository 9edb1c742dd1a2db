// A second Tarvelin process for the tests of writes from two processes at once:
//   library_writer DATA PREFIX COUNT   marks COUNT favourites named PREFIX<i>; every fifth also
//                                      records a launch of "shared" and writes one key named
//                                      PREFIX<i> into the default profile and into dovrel.ini
//   library_writer hold FILE           takes FILE's write lock, says "held", and waits
// Exits with 1 at the first write that fails.
#include "base/AppPaths.h"
#include "base/FileLock.h"
#include "base/Ini.h"
#include "gamelist/GameLibrary.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QThread>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == u"hold") {
        const FileLock lock(args[2]);
        std::printf(lock.mayWrite() ? "held\n" : "not held\n");
        std::fflush(stdout);
        QThread::sleep(600);
        return 0;
    }
    if (args.size() != 4)
        return 2;
    const QString data = args[1];
    const QString prefix = args[2];
    const int count = args[3].toInt();
    GameLibrary library = GameLibrary::read(AppPaths::library(data));
    for (int i = 0; i < count; ++i) {
        const QString name = prefix + QString::number(i);
        if (!library.setFavourite(name, true))
            return 1;
        if (i % 5 != 0)
            continue;
        if (!library.recordLaunch(QStringLiteral("shared"), QDateTime::currentSecsSinceEpoch(),
                                  1) ||
            !WriteIni(AppPaths::profilesFolder(data) + QStringLiteral("default.ini"),
                      QStringLiteral("Video"), name, QStringLiteral("1")) ||
            !WriteIni(AppPaths::settingsFile(data), QStringLiteral("Settings"), name,
                      QStringLiteral("1")))
            return 1;
    }
    return 0;
}

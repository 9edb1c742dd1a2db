#include "base/AppPaths.h"
#include "base/Ini.h"
#include "gamelist/GameLibrary.h"

#include "common/TestAppFolder.h"

#include <QDir>
#include <QProcess>
#include <QtTest>

#include <csignal>

// Two processes writing one data folder at once: favourites, play records, a profile and the
// settings file, each write read anew under the file's lock; and locks left behind.
class tst_TwoProcesses : public QObject {
    Q_OBJECT
private slots:
    void nothingIsLostBetweenTwoWriters();
    void aLockOfAKilledProcessBlocksNothing_data();
    void aLockOfAKilledProcessBlocksNothing();
};

namespace {

constexpr int kToggles = 1000;

int keysIn(const QString& file, const QString& section) {
    return IniSnapshot(file).keyNames(section).size();
}

} // namespace

void tst_TwoProcesses::nothingIsLostBetweenTwoWriters() {
    const TestAppFolder data;
    GameLibrary::read(AppPaths::library(data.path())).keep();
    data.write("dovrel/dovrel.ini", "[Settings]\nShowConfig=1\n");
    QProcess first, second;
    first.start(QStringLiteral(LIBRARY_WRITER_EXE), {data.path(), "a", QString::number(kToggles)});
    second.start(QStringLiteral(LIBRARY_WRITER_EXE), {data.path(), "b", QString::number(kToggles)});
    QVERIFY(first.waitForFinished(240000));
    QVERIFY(second.waitForFinished(240000));
    QCOMPARE(first.exitCode(), 0);
    QCOMPARE(second.exitCode(), 0);

    const GameLibrary library = GameLibrary::read(AppPaths::library(data.path()));
    QCOMPARE(library.favouriteCount(), 2 * kToggles);
    QCOMPARE(library.record("shared")->launches, 2 * kToggles / 5);
    QCOMPARE(keysIn(AppPaths::profilesFolder(data.path()) + "default.ini", "Video"),
             2 * kToggles / 5);
    QCOMPARE(keysIn(AppPaths::settingsFile(data.path()), "Settings"), 1 + 2 * kToggles / 5);
    // No lock file was made beside the files.
    QCOMPARE(QDir(data.file("dovrel")).entryList({"*.lock"}, QDir::Files), QStringList());
}

void tst_TwoProcesses::aLockOfAKilledProcessBlocksNothing_data() {
    QTest::addColumn<bool>("killed");
    QTest::addColumn<bool>("written");
    QTest::newRow("killed: taken over") << true << true;
    QTest::newRow("alive: the write gives up, the file unchanged") << false << false;
}

void tst_TwoProcesses::aLockOfAKilledProcessBlocksNothing() {
    QFETCH(bool, killed);
    QFETCH(bool, written);
    const TestAppFolder data;
    const QString file = AppPaths::library(data.path());
    data.write("dovrel/library.ini", "[Favourites]\nalpha=1\n");
    QProcess holder;
    holder.start(QStringLiteral(LIBRARY_WRITER_EXE), {"hold", file});
    QVERIFY(holder.waitForReadyRead(30000));
    QCOMPARE(holder.readAll(), QByteArray("held\n"));
    if (killed) {
        ::kill(pid_t(holder.processId()), SIGKILL);
        QVERIFY(holder.waitForFinished(30000));
    }
    GameLibrary library = GameLibrary::read(file);
    QCOMPARE(library.setFavourite("beta", true), written);
    QCOMPARE(GameLibrary::read(file).isFavourite("beta"), written);
    QVERIFY(GameLibrary::read(file).isFavourite("alpha"));
    holder.kill();
    holder.waitForFinished(30000);
}

QTEST_GUILESS_MAIN(tst_TwoProcesses)
#include "tst_TwoProcesses.moc"

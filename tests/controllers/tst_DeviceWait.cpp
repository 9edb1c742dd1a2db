#include "controllers/DeviceWait.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// The wait is tried on stand-ins: a FIFO for a device file (readable when written), a temporary
// folder for the hot-plug folder.
class tst_DeviceWait : public QObject {
    Q_OBJECT
private slots:
    void deviceBytesWakeIt();
    void hotplugWakesIt();
    void aDeviceThatWentAwayIsGivenUp();
    void aNudgeAloneEndsTheWaitForANudge();
};

void tst_DeviceWait::deviceBytesWakeIt() {
    QTemporaryDir folder;
    const QByteArray fifo = QFile::encodeName(folder.filePath("event0"));
    QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
    DeviceWait wait(QDir::tempPath() + "/no such folder");
    QVERIFY(wait.watch(fifo));
    QVERIFY(wait.watch(fifo)); // once is enough
    QCOMPARE(wait.watchedCount(), 1);
    const int writer = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK);
    QVERIFY(writer >= 0);
    QVERIFY(!wait.wait(0).any());
    QCOMPARE(::write(writer, "abcdef", 6), 6);
    const DeviceWait::Woken woken = wait.wait(-1);
    QVERIFY(woken.device);
    QVERIFY(!woken.nudged);
    // The bytes were read: the next wait rests again.
    QVERIFY(!wait.wait(0).any());
    wait.unwatch(fifo);
    QCOMPARE(wait.watchedCount(), 0);
    ::close(writer);
    QVERIFY(!wait.wait(0).any());
}

void tst_DeviceWait::hotplugWakesIt() {
    QTemporaryDir folder;
    DeviceWait wait(folder.path());
    QFile device(folder.filePath("event7"));
    QVERIFY(device.open(QIODevice::WriteOnly));
    device.close();
    QVERIFY(wait.wait(-1).hotplug);
    QVERIFY(!wait.wait(0).any());
    QVERIFY(device.remove());
    QVERIFY(wait.wait(-1).hotplug);
}

void tst_DeviceWait::aDeviceThatWentAwayIsGivenUp() {
    QTemporaryDir folder;
    const QByteArray fifo = QFile::encodeName(folder.filePath("event1"));
    QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
    DeviceWait wait(folder.path() + "/elsewhere");
    QVERIFY(wait.watch(fifo));
    const int writer = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK);
    QVERIFY(writer >= 0);
    ::close(writer); // the FIFO hangs up, as an unplugged device reports an error
    QVERIFY(wait.wait(-1).device);
    QCOMPARE(wait.watchedCount(), 0);
    QVERIFY(!wait.wait(0).any());
}

void tst_DeviceWait::aNudgeAloneEndsTheWaitForANudge() {
    QTemporaryDir folder;
    const QByteArray fifo = QFile::encodeName(folder.filePath("event2"));
    QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
    DeviceWait wait(folder.path());
    QVERIFY(wait.watch(fifo));
    const int writer = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK);
    QVERIFY(writer >= 0);
    QCOMPARE(::write(writer, "pressed", 7), 7);
    QFile plugged(folder.filePath("event9"));
    QVERIFY(plugged.open(QIODevice::WriteOnly));
    std::thread other([&] { wait.nudge(); });
    wait.waitForNudge();
    other.join();
    // The device's bytes and the folder's change are still there for the next wait.
    const DeviceWait::Woken woken = wait.wait(0);
    QVERIFY(woken.device);
    QVERIFY(woken.hotplug);
    QVERIFY(!woken.nudged);
    ::close(writer);
}

QTEST_APPLESS_MAIN(tst_DeviceWait)
#include "tst_DeviceWait.moc"

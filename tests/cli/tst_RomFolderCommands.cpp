#include <QDir>
#include <QProcess>
#include <QtTest>

#include "common/TestAppFolder.h"

// The tarvelin program itself on a data folder whose list is made from the ROM folder: the
// set-up with a console preset, --list, --print-command and --launch with the game's full path.
class tst_RomFolderCommands : public QObject {
    Q_OBJECT
private slots:
    void presetListsPrintsAndLaunches();
};

namespace {

struct Ran {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

Ran tarvelin(const QStringList& arguments, const QString& pathFolder) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("PATH", pathFolder + ":/usr/bin:/bin");
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TARVELIN_EXE), arguments);
    process.waitForFinished(30000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

} // namespace

void tst_RomFolderCommands::presetListsPrintsAndLaunches() {
    TestAppFolder bin;
    // A stand-in for mGBA that records its arguments, one a line.
    bin.writeScript("mgba", "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$0.args\"\n");
    TestAppFolder data;
    const QString dir = data.path() + "/data";
    QCOMPARE(tarvelin({"--data", dir, "--preset", "mgba", "--list"}, bin.path()).status, 0);
    QVERIFY(QDir().mkpath(dir + "/roms/gba"));
    for (const char* name : {"roms/gba/Button (World).gba", "roms/readme.txt", "roms/b.GBA"}) {
        QFile file(dir + "/" + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    Ran ran = tarvelin({"--data", dir, "--list"}, bin.path());
    QCOMPARE(ran.status, 0);
    QCOMPARE(ran.out, QByteArray("b\tb\t1\nButton (World)\tButton (World)\t1\n"));

    const QString game = dir + "/roms/gba/Button (World).gba";
    ran = tarvelin({"--data", dir, "--print-command", "Button (World)"}, bin.path());
    QCOMPARE(ran.status, 0);
    QCOMPARE(ran.out, (bin.file("mgba") + "\n--scale\n3\n--frameskip\n0\n" + game + "\n").toUtf8());

    ran = tarvelin({"--data", dir, "--launch", "Button (World)"}, bin.path());
    QCOMPARE(ran.status, 0);
    QCOMPARE(bin.read("mgba.args"), ("--scale\n3\n--frameskip\n0\n" + game + "\n").toUtf8());

    QCOMPARE(tarvelin({"--data", dir, "--launch", "nothing"}, bin.path()).status, 2);
}

QTEST_GUILESS_MAIN(tst_RomFolderCommands)
#include "tst_RomFolderCommands.moc"

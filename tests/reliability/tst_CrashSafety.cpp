#include "base/AppPaths.h"
#include "base/Ini.h"
#include "controls/BindingsWriter.h"
#include "controls/ControlTables.h"
#include "gamelist/GameListGenerator.h"

#include <QCoreApplication>
#include <QProcess>
#include <QtTest>

#include <csignal>

#include <sys/resource.h>

#include "common/FileFaults.h"
#include "common/TestAppFolder.h"
#include "HostileFiles.h"
#include "SmallTmpfs.h"

// Every file Tarvelin writes is replaced in one step: whether the writer is killed half-way,
// the rename fails or the disk is full, the file afterwards is either the old one or the new
// one, whole, and a failed write says so.
namespace {

const char* const kChildRole = "TARVELIN_CRASH_CHILD";

// Two versions of one settings file, big enough that writing one takes a while.
QByteArray version(char fill) {
    return "[Parse]\nExeName=emu\n[Big]\nvalue=" + QByteArray(2 << 20, fill) + "\nafter=kept\n";
}

// Child: rewrites the file again and again, alternating the two versions, until killed.
int runRewriter(const QString& file) {
    for (int i = 0; i < 10000; ++i)
        WriteIni(file, "Big", "value", QString(2 << 20, i % 2 ? u'a' : u'b'));
    return 0;
}

// Child: writes a value that makes the file bigger than the file size limit allows.
int runSizeLimited(const QString& file) {
    struct rlimit limit {
        16 << 10, 16 << 10
    };
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
        return 3;
    std::signal(SIGXFSZ, SIG_IGN); // the write fails with EFBIG instead of ending the process
    return WriteIni(file, "Big", "value", QString(64 << 10, u'n')) ? 1 : 0;
}

QProcess* startChild(const QString& role, const QString& file) {
    auto* child = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(kChildRole, role);
    child->setProcessEnvironment(env);
    child->setProgram(QCoreApplication::applicationFilePath());
    child->setArguments({file});
    child->setProcessChannelMode(QProcess::ForwardedChannels);
    child->start();
    return child;
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

class tst_CrashSafety : public QObject {
    Q_OBJECT
private slots:
    void killedWriterLeavesAWholeFile();
    void failedRenameLeavesEveryFileWhole_data();
    void failedRenameLeavesEveryFileWhole();
    void fullDisk_data();
    void fullDisk();
    void fileSizeLimit();
};

void tst_CrashSafety::killedWriterLeavesAWholeFile() {
    TestAppFolder app;
    const QString file = app.file("dovrel/dovrel.ini");
    const QByteArray a = version('a'), b = version('b');
    app.write("dovrel/dovrel.ini", b);
    int interrupted = 0;
    for (int round = 0; round < 6; ++round) {
        std::unique_ptr<QProcess> child(startChild("rewriter", file));
        QVERIFY(child->waitForStarted());
        // Kill it while it has a replacement open, after a round-dependent number of them.
        const pid_t pid = pid_t(child->processId());
        int seen = 0;
        bool writing = false;
        QElapsedTimer patience;
        patience.start();
        while (patience.elapsed() < 20000) {
            const bool now = HostileFiles::OpenFilesIn(pid, app.file("dovrel"), file) > 0;
            if (now && !writing && ++seen > round % 3)
                break;
            writing = now;
        }
        ::kill(pid, SIGKILL);
        QVERIFY(child->waitForFinished());
        if (seen > round % 3)
            ++interrupted;
        const QByteArray after = app.read("dovrel/dovrel.ini");
        QVERIFY2(after == a || after == b, "the settings file is neither version whole");
    }
    qInfo("%d of 6 kills came while a replacement was being written", interrupted);
    QVERIFY(interrupted > 0);
    // Whatever the kills left behind, the file reads and writes as before.
    QCOMPARE(ReadIni(file, "Big", "after"), QString("kept"));
    QVERIFY(WriteIni(file, "Parse", "ExeName", "emu2"));
    QCOMPARE(ReadIni(file, "Parse", "ExeName"), QString("emu2"));
}

void tst_CrashSafety::failedRenameLeavesEveryFileWhole_data() {
    QTest::addColumn<QString>("writer");
    QTest::newRow("settings key") << "settings";
    QTest::newRow("many keys at once (profiles)") << "entries";
    QTest::newRow("bindings, plain") << "plain";
    QTest::newRow("bindings, rewrite") << "rewrite";
    QTest::newRow("game list cache") << "cache";
}

void tst_CrashSafety::failedRenameLeavesEveryFileWhole() {
    QFETCH(QString, writer);
    TestAppFolder app;
    app.write("dovrel/dovrel.ini", "[Settings]\nRomPath=/old/\n");
    app.write("dovrel/cfgs/default.ini", "[Video]\nScale=2\n");
    app.write("dovrel/controldef.ini", "[General]\niniName=emu.ini\nnumCats=1\n[cat1]\n"
                                       "KeyName=[P1]\nnumInputs=1\ninput1=up|Up|Up Arrow\n");
    app.write("emu.ini", "[P1]\nup=W\nrumble=on\n");
    app.write("dovrel/glist.lst", "old|Old Game\r\n");
    app.write("gamelist.txt", "head\nnew  New Game\n");
    const QByteArray before = HostileFiles::TreeSnapshot(app.path());

    const QString target = writer == "settings" ? AppPaths::settingsFile(app.path())
                           : writer == "entries" ? app.file("dovrel/cfgs/default.ini")
                           : writer == "cache"   ? AppPaths::gameListCache(app.path())
                                                 : app.file("emu.ini");
    FileFaults::failNextCommitOnto(target);
    bool ok = true;
    if (writer == "settings") {
        ok = WriteIni(AppPaths::settingsFile(app.path()), "Settings", "RomPath", "/new/");
    } else if (writer == "entries") {
        ok = WriteIniEntries(app.file("dovrel/cfgs/default.ini"),
                             {{"Video", "Scale", "3"}, {"Sound", "Volume", "80"}});
    } else if (writer == "plain" || writer == "rewrite") {
        ControlTables tables = ControlDefinitions::ReadControlTables(app.path());
        tables.CIniType = writer == "rewrite" ? 1 : 0;
        tables.InputList[1].binding = "Up Arrow";
        const IniSnapshot defs(AppPaths::controlDefinitions(app.path()));
        ok = BindingsWriter(tables, defs).save(app.file("emu.ini")) ==
             BindingsWriter::Outcome::Saved;
    } else {
        const GameListResult result =
            BuildGameListCache({app.path(), "emu", "", "gamelist.txt", 0, 0, 5, {}});
        ok = result.ok;
        QCOMPARE(result.message, QString("Unknown List Generation error!"));
    }
    QVERIFY(!ok);
    // Nothing changed, and no temporary file is left behind.
    QCOMPARE(HostileFiles::TreeSnapshot(app.path()), before);
}

void tst_CrashSafety::fullDisk_data() {
    QTest::addColumn<QString>("writer");
    QTest::newRow("settings key") << "settings";
    QTest::newRow("bindings, rewrite") << "rewrite";
    QTest::newRow("game list cache") << "cache";
}

void tst_CrashSafety::fullDisk() {
    QFETCH(QString, writer);
    TestAppFolder app;
    SmallTmpfs disk(app.file("disk"), 128);
    if (!disk.mounted())
        QSKIP(qPrintable("no tmpfs can be mounted here: " + disk.error() +
                         "; fileSizeLimit shows the same with a size-limited file"));
    // 20 KB of file on a 128 KB disk, 70 KB taken by another file: a 40 KB replacement does
    // not fit beside them.
    const QByteArray old = "[Big]\nvalue=" + QByteArray(20 << 10, 'o') + "\n";
    app.write("disk/file", old);
    app.write("disk/filler", QByteArray(70 << 10, 'f'));
    const QString file = app.file("disk/file");
    bool ok = true;
    if (writer == "settings") {
        ok = WriteIni(file, "Big", "value", QString(40 << 10, u'n'));
    } else if (writer == "rewrite") {
        app.write("dovrel/controldef.ini",
                  "[General]\niniName=disk/file\nCIniType=1\nnumCats=1\n"
                  "[cat1]\nKeyName=[Big]\nnumInputs=1\ninput1=value|V|x\n");
        ControlTables tables = ControlDefinitions::ReadControlTables(app.path());
        QCOMPARE(tables.InputList[1].binding, QString(IniLimits::maxValueLength, u'o'));
        tables.InputList[1].binding = QString(40 << 10, u'n');
        const IniSnapshot defs(AppPaths::controlDefinitions(app.path()));
        ok = BindingsWriter(tables, defs).save(file) == BindingsWriter::Outcome::Saved;
    } else {
        QVERIFY(QFile::remove(file));
        QVERIFY(QFile::link(app.file("disk/glist.lst"), app.file("dovrel/glist.lst")));
        app.write("disk/glist.lst", old);
        QByteArray output = "head\n";
        for (int i = 0; i < 4000; ++i)
            output += "game" + QByteArray::number(i) + "  A game\n";
        app.write("gamelist.txt", output);
        const GameListResult result =
            BuildGameListCache({app.path(), "emu", "", "gamelist.txt", 0, 0, 9, {}});
        ok = result.ok;
        QCOMPARE(app.read("disk/glist.lst"), old);
        QVERIFY(app.exists("gamelist.txt"));
    }
    QVERIFY(!ok);
    if (writer != "cache")
        QCOMPARE(app.read("disk/file"), old);
    QCOMPARE(entries(app.file("disk")).size(), 2); // the file and the filler, nothing half-made
    // Once there is room again, the same write lands.
    QVERIFY(QFile::remove(app.file("disk/filler")));
    if (writer == "settings")
        QVERIFY(WriteIni(file, "Big", "value", QString(40 << 10, u'n')));
}

void tst_CrashSafety::fileSizeLimit() {
    TestAppFolder app;
    const QByteArray old = "[Big]\nvalue=" + QByteArray(10 << 10, 'o') + "\nafter=kept\n";
    app.write("dovrel/dovrel.ini", old);
    std::unique_ptr<QProcess> child(startChild("size-limited", app.file("dovrel/dovrel.ini")));
    QVERIFY(child->waitForFinished());
    QCOMPARE(child->exitStatus(), QProcess::NormalExit);
    QCOMPARE(child->exitCode(), 0); // the write reported its failure
    QCOMPARE(app.read("dovrel/dovrel.ini"), old);
    QCOMPARE(entries(app.file("dovrel")), QStringList({"cfgs", "dovrel.ini"}));
}

int main(int argc, char** argv) {
    const QByteArray role = qgetenv(kChildRole);
    if (!role.isEmpty()) {
        QCoreApplication app(argc, argv);
        const QString file = QCoreApplication::arguments().value(1);
        return role == "rewriter" ? runRewriter(file) : runSizeLimited(file);
    }
    QCoreApplication app(argc, argv);
    tst_CrashSafety test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_CrashSafety.moc"

#include "launch/CommandLine.h"
#include "launch/RunAndWait.h"
#include "launch/WaitLoop.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>
#include <QtTest>

#include <cerrno>
#include <csignal>
#include <sys/types.h>

#include "common/FakeDialogs.h"
#include "common/TestAppFolder.h"

namespace {

// A little below the fixed pause, for the coarseness of clocks; no upper bound is asserted.
constexpr qint64 kPauseFloorMs = RunAndWaitTiming::pauseMs - 10;

QString canonical(const QString& path) { return QFileInfo(path).canonicalFilePath(); }

} // namespace

class tst_RunAndWait : public QObject {
    Q_OBJECT
private slots:
    void init() { m_startDir = QDir::currentPath(); }
    void cleanup() { QDir::setCurrent(m_startDir); }

    void showStates_data();
    void showStates();
    void commandLine_data();
    void commandLine();
    void waitLoop_data();
    void waitLoop();

    void programThatEndsAtOnce();
    void eventsRunDuringTheWait();
    void missingProgramReturnsSilently();
    void quotedArgumentsStayWhole();
    void programInWorkingFolderComesBeforePath();
    void unusableFolderIsSkipped();
    void environmentAndOutputFile();
    void endedProcessIsReaped();
    void programWithBlanksIsOneProgram();
    void programLeftToRunOnOutlivesTarvelin();

private:
    QString m_startDir;
};

void tst_RunAndWait::showStates_data() {
    QTest::addColumn<double>("code");
    QTest::addColumn<int>("showState");
    QTest::newRow("0 hidden") << 0.0 << 0;
    QTest::newRow("1 maximized") << 1.0 << 3;
    QTest::newRow("2 minimized") << 2.0 << 2;
    QTest::newRow("3 minimized, not active") << 3.0 << 6;
    QTest::newRow("4 normal") << 4.0 << 1;
    QTest::newRow("5 normal, not active") << 5.0 << 4;
    QTest::newRow("7 other") << 7.0 << 1;
    QTest::newRow("-1 other") << -1.0 << 1;
    QTest::newRow("2.5 floors to 2") << 2.5 << 2;
    QTest::newRow("-0.5 floors to -1") << -0.5 << 1;
    QTest::newRow("5.99 floors to 5") << 5.99 << 4;
}

void tst_RunAndWait::showStates() {
    QFETCH(double, code);
    QFETCH(int, showState);
    QCOMPARE(ShowStateForWindowStyle(code), showState);
}

void tst_RunAndWait::commandLine_data() {
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("words");
    QTest::newRow("no arguments") << "emu" << "" << "emu" << QStringList{"emu"};
    QTest::newRow("one blank, as the batch runner passes")
        << "test.bat" << " " << "test.bat  " << QStringList{"test.bat"};
    QTest::newRow("launch with quoted ROM path and options")
        << "emu" << " \"/home/me/my roms/pac man.zip\"  -fs -vol 3" << "emu  \"/home/me/my roms/pac man.zip\"  -fs -vol 3"
        << QStringList{"emu", "/home/me/my roms/pac man.zip", "-fs", "-vol", "3"};
    QTest::newRow("shell syntax stays text")
        << "emu" << " a;rm -rf x $(y) >z" << "emu  a;rm -rf x $(y) >z"
        << QStringList{"emu", "a;rm", "-rf", "x", "$(y)", ">z"};
    QTest::newRow("quoted group inside a word")
        << "emu" << " -title=\"two words\"" << "emu  -title=\"two words\""
        << QStringList{"emu", "-title=two words"};
    QTest::newRow("three quotes are one literal quote")
        << "emu" << " \"say \"\"\"hi\"\"\"\"" << "emu  \"say \"\"\"hi\"\"\"\""
        << QStringList{"emu", "say \"hi\""};
}

void tst_RunAndWait::commandLine() {
    QFETCH(QString, program);
    QFETCH(QString, arguments);
    QFETCH(QString, line);
    QFETCH(QStringList, words);
    QCOMPARE(ComposeCommandLine(program, arguments), line);
    QCOMPARE(SplitCommandLine(line), words);
}

void tst_RunAndWait::waitLoop_data() {
    QTest::addColumn<QList<int>>("results"); // WaitResult values in the order the waits give
    QTest::addColumn<int>("eventRounds");
    QTest::addColumn<int>("waits");
    QTest::addColumn<bool>("failureShown");
    const int ended = int(WaitResult::Ended), timedOut = int(WaitResult::TimedOut),
              failed = int(WaitResult::Failed), other = int(WaitResult::Other);
    QTest::newRow("ended at the first wait") << QList<int>{ended} << 0 << 1 << false;
    QTest::newRow("time-outs process events")
        << QList<int>{timedOut, timedOut, timedOut, ended} << 3 << 4 << false;
    QTest::newRow("failure shows the message")
        << QList<int>{timedOut, failed, ended} << 1 << 2 << true;
    QTest::newRow("other answers wait again without events")
        << QList<int>{other, other, timedOut, ended} << 1 << 4 << false;
}

void tst_RunAndWait::waitLoop() {
    QFETCH(QList<int>, results);
    QFETCH(int, eventRounds);
    QFETCH(int, waits);
    QFETCH(bool, failureShown);
    FakeDialogs dialogs;
    int next = 0;
    int rounds = 0;
    WaitUntilEnded(
        dialogs, [&] { return WaitResult(results.value(next++, int(WaitResult::Ended))); },
        [&] { ++rounds; });
    QCOMPARE(rounds, eventRounds);
    QCOMPARE(next, waits);
    QCOMPARE(dialogs.shown.size(), failureShown ? 1 : 0);
    if (failureShown) {
        QCOMPARE(dialogs.shown[0].kind, QString("message"));
        QCOMPARE(dialogs.shown[0].title, QString());
        QCOMPARE(dialogs.shown[0].text, QString("Wait failed or abandoned"));
    }
}

void tst_RunAndWait::programThatEndsAtOnce() {
    TestAppFolder app;
    app.writeScript("quick", "echo ran > quick.out\n");
    FakeDialogs dialogs;
    QElapsedTimer clock;
    clock.start();
    RunAndWait(dialogs, app.path(), "quick", "", 0);
    QVERIFY(clock.elapsed() >= kPauseFloorMs);
    QCOMPARE(app.read("quick.out"), QByteArray("ran\n")); // ran in the folder given
    QCOMPARE(canonical(QDir::currentPath()), canonical(app.path())); // and the folder stays current
    QVERIFY(dialogs.shown.isEmpty());
}

void tst_RunAndWait::eventsRunDuringTheWait() {
    TestAppFolder app;
    // Runs until the file "go" appears, which only a timer of the test creates; gives up after
    // a long while so that a broken wait fails instead of hanging.
    app.writeScript("waiter", "n=0\n"
                              "while [ ! -e go ] && [ $n -lt 3000000 ]; do n=$((n+1)); done\n"
                              "if [ -e go ]; then echo released > waiter.out; fi\n");
    FakeDialogs dialogs;
    bool fired = false;
    QTimer::singleShot(RunAndWaitTiming::pauseMs + 100, [&] {
        fired = true;
        app.write("go", "");
    });
    RunAndWait(dialogs, app.path(), "waiter", "", 0);
    QVERIFY(fired);
    QCOMPARE(app.read("waiter.out"), QByteArray("released\n"));
    QVERIFY(dialogs.shown.isEmpty());
}

void tst_RunAndWait::missingProgramReturnsSilently() {
    TestAppFolder app;
    FakeDialogs dialogs;
    QElapsedTimer clock;
    clock.start();
    RunAndWait(dialogs, app.path(), "tarvelin-no-such-program", " -x", 0);
    QVERIFY(clock.elapsed() >= kPauseFloorMs);
    RunAndWait(dialogs, app.path(), "", "", 0);
    QVERIFY(dialogs.shown.isEmpty());
}

void tst_RunAndWait::quotedArgumentsStayWhole() {
    TestAppFolder app;
    app.writeScript("args", "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > args.out\n");
    FakeDialogs dialogs;
    RunAndWait(dialogs, app.path(), "args",
               " \"" + app.path() + "/my roms/pac man.zip\"  -flag \"two  words\" ''", 0);
    QCOMPARE(app.read("args.out"),
             (app.path() + "/my roms/pac man.zip\n-flag\ntwo  words\n''\n").toUtf8());
}

void tst_RunAndWait::programInWorkingFolderComesBeforePath() {
    TestAppFolder app;
    // Named like the shell that PATH certainly holds: the folder's own program must win.
    app.writeScript("sh", "echo folder > which.out\n");
    FakeDialogs dialogs;
    RunAndWait(dialogs, app.path(), "sh", "", 0);
    QCOMPARE(app.read("which.out"), QByteArray("folder\n"));
}

void tst_RunAndWait::unusableFolderIsSkipped() {
    TestAppFolder app;
    app.writeScript("here", "echo here > here.out\n");
    app.write("afile", "not a folder");
    QDir::setCurrent(app.path());
    FakeDialogs dialogs;
    RunAndWait(dialogs, app.file("afile"), "here", "", 0);
    QCOMPARE(app.read("here.out"), QByteArray("here\n"));
    QCOMPARE(canonical(QDir::currentPath()), canonical(app.path()));
}

void tst_RunAndWait::environmentAndOutputFile() {
    TestAppFolder app;
    app.writeScript("env", "printf '%s|%s\\n' \"$TARVELIN_PROBE\" \"$1\"\necho to-stderr >&2\n");
    QProcessEnvironment environment;
    environment.insert("TARVELIN_PROBE", "given value");
    RunOptions options;
    options.environment = environment;
    options.standardOutputFile = app.file("env.out");
    FakeDialogs dialogs;
    RunAndWait(dialogs, app.path(), "env", QStringList{"a b"}, options);
    QCOMPARE(app.read("env.out"), QByteArray("given value|a b\n"));
}

void tst_RunAndWait::endedProcessIsReaped() {
    TestAppFolder app;
    app.writeScript("pid", "echo $$ > pid.out\n");
    FakeDialogs dialogs;
    RunAndWait(dialogs, app.path(), "pid", "", 0);
    const pid_t pid = app.read("pid.out").trimmed().toInt();
    QVERIFY(pid > 0);
    // A zombie still answers signal 0; a reaped process is gone.
    errno = 0;
    QCOMPARE(::kill(pid, 0), -1);
    QCOMPARE(errno, ESRCH);
}

void tst_RunAndWait::programWithBlanksIsOneProgram() {
    TestAppFolder app;
    app.writeScript("my emus/My Emulator",
                    "printf '%s|' \"$@\" > \"$(dirname \"$0\")/../args.out\"\n");
    FakeDialogs dialogs;
    RunAndWait(dialogs, app.path(), "my emus/My Emulator", " -x \"a b\"", 0);
    QCOMPARE(app.read("args.out"), QByteArray("-x|a b|"));
    QVERIFY(dialogs.shown.isEmpty());
}

// The child half: starts the runner, lets it run on and ends at once, its application object
// and all with it.
int letRunOnAndEnd(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    auto runner = std::make_unique<QProcess>();
    runner->start(QString::fromLocal8Bit(argv[2]), {QString::fromLocal8Bit(argv[3])});
    if (!runner->waitForStarted(5000))
        return 3;
    LetRunOn(std::move(runner));
    return 0;
}

void tst_RunAndWait::programLeftToRunOnOutlivesTarvelin() {
    TestAppFolder app;
    app.writeScript("runner", "sleep 1\necho ran on > \"$1\"\n");
    QProcess tarvelin;
    tarvelin.start(QCoreApplication::applicationFilePath(),
                   {"--let-run-on", app.file("runner"), app.file("ran.out")});
    QVERIFY(tarvelin.waitForFinished(10000));
    QCOMPARE(tarvelin.exitCode(), 0);
    QVERIFY(!app.exists("ran.out")); // Tarvelin ended first
    QTRY_COMPARE_WITH_TIMEOUT(app.read("ran.out"), QByteArray("ran on\n"), 10000);
}

int main(int argc, char* argv[]) {
    if (argc == 4 && qstrcmp(argv[1], "--let-run-on") == 0)
        return letRunOnAndEnd(argc, argv);
    QCoreApplication app(argc, argv);
    tst_RunAndWait test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_RunAndWait.moc"

#include "cli/CommandLine.h"

#include <QtTest>

class tst_CommandLine : public QObject {
    Q_OBJECT
private slots:
    void parses_data();
    void parses();
};

void tst_CommandLine::parses_data() {
    QTest::addColumn<QStringList>("arguments"); // after the program's name
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("preset"); // the names of each --preset, joined by ","
    QTest::addColumn<QString>("rom");
    QTest::addColumn<QString>("error"); // empty: none
    using A = CommandLine::Action;
    const int window = int(A::Window);

    QTest::newRow("nothing: the window") << QStringList{} << window << ""
                                         << ""
                                         << ""
                                         << "";
    QTest::newRow("data and preset: still the window")
        << QStringList{"--data", "/d", "--preset", "demo"} << window << "/d"
        << "demo"
        << ""
        << "";
    QTest::newRow("--data=DIR form") << QStringList{"--data=/my games"} << window << "/my games"
                                     << ""
                                     << ""
                                     << "";
    QTest::newRow("list") << QStringList{"--list"} << int(A::List) << ""
                          << ""
                          << ""
                          << "";
    QTest::newRow("single dash reads as the long option")
        << QStringList{"-list"} << int(A::List) << ""
        << ""
        << ""
        << "";
    QTest::newRow("print-command")
        << QStringList{"--print-command", "pacman"} << int(A::PrintCommand) << ""
        << ""
        << "pacman"
        << "";
    QTest::newRow("launch with data")
        << QStringList{"--data", "x", "--launch", "a b"} << int(A::Launch) << "x"
        << ""
        << "a b"
        << "";
    QTest::newRow("help wins") << QStringList{"--list", "-h"} << int(A::Help) << ""
                               << ""
                               << ""
                               << "";
    QTest::newRow("help even after a conflict")
        << QStringList{"--list", "--launch", "a", "--help"} << int(A::Help) << ""
        << ""
        << "a"
        << "";
    QTest::newRow("version") << QStringList{"-v"} << int(A::Version) << ""
                             << ""
                             << ""
                             << "";
    QTest::newRow("Qt's own window options pass")
        << QStringList{"-style", "fusion", "-reverse"} << window << ""
        << ""
        << ""
        << "";
    QTest::newRow("unknown option") << QStringList{"--frobnicate"} << window << ""
                                    << ""
                                    << ""
                                    << "Unknown option 'frobnicate'.";
    QTest::newRow("missing value") << QStringList{"--launch"} << window << ""
                                   << ""
                                   << ""
                                   << "Missing value after '--launch'.";
    QTest::newRow("stray argument") << QStringList{"pacman"} << window << ""
                                    << ""
                                    << ""
                                    << "Unexpected argument 'pacman'.";
    QTest::newRow("a line break in a stray argument: still one line")
        << QStringList{"pac\nman\x1b[2J"} << window << ""
        << ""
        << ""
        << "Unexpected argument 'pac\uFFFDman\uFFFD[2J'.";
    QTest::newRow("--refresh without an action")
        << QStringList{"--refresh"} << window << ""
        << ""
        << ""
        << "--refresh goes with --list, --print-command or --launch.";
    QTest::newRow("two actions") << QStringList{"--list", "--print-command", "a"}
                                 << int(A::PrintCommand) << ""
                                 << ""
                                 << "a"
                                 << "--list, --print-command and --launch exclude each other.";
    QTest::newRow("empty data") << QStringList{"--data", ""} << window << ""
                                << ""
                                << ""
                                << "--data needs a folder.";
    QTest::newRow("empty preset") << QStringList{"--preset=", "--list"} << int(A::List) << ""
                                  << ""
                                  << ""
                                  << "--preset needs a name.";
    QTest::newRow("the same preset twice")
        << QStringList{"--preset", "mame", "--preset", "demo", "--preset", "mame"} << window << ""
        << "mame,demo,mame"
        << ""
        << "--preset mame is given twice.";
    QTest::newRow("empty system") << QStringList{"--system="} << window << ""
                                  << ""
                                  << ""
                                  << "--system needs a name.";
    QTest::newRow("systems with another action")
        << QStringList{"--systems", "--launch", "a"} << int(A::Systems) << ""
        << ""
        << "a"
        << "--systems goes without --list, --print-command and --launch.";
    QTest::newRow("systems and a system")
        << QStringList{"--systems", "--system", "MAME"} << int(A::Systems) << ""
        << ""
        << ""
        << "--systems prints every system; --system does not go with it.";
}

void tst_CommandLine::parses() {
    QFETCH(QStringList, arguments);
    QFETCH(int, action);
    QFETCH(QString, data);
    QFETCH(QString, preset);
    QFETCH(QString, rom);
    QFETCH(QString, error);
    const CommandLine command = CommandLine::parse(QStringList{"tarvelin"} + arguments);
    QCOMPARE(command.error, error);
    QCOMPARE(int(command.action), action);
    QCOMPARE(command.data, data);
    QCOMPARE(command.presets.join(u','), preset);
    QCOMPARE(command.rom, rom);
    QCOMPARE(command.opensWindow(), error.isEmpty() && action == int(CommandLine::Action::Window));
}

QTEST_APPLESS_MAIN(tst_CommandLine)
#include "tst_CommandLine.moc"

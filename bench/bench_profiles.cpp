// Profiles on the main window: loading a game's values into a panel of 300 options with both
// profiles present, holding the Down key through a list of 50,000 games, and "Save to
// &Default" and "&Save" of 300 options. Runs on the offscreen platform with the window shown,
// so each selection also repaints. Output: one line per figure, name TAB value TAB unit, and
// TAB goal where the figure has one.

#include "AppState.h"
#include "Dialogs.h"
#include "Ini.h"
#include "MemoryPanelValues.h"
#include "OptionTable.h"
#include "Profiles.h"
#include "frmMain.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <numeric>
#include <vector>

namespace {

constexpr int kOptions = 300;
constexpr int kGames = 50000;
constexpr int kSelections = 1000;
constexpr int kDeviations = 30; // options a game profile holds

class NoDialogs final : public Dialogs {
public:
    void critical(const QString&) override {}
    void message(const QString&) override {}
    void warning(const QString&) override {}
    void information(const QString&, const QString&) override {}
    bool askYesNo(const QString&, const QString&) override { return false; }
    QString inputText(const QString&, const QString&, const QString&) override { return {}; }
};

void print(const QString& name, double value, const QString& unit, const QString& goal = {}) {
    QTextStream out(stdout);
    out << name << '\t' << QString::number(value, 'f', 3) << '\t' << unit;
    if (!goal.isEmpty())
        out << '\t' << goal;
    out << '\n';
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double elapsedMs(const std::function<void()>& work) {
    QElapsedTimer clock;
    clock.start();
    work();
    return double(clock.nsecsElapsed()) / 1e6;
}

double medianMs(int rounds, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i)
        times.push_back(elapsedMs(work));
    return median(times);
}

QString category(int n) { return QStringLiteral("Category %1").arg(n / 30 + 1); }
QString caption(int n) {
    switch (n % 3) {
    case 0:
        return QStringLiteral("Text option %1").arg(n);
    case 1:
        return QStringLiteral("List option %1").arg(n);
    default:
        return QStringLiteral("Check option %1").arg(n);
    }
}

// Options of the three kinds in turn, 30 to a category.
QByteArray definitions() {
    const int categories = (kOptions + 29) / 30;
    QByteArray file = "[General]\nNumCats=" + QByteArray::number(categories) + "\n";
    for (int c = 0; c < categories; ++c) {
        file += "[Cat" + QByteArray::number(c + 1) + "]\nName=" + category(c * 30).toUtf8() +
                "\nnumOpts=30\n";
        for (int i = 0; i < 30; ++i) {
            const int n = c * 30 + i;
            const QByteArray num = QByteArray::number(n);
            file += "opt" + QByteArray::number(i + 1) + "=";
            switch (n % 3) {
            case 0:
                file += "-text" + num + " |" + caption(n).toUtf8() + "|0|value " + num + "\n";
                break;
            case 1:
                file += "-list" + num + "=|" + caption(n).toUtf8() + "|1|one|two|three|four|2\n";
                break;
            default:
                file += "-check" + num + "|" + caption(n).toUtf8() + "|2|1\n";
                break;
            }
        }
    }
    return file;
}

// A game's deviations: every tenth option, with a value of its kind.
QByteArray gameProfile(int game) {
    QByteArray file;
    QString section;
    for (int d = 0; d < kDeviations; ++d) {
        const int n = d * (kOptions / kDeviations) + game % 3;
        if (category(n) != section) {
            section = category(n);
            file += "[" + section.toUtf8() + "]\n";
        }
        const QByteArray value = n % 3 == 0   ? "game " + QByteArray::number(game)
                                 : n % 3 == 1 ? QByteArray::number(game % 4 + 1)
                                              : QByteArray::number(game % 3);
        file += caption(n).toUtf8() + "=" + value + "\n";
    }
    return file;
}

class AppFolder {
public:
    AppFolder() {
        QDir(m_dir.path()).mkpath("dovrel/cfgs");
        write("dovrel/dovrel.ini", "[Parse]\nExeName=emu\nGameListStartLine=0\nGameListRomLen=8\n"
                                   "HelpEndLine=0\n[Settings]\nSendRomPath=1\nRomPathinQuotes=1\n"
                                   "ShowConfig=0\nShowMissingRoms=0\n");
        write("dovrel/cfgdef.ini", definitions());
        QByteArray list;
        for (int g = 0; g < kGames; ++g)
            list += "game" + QByteArray::number(g) + "|Game number " + QByteArray::number(g) +
                    "\r\n";
        write("dovrel/glist.lst", list);
        for (int g = 0; g <= kSelections; ++g)
            write("dovrel/cfgs/game" + QString::number(g) + ".ini", gameProfile(g));
    }
    QString path() const { return m_dir.path(); }
    QString file(const QString& relative) const { return m_dir.filePath(relative); }
    void write(const QString& relative, const QByteArray& bytes) const {
        QFile f(file(relative));
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(relative));
    }

private:
    QTemporaryDir m_dir;
};

void pressDown(QWidget* list) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(list, &press);
    QApplication::sendEvent(list, &release);
    QCoreApplication::processEvents(); // the repaint a held key gets between repeats
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);

    const AppFolder app;
    AppState state;
    state.appDir = app.path();
    NoDialogs dialogs;
    frmMain window(state, dialogs);
    window.ReadDovrelCFG();
    window.LoadGameList(false);
    window.InitCfg(); // writes the default profile from the definition defaults
    window.show();
    window.lstGames->setFocus();
    QCoreApplication::processEvents();
    print("profiles: options in the panel", window.optionTable().OptionCount(), "options");

    {
        int next = 1;
        const double ms = medianMs(201, [&] {
            window.lstGames->setCurrentRow(next);
            next = next == 1 ? 2 : 1;
        });
        print("profiles: select a game, 300 options, default and game profile (median)", ms,
              "ms", "<= 5 ms");
    }
    {
        // The same load without widgets: what the profile files and lookups cost.
        MemoryPanelValues panel;
        const OptionTable& source = window.optionTable();
        OptionTable table;
        for (int r = 1; r <= source.OptionCount(); ++r) {
            table.append(source.row(r));
            if (source.row(r).Kind == u"0")
                panel.addText(r, {});
            else if (source.row(r).Kind == u"1")
                panel.addList(r, {"one", "two", "three", "four"}, -1);
            else
                panel.addCheck(r, 0);
        }
        Profiles profiles(state.appDir, dialogs, table, panel);
        const double ms = medianMs(201, [&] { profiles.ReadCfg(QStringLiteral("game1")); });
        print("profiles: ReadCfg 300 options, both profiles, in-memory panel (median)", ms * 1000,
              "us");
    }

    {
        window.lstGames->setCurrentRow(0);
        QCoreApplication::processEvents();
        std::vector<double> steps;
        steps.reserve(kSelections);
        const double total = elapsedMs([&] {
            for (int i = 0; i < kSelections; ++i)
                steps.push_back(elapsedMs([&] { pressDown(window.lstGames); }));
        });
        if (window.lstGames->currentRow() != kSelections)
            qFatal("the Down key did not move the selection");
        print("profiles: 1000 Down-key selections through 50000 games, total", total, "ms");
        print("profiles: 1000 Down-key selections, mean per selection",
              std::accumulate(steps.begin(), steps.end(), 0.0) / double(steps.size()), "ms",
              "<= 5 ms");
        print("profiles: 1000 Down-key selections, slowest selection",
              *std::max_element(steps.begin(), steps.end()), "ms");
    }

    {
        const double ms = medianMs(51, [&] { window.cmdSaveDefault_Click(); });
        print("profiles: Save to Default, 300 options into the existing file (median)", ms, "ms",
              "<= 20 ms");
        const QString defaults = app.file("dovrel/cfgs/default.ini");
        // The fixed part of any save: reading, replacing and syncing the file, for one key.
        print("profiles: one key written into the 300-option default profile (median)",
              medianMs(51, [&] { WriteIni(defaults, category(0), caption(0), "x"); }), "ms");
        std::vector<double> times;
        for (int i = 0; i < 21; ++i) {
            QFile::remove(defaults);
            times.push_back(elapsedMs([&] { window.cmdSaveDefault_Click(); }));
        }
        print("profiles: Save to Default, 300 options into a new file (median)", median(times),
              "ms", "<= 20 ms");
    }
    {
        // Every option differs from the defaults of the last load.
        OptionsPanel& panel = window.optionsPanel();
        for (int r = 1; r <= window.optionTable().OptionCount(); ++r) {
            panel.setText(r, QStringLiteral("changed %1").arg(r));
            panel.setListIndex(r, 3);
            panel.setCheckState(r, 0);
        }
        const QString profile = app.file("dovrel/cfgs/game" + QString::number(kSelections) + ".ini");
        std::vector<double> times;
        for (int i = 0; i < 21; ++i) {
            QFile::remove(profile);
            times.push_back(elapsedMs([&] { window.cmdSaveRom_Click(); }));
        }
        print("profiles: Save, 300 differing options into a new game profile (median)",
              median(times), "ms", "<= 20 ms");
    }
    return 0;
}

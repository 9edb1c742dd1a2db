// Profiles on the main window: loading a game's values into a panel of 300 options with both
// profiles present, holding the Down key through a list of 50,000 games, and "Save to
// &Default" and "&Save" of 300 options. Runs on the offscreen platform with the window shown,
// so each selection also repaints. Output: one line per figure, name TAB value TAB unit, and
// TAB goal where the figure has one.

#include "BenchSupport.h"
#include "BenchWindow.h"
#include "base/Ini.h"
#include "gamelist/ui/GameListBox.h"
#include "options/MemoryPanelValues.h"
#include "options/OptionTable.h"
#include "profiles/Profiles.h"
#include "session/GameSession.h"
#include "shell/frmMain.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>

#include <algorithm>
#include <numeric>
#include <vector>

namespace {

using namespace Bench;

constexpr int kOptions = 300;
constexpr int kPerCategory = 30;
constexpr int kGames = 50000;
constexpr int kSelections = 1000;
constexpr int kDeviations = 30; // options a game profile holds

QString category(int n) {
    return OptionDefinitions::category(n, kPerCategory);
}
QString caption(int n) {
    return OptionDefinitions::caption(n);
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

void prepare(const AppFolder& app) {
    app.write("dovrel/dovrel.ini", "[Parse]\nExeName=emu\nGameListStartLine=0\nGameListRomLen=8\n"
                                   "HelpEndLine=0\n[Settings]\nSendRomPath=1\nRomPathinQuotes=1\n"
                                   "ShowConfig=0\nShowMissingRoms=0\n");
    app.write("dovrel/cfgdef.ini", OptionDefinitions::file(kOptions, kPerCategory));
    QByteArray list;
    for (int g = 0; g < kGames; ++g)
        list += "game" + QByteArray::number(g) + "|Game number " + QByteArray::number(g) + "\r\n";
    app.write("dovrel/glist.lst", list);
    for (int g = 0; g <= kSelections; ++g)
        app.write("dovrel/cfgs/game" + QString::number(g) + ".ini", gameProfile(g));
}

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
    prepare(app);
    CachedWindow started(app.path()); // writes the default profile from the definition defaults
    frmMain& window = started.window;
    const GameSession& state = started.state;
    NoDialogs& dialogs = started.dialogs;
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
        print("profiles: select a game, 300 options, default and game profile (median)", ms, "ms",
              "<= 5 ms");
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
        Profiles profiles(state.appDir(), dialogs, table, panel);
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
        const QString profile =
            app.file("dovrel/cfgs/game" + QString::number(kSelections) + ".ini");
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

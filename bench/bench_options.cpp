// The options panel's own work: reading the option definitions, building the panel in InitCfg
// (300 options of every kind; the largest table of 32,766 options; 32,767 announced categories
// with no keys behind them), composing the option string, and what one missing "opt" key
// costs the reader. Runs on the offscreen platform; each figure is the median of several
// rounds. Output: one line per figure, name TAB value TAB unit.

#include "AppState.h"
#include "Dialogs.h"
#include "OptionDefinitionReader.h"
#include "OptionTable.h"
#include "frmMain.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace {

class NoDialogs final : public Dialogs {
public:
    void critical(const QString&) override {}
    void message(const QString&) override {}
    void warning(const QString&) override {}
    void information(const QString&, const QString&) override {}
    bool askYesNo(const QString&, const QString&) override { return false; }
    QString inputText(const QString&, const QString&, const QString&) override { return {}; }
};

class CountingSink final : public OptionDefinitionSink {
public:
    int categories = 0;
    int options = 0;
    void beginCategory(int, const QString&) override { ++categories; }
    void addOption(int, const OptionDefinition&) override { ++options; }
    void endCategory(int) override {}
};

void print(const QString& name, double value, const QString& unit) {
    QTextStream(stdout) << name << '\t' << QString::number(value, 'f', 3) << '\t' << unit << '\n';
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

// Options of every kind in turn, spread over categories of `perCategory` options.
QByteArray definitions(int options, int perCategory) {
    const int categories = (options + perCategory - 1) / perCategory;
    QByteArray file = "[General]\nNumCats=" + QByteArray::number(categories) + "\n";
    int n = 0;
    for (int c = 1; c <= categories; ++c) {
        const int here = std::min(perCategory, options - n);
        file += "[Cat" + QByteArray::number(c) + "]\nName=Category " + QByteArray::number(c) +
                "\nnumOpts=" + QByteArray::number(here) + "\n";
        for (int i = 1; i <= here; ++i, ++n) {
            const QByteArray num = QByteArray::number(n);
            file += "opt" + QByteArray::number(i) + "=";
            switch (n % 3) {
            case 0:
                file += "-text" + num + " |Text option " + num + "|0|value " + num + "\n";
                break;
            case 1:
                file += "-list" + num + "=|List option " + num + "|1|one|two|three|four|five|2\n";
                break;
            default:
                file += "-check" + num + "|Check option " + num + "|2|1\n";
                break;
            }
        }
    }
    return file;
}

class AppFolder {
public:
    explicit AppFolder(const QByteArray& cfgdef) {
        QDir(m_dir.path()).mkpath("dovrel/cfgs");
        QFile f(m_dir.filePath("dovrel/cfgdef.ini"));
        if (!f.open(QIODevice::WriteOnly) || f.write(cfgdef) != cfgdef.size())
            qFatal("cannot write the definitions");
    }
    QString path() const { return m_dir.path(); }
    QString definitions() const { return m_dir.filePath("dovrel/cfgdef.ini"); }

private:
    QTemporaryDir m_dir;
};

// InitCfg on a fresh window each round; the window's own construction is not counted.
double initCfgMs(const AppFolder& app, int rounds, int* optionCount = nullptr) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        AppState state;
        state.appDir = app.path();
        NoDialogs dialogs;
        auto window = std::make_unique<frmMain>(state, dialogs);
        times.push_back(elapsedMs([&] { window->InitCfg(); }));
        if (optionCount)
            *optionCount = window->optionTable().OptionCount();
    }
    return median(times);
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);

    const AppFolder three(definitions(300, 30));
    print("ReadOptionDefinitions 300 options, no widgets", medianMs(21, [&] {
              OptionTable table;
              CountingSink sink;
              Options::ReadOptionDefinitions(three.definitions(), table, sink);
          }), "ms");
    print("InitCfg 300 options in 10 categories", initCfgMs(three, 9), "ms");

    {
        AppState state;
        state.appDir = three.path();
        NoDialogs dialogs;
        frmMain window(state, dialogs);
        window.InitCfg();
        print("first show after InitCfg, 300 options", elapsedMs([&] {
                  window.show();
                  QCoreApplication::processEvents();
              }), "ms");
        QString options;
        const double ms = medianMs(101, [&] { options = window.CreateCLOString(); });
        print("CreateCLOString 300 options from the panel", ms * 1000, "us");
        print("CreateCLOString 300 options, length", options.size(), "characters");
    }

    const AppFolder largest(definitions(OptionTable::MaxRows, 1000));
    int rows = 0;
    print("InitCfg 32766 options in 33 categories", initCfgMs(largest, 3, &rows), "ms");
    print("InitCfg 32766 options, rows built", rows, "rows");

    const AppFolder empty("[General]\nNumCats=32767\n[Cat1]\nnumOpts=32767\n");
    print("InitCfg 32767 announced categories and options, no keys", initCfgMs(empty, 3), "ms");

    // Every missing key within an announced count costs one lookup; a file of many present
    // sections that each announce the most options is the costliest input.
    QByteArray announcing = "[General]\nNumCats=50\n";
    for (int c = 1; c <= 50; ++c)
        announcing += "[Cat" + QByteArray::number(c) + "]\nnumOpts=32767\n";
    const AppFolder lookups(announcing);
    const double lookupMs = medianMs(3, [&] {
        OptionTable table;
        CountingSink sink;
        Options::ReadOptionDefinitions(lookups.definitions(), table, sink);
    });
    print("ReadOptionDefinitions 50 sections x 32767 missing opt keys", lookupMs, "ms");
    print("one missing opt key", lookupMs * 1e6 / (50.0 * 32767), "ns");
    return 0;
}

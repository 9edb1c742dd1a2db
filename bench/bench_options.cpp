// The options panel's own work: reading the option definitions, building the panel in InitCfg
// (300 options of every kind; the largest table of 32,766 options; 32,767 announced categories
// with no keys behind them), composing the option string, and what one missing "opt" key
// costs the reader. Runs on the offscreen platform; each figure is the median of several
// rounds. Output: one line per figure, name TAB value TAB unit.

#include "BenchSupport.h"
#include "options/OptionDefinitionReader.h"
#include "options/OptionTable.h"
#include "session/GameSession.h"
#include "shell/frmMain.h"

#include <QApplication>

#include <memory>

namespace {

using namespace Bench;

class CountingSink final : public OptionDefinitionSink {
public:
    int categories = 0;
    int options = 0;
    void beginCategory(int, const QString&) override { ++categories; }
    void addOption(int, const OptionDefinition&) override { ++options; }
    void endCategory(int) override {}
};

class DefinitionsFolder : public AppFolder {
public:
    explicit DefinitionsFolder(const QByteArray& cfgdef) {
        write(QStringLiteral("dovrel/cfgdef.ini"), cfgdef);
    }
    QString definitions() const { return file(QStringLiteral("dovrel/cfgdef.ini")); }
};

// InitCfg on a fresh window each round; the window's own construction is not counted.
double initCfgMs(const DefinitionsFolder& app, int rounds, int* optionCount = nullptr) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        GameSession state(app.path());
        NoDialogs dialogs;
        auto window = std::make_unique<frmMain>(state, dialogs);
        times.push_back(elapsedMs([&] { window->InitCfg(); }));
        if (optionCount)
            *optionCount = window->optionTable().OptionCount();
        // The events InitCfg posted to its widgets are delivered, as the running program's
        // event loop delivers them; a widget destroyed with events still queued searches the
        // whole queue, which made tearing down the 100,000 widgets of the largest table take
        // several seconds per window.
        QCoreApplication::processEvents();
    }
    return median(times);
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);

    const DefinitionsFolder three(OptionDefinitions::file(300, 30));
    print("ReadOptionDefinitions 300 options, no widgets",
          medianMs(21,
                   [&] {
                       OptionTable table;
                       CountingSink sink;
                       Options::ReadOptionDefinitions(three.definitions(), table, sink);
                   }),
          "ms");
    print("InitCfg 300 options in 10 categories", initCfgMs(three, 9), "ms");

    {
        GameSession state(three.path());
        NoDialogs dialogs;
        frmMain window(state, dialogs);
        window.InitCfg();
        print("first show after InitCfg, 300 options", elapsedMs([&] {
                  window.show();
                  QCoreApplication::processEvents();
              }),
              "ms");
        QString options;
        const double ms = medianMs(101, [&] { options = window.CreateCLOString(); });
        print("CreateCLOString 300 options from the panel", ms * 1000, "us");
        print("CreateCLOString 300 options, length", options.size(), "characters");
    }

    const DefinitionsFolder largest(OptionDefinitions::file(OptionTable::MaxRows, 1000));
    int rows = 0;
    print("InitCfg 32766 options in 33 categories", initCfgMs(largest, 3, &rows), "ms");
    print("InitCfg 32766 options, rows built", rows, "rows");

    const DefinitionsFolder empty("[General]\nNumCats=32767\n[Cat1]\nnumOpts=32767\n");
    print("InitCfg 32767 announced categories and options, no keys", initCfgMs(empty, 3), "ms");

    // Every missing key within an announced count costs one lookup; a file of many present
    // sections that each announce the most options is the costliest input.
    QByteArray announcing = "[General]\nNumCats=50\n";
    for (int c = 1; c <= 50; ++c)
        announcing += "[Cat" + QByteArray::number(c) + "]\nnumOpts=32767\n";
    const DefinitionsFolder lookups(announcing);
    const double lookupMs = medianMs(3, [&] {
        OptionTable table;
        CountingSink sink;
        Options::ReadOptionDefinitions(lookups.definitions(), table, sink);
    });
    print("ReadOptionDefinitions 50 sections x 32767 missing opt keys", lookupMs, "ms");
    print("ReadOptionDefinitions per announced missing opt key", lookupMs * 1e6 / (50.0 * 32767),
          "ns");
    return 0;
}

// Checks a preset against its real emulator with Tarvelin's own code, as start-up and Launch
// run it: generates the game list into dovrel/glist.lst, then launches one game with the
// preset's default options (plus the extra arguments given, such as a run-time limit) and
// waits for it. Prints the composed argument list, one per line after "argument:".
// Exit status: 0 when the list was generated and the emulator ended with status 0.
//   preset_check APPDIR ROM [EXTRA OPTION TEXT]
// With --bind, saves bindings the way Config -> Controls saves them (every defined input
// written into the emulator's own file), each key name given as scancodes.ini spells it; an
// input is named by its category's number and its key, as two categories may share a key:
//   preset_check --bind APPDIR CATEGORY:INIKEY KEYNAME [CATEGORY:INIKEY KEYNAME ...]
#include "base/AppPaths.h"
#include "base/Settings.h"
#include "common/FakeDialogs.h"
#include "controls/BindingsWriter.h"
#include "controls/ControlTables.h"
#include "gamelist/GameListGenerator.h"
#include "launch/CommandLine.h"
#include "launch/LaunchEmulator.h"
#include "options/CreateCLOString.h"
#include "options/MemoryPanelBuilder.h"
#include "options/MemoryPanelValues.h"
#include "options/OptionDefinitionReader.h"
#include "options/OptionTable.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList args = app.arguments();
    if (args.size() >= 5 && args.size() % 2 == 1 && args[1] == u"--bind") {
        ControlTables tables = ControlDefinitions::ReadControlTables(args[2]);
        bool found = true;
        for (qsizetype a = 3; a + 1 < args.size(); a += 2) {
            const QString category = args[a].section(u':', 0, 0);
            const QString key = args[a].section(u':', 1);
            bool one = false;
            for (int c = 1; c <= tables.numCats; ++c) {
                const CategoryEntry& entry = tables.CatIndex[size_t(c) - 1];
                for (int n = entry.first; n < entry.first + entry.count; ++n)
                    if (QString::number(c) == category && tables.InputList[size_t(n)].iniKey == key) {
                        tables.InputList[size_t(n)].binding = args[a + 1];
                        one = true;
                    }
            }
            if (!one)
                out << "no input " << args[a] << "\n";
            found = found && one;
        }
        const QString file = ControlDefinitions::emulatorIniFile(args[2], tables.EmuIniName);
        const IniSnapshot definitions(AppPaths::controlDefinitions(args[2]));
        const bool saved = found && BindingsWriter(tables, definitions).save(file) ==
                                        BindingsWriter::Outcome::Saved;
        out << (saved ? "saved " : "not saved ") << file << "\n";
        return saved ? 0 : 1;
    }
    if (args.size() < 3) {
        out << "usage: preset_check APPDIR ROM [EXTRA OPTION TEXT]\n";
        return 2;
    }
    const QString appDir = args[1];
    const QString rom = args[2];
    const QString extra = args.size() > 3 ? u' ' + args[3] : QString();

    FakeDialogs dialogs;
    FrontEndSettings settings = ReadFrontEndSettings(appDir);
    const GameListResult list = GenerateGameList(dialogs, GameListRequestFor(appDir, settings),
                                                 ListLayoutFor(settings));
    if (!list.ok) {
        out << "list: " << list.message << "\n" << list.cause << "\n";
        return 1;
    }
    ApplySettingsDefaults(settings, appDir);

    OptionTable table;
    MemoryPanelValues panel;
    MemoryPanelBuilder sink(panel);
    Options::ReadOptionDefinitions(AppPaths::optionDefinitions(appDir), table, sink);
    const QString options = Options::CreateCLOString(table, panel) + extra;
    for (const QString& argument : SplitCommandLine(LaunchArgumentText(settings, rom, options)))
        out << "argument: " << argument << "\n";
    out.flush();

    LaunchEmulator(dialogs, appDir, settings, rom, options);
    for (const FakeDialogs::Shown& shown : dialogs.shown)
        out << "message: " << shown.text << "\n";
    return dialogs.shown.isEmpty() ? 0 : 1;
}

#include "cli/CommandLine.h"

#include <QCommandLineParser>
#include <QFile>

#include <vector>

namespace {

struct Options {
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Shows these options and the data folder in use.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Shows Tarvelin's version.")};
    QCommandLineOption data{
        QStringLiteral("data"),
        QStringLiteral("The folder that holds dovrel/; relative paths and the emulator are "
                       "taken from there. Created when it is set up."),
        QStringLiteral("DIR")};
    QCommandLineOption preset{
        QStringLiteral("preset"),
        QStringLiteral("Sets a folder that holds no dovrel/dovrel.ini up for an emulator "
                       "without the setup window: demo, mame, scummvm, dosbox, fceux, nestopia, "
                       "gambatte, hatari, mgba or stella. Given more than once, each preset "
                       "goes into a folder of its own below it, listed as a system."),
        QStringLiteral("NAME")};
    QCommandLineOption system{
        QStringLiteral("system"),
        QStringLiteral("In a folder that lists several systems (dovrel/systems.ini): the one "
                       "--list, --print-command and --launch act on (letter case ignored) and "
                       "the window shows first. Without it --list prints every system's games, "
                       "each line starting with the system's name, and the others act on the "
                       "system shown last. An unknown name, and any name in a folder without "
                       "such a list, ends with status 2."),
        QStringLiteral("NAME")};
    QCommandLineOption systems{
        QStringLiteral("systems"),
        QStringLiteral("Prints the systems, one a line: name, folder, emulator (ExeName) and "
                       "the number of games of the list of the last start (- when there is "
                       "none), separated by tabs. A folder without a list is one system.")};
    QCommandLineOption list{
        QStringLiteral("list"),
        QStringLiteral("Prints the game list, one game a line: ROM name, description, and 1 or "
                       "0 for whether the ROM file exists, separated by tabs.")};
    QCommandLineOption printCommand{
        QStringLiteral("print-command"),
        QStringLiteral("Prints the program and each argument, one a line, that Launch would "
                       "start for the game, with its default and game profiles; starts nothing."),
        QStringLiteral("ROM")};
    QCommandLineOption launch{
        QStringLiteral("launch"),
        QStringLiteral("Starts the emulator on the game with its profiles, waits for it, and "
                       "ends with the emulator's exit status."),
        QStringLiteral("ROM")};
    QCommandLineOption refresh{
        QStringLiteral("refresh"),
        QStringLiteral("With --list, --print-command or --launch: asks the emulator for its game "
                       "list first. Without it they use the list of the last start "
                       "(dovrel/glist.lst), and ask the emulator only when there is none; a "
                       "list of the ROM folder's files is always read afresh.")};
    std::vector<QCommandLineOption> qtOwn;

    Options() {
        // The options QApplication takes for itself; they reach it unchanged.
        for (const char* name : {"platform", "platformpluginpath", "platformtheme", "plugin",
                                 "qwindowgeometry", "qwindowicon", "qwindowtitle", "session",
                                 "style", "stylesheet", "display", "geometry"})
            qtOwn.emplace_back(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        for (const char* name : {"reverse", "widgetcount", "nograb", "dograb", "sync"})
            qtOwn.emplace_back(QString::fromLatin1(name));
        for (QCommandLineOption& option : qtOwn)
            option.setFlags(QCommandLineOption::HiddenFromHelp);
    }

    void addTo(QCommandLineParser& parser) const {
        // "-style" is one option named "style", as Qt reads it, not six one-letter ones.
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.setApplicationDescription(
            QStringLiteral("A front-end for command-line game emulators. Without --list, "
                           "--print-command, --launch or --systems it opens the game list "
                           "window."));
        parser.addOptions(
            {help, version, data, preset, system, systems, list, printCommand, launch, refresh});
        for (const QCommandLineOption& option : qtOwn)
            parser.addOption(option);
    }
};

} // namespace

namespace {

// The error is one line on stderr: an argument with a line break or another control character
// in it (which the error names as given) must not start a second one.
QString oneLine(QString text) {
    for (QChar& c : text)
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            c = QChar::ReplacementCharacter;
    return text;
}

} // namespace

CommandLine CommandLine::parse(const QStringList& arguments) {
    CommandLine command = parseArguments(arguments);
    command.error = oneLine(command.error);
    return command;
}

CommandLine CommandLine::parseArguments(const QStringList& arguments) {
    const Options o;
    QCommandLineParser parser;
    o.addTo(parser);
    CommandLine command;
    if (!parser.parse(arguments)) {
        command.error = parser.errorText();
        return command;
    }
    if (!parser.positionalArguments().isEmpty()) {
        command.error =
            QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first());
        return command;
    }
    command.data = parser.value(o.data);
    command.presets = parser.values(o.preset);
    command.system = parser.value(o.system);
    if (parser.isSet(o.data) && command.data.isEmpty())
        command.error = QStringLiteral("--data needs a folder.");
    if (command.presets.contains(QString()))
        command.error = QStringLiteral("--preset needs a name.");
    for (qsizetype i = 0; i < command.presets.size() && command.error.isEmpty(); ++i)
        if (command.presets.indexOf(command.presets[i], i + 1) > i)
            command.error = QStringLiteral("--preset %1 is given twice.").arg(command.presets[i]);
    if (parser.isSet(o.system) && command.system.isEmpty())
        command.error = QStringLiteral("--system needs a name.");

    int actions = 0;
    if (parser.isSet(o.list)) {
        command.action = Action::List;
        ++actions;
    }
    if (parser.isSet(o.printCommand)) {
        command.action = Action::PrintCommand;
        command.rom = parser.value(o.printCommand);
        ++actions;
    }
    if (parser.isSet(o.launch)) {
        command.action = Action::Launch;
        command.rom = parser.value(o.launch);
        ++actions;
    }
    if (actions > 1)
        command.error = QStringLiteral("--list, --print-command and --launch exclude each other.");
    command.refresh = parser.isSet(o.refresh);
    if (command.refresh && actions == 0)
        command.error = QStringLiteral("--refresh goes with --list, --print-command or --launch.");
    if (parser.isSet(o.systems)) {
        if (actions > 0)
            command.error = QStringLiteral("--systems goes without --list, --print-command and "
                                           "--launch.");
        else if (parser.isSet(o.system))
            command.error = QStringLiteral("--systems prints every system; --system does not "
                                           "go with it.");
        command.action = Action::Systems;
    }
    // Help and version answer whatever else was asked.
    if (parser.isSet(o.version))
        command.action = Action::Version;
    if (parser.isSet(o.help))
        command.action = Action::Help;
    if (command.action == Action::Help || command.action == Action::Version)
        command.error.clear();
    return command;
}

QStringList CommandLine::argumentsOf(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QFile::decodeName(argv[i]);
    return arguments;
}

QString CommandLine::helpText() {
    const Options o;
    QCommandLineParser parser;
    o.addTo(parser);
    return parser.helpText();
}

// Any arguments on Tarvelin's own command line: the parse always ends in one action or one
// error line; help and version answer whatever else was given; a window is opened only
// without an error and without an action; an action that needs a game has one named; the
// presets of an accepted action are named, each once; --systems goes with no system and no
// --refresh.
// Input: the arguments after the program's name, NUL-separated (UTF-8).
#include "cli/CommandLine.h"

#include "FuzzScratch.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

using FuzzScratch::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    QStringList arguments{QStringLiteral("tarvelin")};
    for (const QByteArray& part : input.split('\0'))
        arguments << QString::fromUtf8(part);
    const CommandLine command = CommandLine::parse(arguments);
    using Action = CommandLine::Action;
    for (const QChar c : command.error)
        require(c.category() != QChar::Other_Control && c != QChar::LineSeparator &&
                c != QChar::ParagraphSeparator);
    if (command.action == Action::Help || command.action == Action::Version)
        require(command.error.isEmpty());
    require(command.opensWindow() == (command.error.isEmpty() && command.action == Action::Window));
    if (command.error.isEmpty() &&
        (command.action == Action::PrintCommand || command.action == Action::Launch)) {
        // Given as the next argument, or after "=" in the option's own.
        require(std::any_of(arguments.begin(), arguments.end(), [&](const QString& argument) {
            return argument == command.rom || argument.endsWith(u'=' + command.rom);
        }));
    }
    if (command.error.isEmpty() && command.refresh)
        require(command.action != Action::Window && command.action != Action::Systems);
    // Help and version clear what else was wrong; the rest of the line is not acted on then.
    const bool answers = command.action == Action::Help || command.action == Action::Version;
    if (command.error.isEmpty() && !answers) {
        for (qsizetype i = 0; i < command.presets.size(); ++i)
            require(!command.presets[i].isEmpty() &&
                    command.presets.lastIndexOf(command.presets[i]) == i);
        if (command.action == Action::Systems)
            require(command.system.isEmpty());
    }
    return 0;
}

#pragma once

#include <QString>
#include <QStringList>

// What Tarvelin was asked to do on its command line. Without an action it opens the main
// window, as it always has.
struct CommandLine {
    enum class Action { Window, Help, Version, List, PrintCommand, Launch, Systems };
    Action action = Action::Window;
    QString data;         // --data DIR: the folder that holds dovrel/; empty for the usual choice
    QStringList presets;  // each --preset NAME: set the folder up with these, without a window
    QString system;       // --system NAME: the listed system to act on (or to show first)
    QString rom;          // the game of --print-command and --launch
    bool refresh = false; // --refresh: the emulator's list, not the cache of the last start
    QString error;        // one line: a bad option or argument; the program then ends with status 2

    bool opensWindow() const { return error.isEmpty() && action == Action::Window; }

    // Parses the arguments, the program's name first. Qt's own window options (-style,
    // -platform ...) are accepted and left to Qt.
    static CommandLine parse(const QStringList& arguments);

    // The program's arguments as text, decoded the way file names are.
    static QStringList argumentsOf(int argc, char* argv[]);

    // The options and what they do, for --help. Needs the application object.
    static QString helpText();

private:
    static CommandLine parseArguments(const QStringList& arguments);
};

#pragma once

#include <QString>

struct CommandLine;

// Runs what the command line asked for when it asked for no window: a bad option (status 2),
// --help, --version, or --systems, --list, --print-command and --launch on the data folder
// (or one of the systems it lists), set up first by --preset when needed. A folder that needs
// setting up and no --preset ends with status 1: only the window may ask. `exeDir` is the
// executable's folder. Writes to stdout and stderr.
int RunWithoutWindow(const CommandLine& command, const QString& exeDir);

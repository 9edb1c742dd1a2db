#pragma once

#include <QString>

class Dialogs;
struct FrontEndSettings;

// The ROM argument: RomPath, the ROM name and RomExt joined with nothing between them when
// SendRomPath is on, else the bare ROM name; in double quotes when RomPathinQuotes is on,
// whatever SendRomPath says. A flag is on only when it equals 1. A quote inside is written as
// three quotes, which the command-line splitting reads as one literal quote.
QString RomArgument(const FrontEndSettings& settings, const QString& romName);

// The text that follows ExeName: " " + ROM argument, then " " + the option string when that is
// not empty. The option string begins with a blank of its own, so the emulator's command line
// holds two blanks before the first option.
QString LaunchArgumentText(const FrontEndSettings& settings, const QString& romName,
                           const QString& options);

// Runs the emulator on one game from the application folder, hidden, and returns when it has
// ended. The command line is split with double-quote grouping and started without a shell, so
// a quoted ROM path keeps its blanks and nothing typed into an option is ever interpreted.
void LaunchEmulator(Dialogs& dialogs, const QString& appDir, const FrontEndSettings& settings,
                    const QString& romName, const QString& options);

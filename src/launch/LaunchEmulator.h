#pragma once

#include "launch/RunAndWait.h"

#include <QString>
#include <QStringList>

class Dialogs;
struct FrontEndSettings;

// The ROM argument: RomPath, the ROM name and RomExt joined with nothing between them when
// SendRomPath is on, else the bare ROM name; in double quotes when RomPathinQuotes is on,
// whatever SendRomPath says. A flag is on only when it equals 1. A quote inside is written as
// three quotes, which the command-line splitting reads as one literal quote.
// For a list made from the ROM folder (settings.RomFileMap set) it is instead the full path of
// the game's own file, whatever its extension, always in double quotes so that blanks stay in
// it; SendRomPath, RomPathinQuotes and RomExt do not apply.
QString RomArgument(const FrontEndSettings& settings, const QString& romName);

// The text that follows ExeName: " " + ROM argument, then " " + the option string when that is
// not empty. The option string begins with a blank of its own, so the emulator's command line
// holds two blanks before the first option. With a LaunchArguments template, the template
// instead, "{rom}" standing for the ROM argument and "{options}" for the option string (each
// put in as it is, never read for placeholders again).
QString LaunchArgumentText(const FrontEndSettings& settings, const QString& romName,
                           const QString& options);

// The one message shown when the emulator could not start or ended with a status other than
// 0 (a crash included): the program, the status and its last lines of error output.
QString EmulatorFailureMessage(const QString& program, const RunResult& result);

// The arguments the emulator receives for one game: the argument text split with double-quote
// grouping. The program is ExeName as one name, looked up when it is started.
QStringList LaunchArguments(const FrontEndSettings& settings, const QString& romName,
                            const QString& options);

// Runs the emulator on one game from the application folder, hidden, and returns how it ended
// when it has ended. The command line is split with double-quote grouping and started without
// a shell, so a quoted ROM path keeps its blanks and nothing typed into an option is ever
// interpreted.
// When the emulator cannot start or ends with a status other than 0, one warning tells why;
// its error output is passed on to Tarvelin's own meanwhile.
RunResult LaunchEmulator(Dialogs& dialogs, const QString& appDir, const FrontEndSettings& settings,
                         const QString& romName, const QString& options);

#pragma once

#include <QString>
#include <QStringList>

// The command line that the program-and-arguments form of RunAndWait starts: the program alone
// when the arguments are empty, otherwise program, one blank, arguments.
QString ComposeCommandLine(const QString& program, const QString& arguments);

// Splits a command line into the program (first item) and its arguments with double-quote
// grouping, so that a quoted path with blanks stays one argument. No shell is involved: text
// typed into an option reaches the emulator as it stands, never as shell syntax. Inside
// quotes, three quotes in a row stand for one literal quote.
QStringList SplitCommandLine(const QString& commandLine);

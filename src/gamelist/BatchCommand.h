#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>

class Dialogs;

// Runs one command line from the application folder and waits for it: the emulator's list
// command goes through here. On Windows it is written as the last line of "test.bat", whose
// first three lines make the application folder current, and the script is run and deleted.
// Elsewhere no script is written: the line is run by /bin/sh -c with the application folder as
// working directory and first on PATH, so that the emulator is found there as the Windows
// command interpreter finds it in the current folder. The line is program immediately followed
// by arguments (which bring their own leading blank).
//
// outputFile, when not empty, receives the line's standard output (where the line itself
// does not redirect it). Returns false when the script could not be written or deleted.
bool RunBatchCommand(Dialogs& dialogs, const QString& appDir, const QString& program,
                     const QString& arguments, const QString& outputFile = QString());

#ifndef Q_OS_WIN
// The environment the line runs in: Tarvelin's own, with the application folder first on PATH.
QProcessEnvironment BatchEnvironment(const QString& appDir);
#endif

// The Windows script: the drive, "cd\", "cd " and the folder, then program & arguments, each
// line ended by CR LF, in the system's 8-bit code page.
QByteArray BatchScriptText(const QString& appDir, const QString& program,
                           const QString& arguments);

// The line run by /bin/sh -c where there is no script (and the script's last line): the
// program quoted for the shell where it needs it, so that a name with blanks stays one
// program, then the arguments as shell text of their own.
QString BatchCommandLine(const QString& program, const QString& arguments);

// A program name as one word of shell text: as it stands when it holds only characters that
// no shell reads specially, else between single quotes (double quotes on Windows).
QString ShellWord(const QString& program);

// The child's PATH: the application folder first, then the inherited folders.
QString PathWithAppFolderFirst(const QString& appDir, const QString& inheritedPath);

#pragma once

// What every benchmark shares: the figure lines that scripts/bench collects, timing with
// medians, a private application folder, the generated inputs (a game list emulator, ROM
// files, option definitions) and the process figures read from /proc.

#include "base/Dialogs.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <vector>

namespace Bench {

// Answers every dialog at once without showing it; a benchmark measures no user.
class NoDialogs final : public Dialogs {
public:
    void critical(const QString&) override {}
    void message(const QString&) override {}
    void warning(const QString&) override {}
    void information(const QString&, const QString&) override {}
    bool askYesNo(const QString&, const QString&) override { return false; }
    QString inputText(const QString&, const QString&, const QString&) override { return {}; }
};

// One figure: name TAB value TAB unit, and TAB goal where it has one.
void print(const QString& name, double value, const QString& unit, const QString& goal = {});

double median(std::vector<double> values);
// The monotonic clock that the stamp emulator reads too, so times of two processes compare.
qint64 monotonicNs();
double elapsedMs(const std::function<void()>& work);
double medianMs(int rounds, const std::function<void()>& work);
// One change made `rounds` times, each after `reset`, events handled after each (so a window
// has redrawn): the median of the change with its events.
double changeMs(int rounds, const std::function<void()>& reset,
                const std::function<void()>& change);

// Titles of varied words as users find games by: "Super Dragon 0", "Dragon Dragon 1", ...,
// 20 words in turn, one in twenty with an accent ("Café").
QByteArray variedTitle(int game);
// Processor time (user + system) of this process so far, children not counted.
double cpuMs();

// A temporary application folder with dovrel/cfgs, removed at the end.
class AppFolder {
public:
    AppFolder();
    QString path() const { return m_dir.path(); }
    QString file(const QString& relative) const;
    void write(const QString& relative, const QByteArray& bytes) const;
    // An executable shell script; the "#!/bin/sh" line is added.
    void writeScript(const QString& relative, const QByteArray& body) const;
    // A copy of a built program, executable.
    void copyProgram(const QString& from, const QString& relative) const;

private:
    QTemporaryDir m_dir;
};

// The game list emulator: prints a banner, its usage line, a blank line, a header and then
// `games` games with their ROM names in a 12-character column, all at once.
namespace GameListEmulator {
inline constexpr int startLine = 3;
inline constexpr int helpEndLine = 1;
inline constexpr int romLen = 12;
QString romName(int game);
QByteArray script(int games);
// dovrel.ini for it as "emu" with its -list, every game listed; `settings` ends the Settings
// section ("ShowConfig=0\n", PictureSources, ...).
QByteArray dovrelIni(const QByteArray& settings);
// Empty ROM files for two games of three (games 1, 2, 4, 5, …), in roms/.
void writeRoms(const AppFolder& app, int games);
inline int listedWithFilter(int games) {
    return games - (games + 2) / 3;
}
} // namespace GameListEmulator

// Option definitions of the three kinds in turn (text, list of four choices, check box),
// `perCategory` to a category named "Category k".
namespace OptionDefinitions {
QByteArray file(int options, int perCategory);
QString category(int option, int perCategory);
QString caption(int option);
} // namespace OptionDefinitions

// Figures of a running process (this one when pid is 0), from /proc.
struct ProcessFigures {
    double residentMb = 0; // VmRSS
    double peakMb = 0;     // VmHWM
    int openFiles = 0;     // entries of /proc/<pid>/fd
    int children = 0;      // processes whose parent it is, ended ones not yet reaped included
};
ProcessFigures processFigures(qint64 pid = 0);

} // namespace Bench

#pragma once

#include <QString>

// The folder that holds dovrel/ and against which relative paths and the emulator are
// resolved (the application folder of the standard start-up), and why it was chosen.
struct DataFolderChoice {
    enum class Why {
        Named,    // --data DIR
        Portable, // the executable's folder holds dovrel/
        PerUser,  // $XDG_DATA_HOME/tarvelin, or ~/.local/share/tarvelin
    };
    QString folder; // absolute, no trailing separator
    Why why = Why::Named;

    // One sentence for --help and the setup window: which folder, and why that one.
    QString explanation() const;
};

// Where the data lives, by the first rule that applies:
//   1. `named` (--data) when given, taken against `currentDir` when relative;
//   2. the executable's folder when it holds a dovrel/ folder: the portable folder, exactly
//      as it has always run;
//   3. $XDG_DATA_HOME/tarvelin, when XDG_DATA_HOME holds an absolute path (the XDG rule:
//      a relative one is ignored), else `home`/.local/share/tarvelin.
// Nothing is created here.
DataFolderChoice ChooseDataFolder(const QString& named, const QString& exeDir,
                                  const QString& xdgDataHome, const QString& home,
                                  const QString& currentDir);

// The same with this process's environment: XDG_DATA_HOME, the home folder and the current
// folder.
DataFolderChoice ChooseDataFolderHere(const QString& named, const QString& exeDir);

// Whether the folder still needs the first-run setup: it holds no dovrel/dovrel.ini file and
// lists no system that is set up.
bool NeedsSetup(const QString& dataDir);

#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class Dialogs;

// The data folder for a start with the main window (`named` from --data), set up first when it
// holds no dovrel/dovrel.ini: by the presets named on the command line (several each into a
// folder of its own, listed as systems), or else by asking in the setup window. nullopt when
// the program must end, with the status in `exitStatus`: 2 for an unknown preset, 1 for one
// that cannot be set up, and 1 when the user cancels (nothing is written then). Problems with
// --preset go to stderr.
std::optional<QString> WindowStartFolder(const QString& named, const QStringList& presetNames,
                                         const QString& exeDir, Dialogs& dialogs, int& exitStatus);

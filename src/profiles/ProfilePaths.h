#pragma once

#include <QString>

#include <optional>

// The file-name rules of the platform a profile folder lives on. They decide which ROM names
// cannot name a game profile; tests check every platform's rules on any host.
enum class FileNameRules { Posix, Windows, MacOS };

FileNameRules HostFileNameRules();

// Whether "cfgs/" + rom + ".ini" names a game profile of its own inside the profiles folder.
// ROM names come from the emulator's output, so a name with a path separator, "." or "..", or
// a NUL could leave the folder (and Revert would delete a file elsewhere); "default" would be
// the default profile itself, in any letter case where file names ignore case. On Windows a
// ":" (a stream name) and the device names (CON, NUL, COM1 ...) never name a plain file.
bool IsSafeRomName(const QString& rom, FileNameRules rules = HostFileNameRules());

namespace ProfilePaths {

// application folder + "/dovrel/cfgs/default.ini"
QString defaultProfile(const QString& appDir);
// application folder + "/dovrel/cfgs/" + ROM name + ".ini", the name used unchanged; nullopt
// for a name that is not safe.
std::optional<QString> gameProfile(const QString& appDir, const QString& rom,
                                   FileNameRules rules = HostFileNameRules());

} // namespace ProfilePaths

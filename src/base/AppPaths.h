#pragma once

#include <QDir>
#include <QString>

// Data paths are the application folder joined by plain concatenation with fixed relative
// paths, written with '/' here and turned into the platform's separator.
namespace AppPaths {

inline QString join(const QString& appDir, const QString& relative) {
    return appDir + QDir::toNativeSeparators(relative);
}

inline QString settingsFile(const QString& appDir) { return join(appDir, "/dovrel/dovrel.ini"); }
inline QString optionDefinitions(const QString& appDir) { return join(appDir, "/dovrel/cfgdef.ini"); }
inline QString profilesFolder(const QString& appDir) { return join(appDir, "/dovrel/cfgs/"); }
inline QString gameListCache(const QString& appDir) { return join(appDir, "/dovrel/glist.lst"); }
inline QString controlDefinitions(const QString& appDir) { return join(appDir, "/dovrel/controldef.ini"); }
inline QString controlsHelp(const QString& appDir) { return join(appDir, "/dovrel/controls help.txt"); }
inline QString keyNames(const QString& appDir) { return join(appDir, "/dovrel/scancodes.ini"); }
inline QString icon(const QString& appDir) { return join(appDir, "/dovrel/app.ico"); }
inline QString aboutText(const QString& appDir) { return join(appDir, "/dovrel/about.txt"); }
inline QString aboutPicture(const QString& appDir) { return join(appDir, "/dovrel/about.jpg"); }
inline QString romFileMap(const QString& appDir) { return join(appDir, "/dovrel/romfiles.lst"); }
inline QString gameDetails(const QString& appDir) { return join(appDir, "/dovrel/gdetails.lst"); }
inline QString library(const QString& appDir) { return join(appDir, "/dovrel/library.ini"); }

} // namespace AppPaths

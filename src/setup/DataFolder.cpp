#include "setup/DataFolder.h"

#include "base/AppPaths.h"
#include "systems/SystemList.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Absolute and clean, without a trailing separator (data paths are joined by concatenation).
QString folderPath(const QString& path, const QString& base) {
    QString clean = QDir::cleanPath(QDir(base).absoluteFilePath(path));
    while (clean.size() > 1 && clean.endsWith(u'/'))
        clean.chop(1);
    return clean;
}

} // namespace

QString DataFolderChoice::explanation() const {
    const QString shown = QDir::toNativeSeparators(folder);
    switch (why) {
    case Why::Named:
        return QStringLiteral("%1 (named by --data)").arg(shown);
    case Why::Portable:
        return QStringLiteral("%1 (the program's own folder, which holds dovrel/: a portable "
                              "folder)")
            .arg(shown);
    case Why::PerUser:
        break;
    }
    return QStringLiteral("%1 (your own data folder: the program's folder holds no dovrel/)")
        .arg(shown);
}

DataFolderChoice ChooseDataFolder(const QString& named, const QString& exeDir,
                                  const QString& xdgDataHome, const QString& home,
                                  const QString& currentDir) {
    if (!named.isEmpty())
        return {folderPath(named, currentDir), DataFolderChoice::Why::Named};
    if (QFileInfo(AppPaths::join(exeDir, QStringLiteral("/dovrel"))).isDir())
        return {exeDir, DataFolderChoice::Why::Portable};
    const QString dataHome =
        QDir::isAbsolutePath(xdgDataHome) ? xdgDataHome : home + QStringLiteral("/.local/share");
    return {folderPath(dataHome + QStringLiteral("/tarvelin"), currentDir),
            DataFolderChoice::Why::PerUser};
}

DataFolderChoice ChooseDataFolderHere(const QString& named, const QString& exeDir) {
    return ChooseDataFolder(named, exeDir, qEnvironmentVariable("XDG_DATA_HOME"), QDir::homePath(),
                            QDir::currentPath());
}

bool NeedsSetup(const QString& dataDir) {
    return !QFileInfo(AppPaths::settingsFile(dataDir)).isFile() &&
           (!SystemLists::exists(dataDir) || SystemLists::read(dataDir).list.systems.empty());
}

#include "setup/SystemSetup.h"

#include "base/AppPaths.h"
#include "base/Ini.h"
#include "setup/DataFolder.h"
#include "setup/PresetInstaller.h"
#include "systems/SystemList.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString failed(QString* error, const QString& text) {
    if (error)
        *error = text;
    return {};
}

// A folder below the data folder that holds nothing yet: the preset's name, else with a number.
QString freshFolder(const QString& dataDir, const QString& name) {
    QString folder = dataDir + u'/' + name;
    for (int n = 2; QFileInfo::exists(folder); ++n)
        folder = dataDir + u'/' + name + u'-' + QString::number(n);
    return folder;
}

// A name no system of the list has: the one asked for, else with a number.
QString freshName(const SystemList& list, const QString& name) {
    QString fresh = name;
    for (int n = 2; list.indexOf(fresh) >= 0; ++n)
        fresh = name + u' ' + QString::number(n);
    return fresh;
}

// The folder's list as it stands; a folder that is one system gets itself as the first.
SystemList listToExtend(const QString& dataDir) {
    if (SystemLists::exists(dataDir))
        return SystemLists::read(dataDir).list;
    SystemList list;
    if (!NeedsSetup(dataDir)) {
        QString caption = ReadIni(AppPaths::settingsFile(dataDir), "Parse", "WindowCaption");
        list.systems.push_back({caption.isEmpty() ? QStringLiteral("Main") : caption,
                                QStringLiteral(".")});
    }
    return list;
}

QString addListed(const QString& dataDir, SystemList list, const QString& name,
                  const QString& folder, QString* error) {
    const SystemEntry entry = SystemLists::entryFor(dataDir, freshName(list, name), folder);
    if (list.current.isEmpty() && !list.systems.empty())
        list.current = list.systems.front().name;
    list.systems.push_back(entry);
    if (!SystemLists::write(dataDir, list))
        return failed(error, QStringLiteral("cannot write the list of systems into %1")
                                 .arg(QDir::toNativeSeparators(dataDir + "/dovrel")));
    return entry.name;
}

} // namespace

QString SystemNameFor(const Preset& preset) {
    const qsizetype bracket = preset.title.indexOf(QStringLiteral(" ("));
    return bracket > 0 ? preset.title.left(bracket) : preset.title;
}

bool InstallPresets(const std::vector<Preset>& presets, const QString& dataDir, QString* error) {
    if (presets.size() == 1)
        return InstallPreset(presets.front(), dataDir, error);
    for (const Preset& preset : presets)
        if (AddPresetSystem(preset, dataDir, error).isEmpty())
            return false;
    return true;
}

QString AddPresetSystem(const Preset& preset, const QString& dataDir, QString* error) {
    const QString folder = freshFolder(dataDir, preset.name);
    if (!InstallPreset(preset, folder, error))
        return {};
    return addListed(dataDir, listToExtend(dataDir), SystemNameFor(preset), folder, error);
}

QString AddFolderSystem(const QString& folder, const QString& dataDir, QString* error) {
    const QString path = QDir::cleanPath(QDir(dataDir).absoluteFilePath(folder));
    if (NeedsSetup(path))
        return failed(error, QStringLiteral("%1 holds no dovrel/dovrel.ini")
                                 .arg(QDir::toNativeSeparators(path)));
    SystemList list = listToExtend(dataDir);
    for (const SystemEntry& system : list.systems)
        if (SystemList::folderPath(dataDir, system) == path)
            return failed(error, QStringLiteral("%1 is listed already, as \"%2\"")
                                     .arg(QDir::toNativeSeparators(path), system.name));
    QString caption = ReadIni(AppPaths::settingsFile(path), "Parse", "WindowCaption");
    if (caption.isEmpty())
        caption = QFileInfo(path).fileName();
    return addListed(dataDir, std::move(list), caption, path, error);
}

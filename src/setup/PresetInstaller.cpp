#include "setup/PresetInstaller.h"

#include "base/AppPaths.h"
#include "base/Ini.h"
#include "setup/Presets.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace {

// The copies belong to the user, whatever the shipped files' modes: the settings and the
// emulator's input file are written later.
constexpr QFileDevice::Permissions kCopyPermissions =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
    QFileDevice::ReadOther;

bool fail(QString* error, const QString& text) {
    if (error)
        *error = text;
    return false;
}

bool copyFile(const QString& from, const QString& to, QString* error) {
    const QFileInfo target(to);
    if (target.isFile() || target.isSymLink())
        return true; // the user's own file of that name stays
    if (target.exists())
        return fail(error, QStringLiteral("cannot copy %1: %2 is in the way")
                               .arg(QDir::toNativeSeparators(from), QDir::toNativeSeparators(to)));
    if (!QDir().mkpath(QFileInfo(to).path()))
        return fail(error, QStringLiteral("cannot create the folder %1")
                               .arg(QDir::toNativeSeparators(QFileInfo(to).path())));
    QFile source(from);
    if (!source.copy(to))
        return fail(error, QStringLiteral("cannot copy %1 to %2: %3")
                               .arg(QDir::toNativeSeparators(from), QDir::toNativeSeparators(to),
                                    source.errorString()));
    QFile::setPermissions(to, kCopyPermissions);
    return true;
}

// Every file of the preset and where it goes, dovrel.ini excluded.
QList<std::pair<QString, QString>> filesToCopy(const QString& source, const QString& dataDir) {
    QList<std::pair<QString, QString>> files;
    const bool wholeFolder = QFileInfo(source + QStringLiteral("/dovrel")).isDir();
    const QString target = wholeFolder ? dataDir : dataDir + QStringLiteral("/dovrel");
    QDirIterator it(source, QDir::Files | QDir::Hidden,
                    wholeFolder ? QDirIterator::Subdirectories : QDirIterator::NoIteratorFlags);
    const QDir base(source);
    while (it.hasNext()) {
        const QString from = it.next();
        const QString relative = base.relativeFilePath(from);
        if (wholeFolder ? relative == u"dovrel/dovrel.ini" : !relative.endsWith(u".ini"))
            continue; // the last step writes dovrel.ini; a preset's README stays behind
        if (relative.endsWith(u".gitkeep"))
            continue;
        files.append({from, target + u'/' + relative});
    }
    return files;
}

} // namespace

bool InstallPreset(const Preset& preset, const QString& dataDir, QString* error) {
    if (!preset.available())
        return fail(
            error,
            QStringLiteral("the preset %1 is not part of this installation").arg(preset.name));
    const QString settings = AppPaths::settingsFile(dataDir);
    if (QFileInfo::exists(settings))
        return fail(error,
                    QStringLiteral("%1 exists already").arg(QDir::toNativeSeparators(settings)));
    const QString profiles = AppPaths::profilesFolder(dataDir);
    if (!QDir().mkpath(profiles) || !QFileInfo(profiles).isDir())
        return fail(
            error,
            QStringLiteral("cannot create the folder %1").arg(QDir::toNativeSeparators(profiles)));
    for (const auto& [from, to] : filesToCopy(preset.source, dataDir))
        if (!copyFile(from, to, error))
            return false;

    const bool wholeFolder = QFileInfo(preset.source + QStringLiteral("/dovrel")).isDir();
    const QString shipped = preset.source + (wholeFolder ? QStringLiteral("/dovrel/dovrel.ini")
                                                         : QStringLiteral("/dovrel.ini"));
    if (!copyFile(shipped, settings, error))
        return false;
    if (preset.emulatorFound() && !WriteIni(settings, "Parse", "ExeName", preset.found)) {
        QFile::remove(settings);
        return fail(
            error,
            QStringLiteral("cannot write ExeName into %1").arg(QDir::toNativeSeparators(settings)));
    }
    return true;
}

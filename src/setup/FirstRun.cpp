#include "setup/FirstRun.h"

#include "setup/DataFolder.h"
#include "setup/PresetInstaller.h"

#include <QDir>

namespace {

FirstRunResult end(int status, const QString& message) {
    return {FirstRunResult::Next::End, status, message};
}

} // namespace

QString PresetUnusableReason(const Preset& preset) {
    if (!preset.available())
        return QStringLiteral("not part of this installation");
    if (!preset.emulatorFound())
        return QStringLiteral("%1 not found beside Tarvelin or on PATH").arg(preset.program);
    return {};
}

FirstRunResult FirstRunWithoutWindow(const QString& dataDir, const QString& presetName,
                                     const std::vector<Preset>& presets) {
    if (presetName.isEmpty())
        return {NeedsSetup(dataDir) ? FirstRunResult::Next::AskInWindow
                                    : FirstRunResult::Next::Ready,
                0,
                {}};
    const std::optional<Preset> preset = PresetNamed(presets, presetName);
    if (!preset)
        return end(2, QStringLiteral("unknown preset \"%1\" (there are %2)")
                          .arg(presetName, PresetNames(presets)));
    if (!NeedsSetup(dataDir))
        return {FirstRunResult::Next::Ready, 0,
                QStringLiteral("%1 is set up already; --preset %2 left it as it is")
                    .arg(QDir::toNativeSeparators(dataDir), presetName)};
    if (const QString reason = PresetUnusableReason(*preset); !reason.isEmpty())
        return end(1, QStringLiteral("preset %1: %2").arg(presetName, reason));
    QString error;
    if (!InstallPreset(*preset, dataDir, &error))
        return end(1, QStringLiteral("preset %1: %2").arg(presetName, error));
    return {};
}

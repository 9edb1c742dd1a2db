#include "setup/FirstRun.h"

#include "setup/DataFolder.h"
#include "setup/SystemSetup.h"

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

FirstRunResult FirstRunWithoutWindow(const QString& dataDir, const QStringList& presetNames,
                                     const std::vector<Preset>& presets) {
    if (presetNames.isEmpty())
        return {NeedsSetup(dataDir) ? FirstRunResult::Next::AskInWindow
                                    : FirstRunResult::Next::Ready,
                0,
                {}};
    std::vector<Preset> chosen;
    for (const QString& name : presetNames) {
        const std::optional<Preset> preset = PresetNamed(presets, name);
        if (!preset)
            return end(2, QStringLiteral("unknown preset \"%1\" (there are %2)")
                              .arg(name, PresetNames(presets)));
        chosen.push_back(*preset);
    }
    if (!NeedsSetup(dataDir))
        return {FirstRunResult::Next::Ready, 0,
                QStringLiteral("%1 is set up already; --preset %2 left it as it is")
                    .arg(QDir::toNativeSeparators(dataDir),
                         presetNames.join(QStringLiteral(" --preset ")))};
    for (const Preset& preset : chosen)
        if (const QString reason = PresetUnusableReason(preset); !reason.isEmpty())
            return end(1, QStringLiteral("preset %1: %2").arg(preset.name, reason));
    QString error;
    if (!InstallPresets(chosen, dataDir, &error))
        return end(1, presetNames.size() == 1
                          ? QStringLiteral("preset %1: %2").arg(presetNames.front(), error)
                          : QStringLiteral("presets %1: %2")
                                .arg(presetNames.join(QStringLiteral(", ")), error));
    return {};
}

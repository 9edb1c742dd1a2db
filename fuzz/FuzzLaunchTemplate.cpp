// Any LaunchArguments template with any ROM name and option string. Each "{rom}" and
// "{options}" of the template is put in once, and what is put in is never read for marks
// again: expanding with two stand-ins the template cannot hold, then putting the real texts
// in their place, gives the same as expanding with the real texts.
// Input: template, NUL, ROM name, NUL, option string (UTF-8).
#include "base/Settings.h"
#include "launch/LaunchEmulator.h"

#include "FuzzScratch.h"

#include <cstdint>
#include <cstdlib>

using FuzzScratch::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QList<QByteArray> parts = FuzzScratch::parts(data, size, 3);
    FrontEndSettings settings;
    settings.LaunchArguments = QString::fromUtf8(parts[0]);
    const QString rom = QString::fromUtf8(parts[1]);
    const QString options = QString::fromUtf8(parts[2]);
    const QChar romStandIn(0xE000), optionsStandIn(0xE001);
    if (settings.LaunchArguments.isEmpty() || settings.LaunchArguments.contains(romStandIn) ||
        settings.LaunchArguments.contains(optionsStandIn))
        return 0;

    const QString real = LaunchArgumentText(settings, rom, options);
    const QString marked = LaunchArgumentText(settings, romStandIn, optionsStandIn);
    const QString romArgument = RomArgument(settings, rom);
    QString filled;
    for (const QChar c : marked)
        filled += c == romStandIn ? romArgument : c == optionsStandIn ? options : QString(c);
    require(filled == real);
    require(marked.count(romStandIn) == settings.LaunchArguments.count(QStringLiteral("{rom}")) ||
            settings.LaunchArguments.contains(QStringLiteral("{options}")));
    return 0;
}

#include "base/Settings.h"

#include "base/AppPaths.h"
#include "base/Ini.h"
#include "base/Numeric.h"

#include <QTextStream>

qint16 ReadInt16Setting(const QString& file, const QString& section, const QString& key) {
    const QString text = ReadIni(file, section, key);
    if (const auto value = ToInt16(text))
        return *value;
    const QString warning = QStringLiteral("tarvelin: %1: [%2] %3 = \"%4\" is not a whole number "
                                           "from -32768 to 32767; using 0")
                                .arg(file, section, key, text);
    QTextStream(stderr) << warning << '\n';
    return 0;
}

FrontEndSettings ReadFrontEndSettings(const QString& appDir) {
    const QString f = AppPaths::settingsFile(appDir);
    FrontEndSettings s;
    s.WindowCaption = ReadIni(f, "Parse", "WindowCaption");
    s.ExeName = ReadIni(f, "Parse", "ExeName");
    s.GameListCommand = ReadIni(f, "Parse", "GameListCommand");
    s.GameListStartLine = ReadInt16Setting(f, "Parse", "GameListStartLine");
    s.GameListRomLen = ReadInt16Setting(f, "Parse", "GameListRomLen");
    s.HelpEndLine = ReadInt16Setting(f, "Parse", "HelpEndLine");
    s.RomPath = ReadIni(f, "Settings", "RomPath");
    s.SendRomPath = ReadInt16Setting(f, "Settings", "SendRomPath");
    s.RomPathinQuotes = ReadInt16Setting(f, "Settings", "RomPathinQuotes");
    s.RomExt = ReadIni(f, "Settings", "RomExt");
    s.ShowConfig = ReadInt16Setting(f, "Settings", "ShowConfig");
    s.ShowMissingRoms = ReadInt16Setting(f, "Settings", "ShowMissingRoms");
    const IniSnapshot optional(f);
    s.RomNameEndsAtBlank = optional.read("Parse", "RomNameEndsAtBlank") == u"1";
    s.UnquoteDescriptions = optional.read("Parse", "UnquoteDescriptions") == u"1";
    s.LaunchArguments = optional.read("Settings", "LaunchArguments");
    s.QuickStart = optional.read("Settings", "QuickStart") == u"1";
    s.PictureSources = optional.read("Settings", "PictureSources");
    s.Controllers = optional.read("Settings", "Controllers").trimmed() != u"0";
    s.RomFolderExtensions = optional.read("Parse", "RomFolderExtensions");
    s.RomFolderSubFolders = optional.read("Parse", "RomFolderSubFolders") == u"1";
    s.RomFolderGameFolders = optional.read("Parse", "RomFolderGameFolders") == u"1";
    s.DetailFields = optional.read("Parse", "DetailFields");
    if (ListsRomFolder(s))
        s.RomFileMap = AppPaths::romFileMap(appDir);
    return s;
}

void ApplySettingsDefaults(FrontEndSettings& settings, const QString& appDir) {
    if (settings.RomPath.isEmpty())
        settings.RomPath = AppPaths::join(appDir, "/roms/");
    if (settings.RomExt.isEmpty())
        settings.RomExt = QStringLiteral(".zip");
}

#include "profiles/ProfileLoad.h"

#include "base/Ini.h"
#include "options/OptionTable.h"
#include "profiles/ProfileValue.h"

#include <QFileInfo>

namespace ProfileLoad {

void showValues(const QString& appDir, const std::optional<QString>& rom, OptionTable& table,
                PanelValues& panel, MissingDefaults missing, FileNameRules rules) {
    // Nothing writes either file while the rows are filled.
    const QString defaultFile = ProfilePaths::defaultProfile(appDir);
    const bool fromPanel =
        missing == MissingDefaults::FromPanel && !QFileInfo(defaultFile).isFile();
    const IniSnapshot defaults(defaultFile);
    std::optional<IniSnapshot> game;
    if (rom)
        if (const std::optional<QString> file = ProfilePaths::gameProfile(appDir, *rom, rules))
            game.emplace(*file);

    for (int r = 1; r <= table.OptionCount(); ++r) {
        OptionRow& row = table.row(r);
        row.DefaultProfileValue = fromPanel ? ProfileValue::fromPanel(row.kind(), panel, r)
                                            : defaults.read(row.Category, row.Caption);
        row.GameValue = game ? game->read(row.Category, row.Caption) : QString();
        const QString& shown = row.GameValue.isEmpty() ? row.DefaultProfileValue : row.GameValue;
        ProfileValue::show(row.kind(), panel, r, shown);
    }
}

} // namespace ProfileLoad

#include "profiles/Profiles.h"

#include "base/Dialogs.h"
#include "base/Ini.h"
#include "options/OptionTable.h"
#include "options/PanelValues.h"
#include "profiles/ProfileFiles.h"
#include "profiles/ProfileLoad.h"
#include "profiles/ProfileValue.h"

#include <QDir>
#include <QFileInfo>

#include <vector>

namespace ProfileMessages {

QString notSaved(const QString& file) {
    return QStringLiteral("The settings could not be saved to\n%1").arg(QDir::toNativeSeparators(file));
}

QString notDeleted(const QString& file) {
    return QStringLiteral("The settings file could not be deleted:\n%1")
        .arg(QDir::toNativeSeparators(file));
}

QString unsafeName(const QString& rom) {
    // A NUL would end the text early in some message boxes; show it as a visible mark.
    QString shown = rom;
    shown.replace(QChar(0), QChar(0xFFFD));
    return QStringLiteral("The settings for this rom cannot be stored under its rom name \"%1\".")
        .arg(shown);
}

} // namespace ProfileMessages

Profiles::Profiles(const QString& appDir, Dialogs& dialogs, OptionTable& table,
                   PanelValues& panel, FileNameRules rules)
    : m_appDir(appDir), m_dialogs(dialogs), m_table(table), m_panel(panel), m_rules(rules) {}

std::optional<QString> Profiles::gameProfile(const QString& rom) const {
    return ProfilePaths::gameProfile(m_appDir, rom, m_rules);
}

void Profiles::warnUnsafeName(const QString& rom) const {
    m_dialogs.warning(ProfileMessages::unsafeName(rom));
}

bool Profiles::writeDefaultProfile() const {
    std::vector<IniEntry> entries;
    entries.reserve(size_t(m_table.OptionCount()));
    for (int r = 1; r <= m_table.OptionCount(); ++r) {
        const OptionRow& row = m_table.row(r);
        if (ProfileValue::isStored(row.kind()))
            entries.push_back({row.Category, row.Caption,
                               ProfileValue::fromPanel(row.kind(), m_panel, r)});
    }
    return ProfileFiles::write(ProfilePaths::defaultProfile(m_appDir), entries);
}

void Profiles::ReadCfg(const std::optional<QString>& rom) {
    // A game selected before the panel exists has nothing to load, and no file is touched.
    if (m_table.OptionCount() == 0)
        return;
    const QString defaultFile = ProfilePaths::defaultProfile(m_appDir);
    if (!QFileInfo(defaultFile).isFile() && !writeDefaultProfile() && !m_creationWarned) {
        m_creationWarned = true;
        m_dialogs.warning(ProfileMessages::notSaved(defaultFile));
    }
    ProfileLoad::showValues(m_appDir, rom, m_table, m_panel,
                            ProfileLoad::MissingDefaults::Empty, m_rules);
}

void Profiles::SaveToDefault() {
    if (!writeDefaultProfile())
        m_dialogs.warning(ProfileMessages::notSaved(ProfilePaths::defaultProfile(m_appDir)));
}

void Profiles::SaveRom(const QString& rom) {
    const std::optional<QString> file = gameProfile(rom);
    if (!file) {
        warnUnsafeName(rom);
        return;
    }
    std::vector<IniEntry> entries;
    for (int r = 1; r <= m_table.OptionCount(); ++r) {
        OptionRow& row = m_table.row(r);
        if (ProfileValue::equalsDefault(row.kind(), m_panel, r, row.DefaultProfileValue))
            continue;
        row.GameValue = ProfileValue::fromPanel(row.kind(), m_panel, r);
        entries.push_back({row.Category, row.Caption, row.GameValue});
    }
    if (!ProfileFiles::write(*file, entries))
        m_dialogs.warning(ProfileMessages::notSaved(*file));
}

bool Profiles::Revert(const QString& rom) {
    const std::optional<QString> file = gameProfile(rom);
    if (!file) {
        // No profile is ever read for such a name, so the panel already shows the defaults.
        warnUnsafeName(rom);
        return false;
    }
    if (!m_dialogs.askYesNo(ProfileMessages::revertTitle, ProfileMessages::revertQuestion))
        return false;
    if (!ProfileFiles::remove(*file))
        m_dialogs.warning(ProfileMessages::notDeleted(*file));
    return true;
}

#pragma once

#include "profiles/ProfilePaths.h"

#include <QString>

#include <optional>

class Dialogs;
class OptionTable;
class PanelValues;

// The default profile and the game profiles of one main window: loading the selected game's
// values into the panel, "Save to &Default", "&Save" and "&Revert". Each user action that
// cannot write or delete its file shows one warning naming the file; creating a missing
// default profile while loading warns at most once in the object's life.
class Profiles {
public:
    Profiles(const QString& appDir, Dialogs& dialogs, OptionTable& table, PanelValues& panel,
             FileNameRules rules = HostFileNameRules());

    // Loads the panel: each option shows the game's value when its profile holds a non-empty
    // one, else the default profile's. A missing default profile is first written from what
    // the panel shows. With no game (nullopt) or an unsafe ROM name only the default profile
    // is read. Fills DefaultProfileValue and GameValue of every row.
    void ReadCfg(const std::optional<QString>& rom);

    // Writes every option's panel value to the default profile. The values of the last load
    // stay what "&Save" compares with.
    void SaveToDefault();

    // Writes to the game's profile the options whose panel value differs from the default
    // values of the last load; no difference writes no file.
    void SaveRom(const QString& rom);

    // Asks for confirmation and deletes the game's profile. True when the answer was Yes and
    // the panel must be reloaded.
    bool Revert(const QString& rom);

private:
    bool writeDefaultProfile() const;
    std::optional<QString> gameProfile(const QString& rom) const;
    void warnUnsafeName(const QString& rom) const;

    const QString m_appDir;
    Dialogs& m_dialogs;
    OptionTable& m_table;
    PanelValues& m_panel;
    FileNameRules m_rules;
    bool m_creationWarned = false;
};

namespace ProfileMessages {
inline const QString revertTitle = QStringLiteral("Confim Deletion");
inline const QString revertQuestion =
    QStringLiteral("Are you sure you wish to revert?  The settings for this individual rom will "
                   "be deleted and the default will be used.");
QString notSaved(const QString& file);
QString notDeleted(const QString& file);
QString unsafeName(const QString& rom);
} // namespace ProfileMessages

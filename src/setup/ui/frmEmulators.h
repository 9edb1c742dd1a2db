#pragma once

#include "setup/Presets.h"
#include "systems/SystemList.h"

#include <QDialog>
#include <QSet>

#include <vector>

class Dialogs;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;

// The systems of a data folder, to add to, rename, reorder and take away. Every change is
// stored at once in dovrel/systems.ini; what the list shows is always what is stored, so a
// change that cannot be written is shown and leaves the list as it was. A folder without a
// list shows itself as its one system and writes the list with the first change.
class frmEmulators : public QDialog {
    Q_OBJECT
public:
    frmEmulators(const QString& dataDir, std::vector<Preset> presets, Dialogs& dialogs,
                 QWidget* parent = nullptr);

    // The systems as stored (or the folder itself when it has no list).
    const SystemList& systems() const { return m_list; }
    // The system selected in lstSystems; -1 when none is.
    int selected() const;

    // What the buttons do, to the selected system where they need one.
    void addPreset(const Preset& preset);
    void addFolder();
    void renameSelected();
    void moveSelected(int by);
    void removeSelected();
    void deleteSelectedFiles();

    // Whether the system's files may be deleted from here: its folder lies below the data
    // folder (through no link) and is not the data folder itself.
    bool mayDeleteFiles(int index) const;

    QListWidget* lstSystems = nullptr; // the names, in order; the current one in bold
    QLabel* lblFolder = nullptr;       // the selected system's folder
    QPushButton* cmdAddPreset = nullptr;
    QMenu* mnuPresets = nullptr; // one action per usable preset, named actPreset_<name>
    QPushButton* cmdAddFolder = nullptr;
    QPushButton* cmdRename = nullptr;
    QPushButton* cmdMoveUp = nullptr;
    QPushButton* cmdMoveDown = nullptr;
    QPushButton* cmdRemove = nullptr;
    QPushButton* cmdDeleteFiles = nullptr;
    QPushButton* cmdClose = nullptr;

signals:
    // After each change that was stored.
    void systemsChanged();

protected:
    // The folder the user chooses to add; empty for Cancel.
    virtual QString chooseFolder();
    // Asks before files are deleted, No being the default; true only for Yes.
    virtual bool confirmDelete(const QString& title, const QString& text);

private:
    void reload(int select);
    // The list without that system.
    SystemList unlisted(int row) const;
    bool store(const SystemList& changed, int select);
    void added(const QString& name, const QString& error);
    void followSelection();

    QString m_dataDir;
    std::vector<Preset> m_presets;
    Dialogs& m_dialogs;
    SystemList m_list;
    QSet<QString> m_warned;
};

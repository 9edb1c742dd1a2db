#pragma once

#include "setup/DataFolder.h"
#include "setup/Presets.h"

#include <QDialog>

#include <vector>

class Dialogs;
class QCheckBox;
class QLabel;
class QPushButton;

// The first-run setup: says which data folder is being set up and why, offers the presets
// with whether each one's emulator was found, and copies the ticked ones into place when the
// user presses "Set Up": one into the folder itself, several each into a folder of its own,
// listed as the folder's systems. A preset that cannot be used is shown but cannot be ticked.
// Cancel (or closing the window) writes nothing.
class frmSetup : public QDialog {
    Q_OBJECT
public:
    frmSetup(const DataFolderChoice& folder, std::vector<Preset> presets, Dialogs& dialogs,
             QWidget* parent = nullptr);

    // The ticked presets, in the order offered; empty when none is ticked.
    std::vector<Preset> chosen() const;

    // Installs the ticked presets and closes; a failed copy is shown and the window stays.
    void accept() override;

    QLabel* lblFolder = nullptr;
    std::vector<QCheckBox*> optPreset; // one per preset, in the order given
    std::vector<QLabel*> lblPreset;    // whether its emulator was found, and where
    QPushButton* cmdSetUp = nullptr;
    QPushButton* cmdCancel = nullptr;

private:
    void followTicks();
    void holdInstalled();

    DataFolderChoice m_folder;
    std::vector<Preset> m_presets;
    Dialogs& m_dialogs;
};

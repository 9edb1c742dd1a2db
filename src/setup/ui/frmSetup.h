#pragma once

#include "setup/DataFolder.h"
#include "setup/Presets.h"

#include <QDialog>

#include <optional>
#include <vector>

class Dialogs;
class QLabel;
class QPushButton;
class QRadioButton;

// The first-run setup: says which data folder is being set up and why, offers the presets
// with whether each one's emulator was found, and copies the chosen one into place when the
// user presses "Set Up". A preset that cannot be used is shown but cannot be chosen. Cancel
// (or closing the window) writes nothing.
class frmSetup : public QDialog {
    Q_OBJECT
public:
    frmSetup(const DataFolderChoice& folder, std::vector<Preset> presets, Dialogs& dialogs,
             QWidget* parent = nullptr);

    // The preset whose button is selected; nullopt when none can be chosen.
    std::optional<Preset> chosen() const;

    // Installs the chosen preset and closes; a failed copy is shown and the window stays.
    void accept() override;

    QLabel* lblFolder = nullptr;
    std::vector<QRadioButton*> optPreset; // one per preset, in the order given
    std::vector<QLabel*> lblPreset;       // whether its emulator was found, and where
    QPushButton* cmdSetUp = nullptr;
    QPushButton* cmdCancel = nullptr;

private:
    DataFolderChoice m_folder;
    std::vector<Preset> m_presets;
    Dialogs& m_dialogs;
};

#include "setup/ui/frmSetup.h"

#include "base/Dialogs.h"
#include "setup/FirstRun.h"
#include "setup/PresetInstaller.h"
#include "ui/WidgetPlacement.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using WidgetPlacement::named;

frmSetup::frmSetup(const DataFolderChoice& folder, std::vector<Preset> presets, Dialogs& dialogs,
                   QWidget* parent)
    : QDialog(parent), m_folder(folder), m_presets(std::move(presets)), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("frmSetup"));
    setWindowTitle(QStringLiteral("Set Up Tarvelin"));
    auto* layout = new QVBoxLayout(this);

    lblFolder = named(new QLabel(this), "lblFolder");
    lblFolder->setTextFormat(Qt::PlainText);
    lblFolder->setWordWrap(true);
    lblFolder->setText(QStringLiteral("Tarvelin keeps its settings, the game list and your "
                                      "profiles in\n%1.\n\nChoose the emulator to set it up for:")
                           .arg(m_folder.explanation()));
    layout->addWidget(lblFolder);

    auto* group = new QButtonGroup(this);
    for (const Preset& preset : m_presets) {
        auto* option = named(new QRadioButton(preset.title, this), "optPreset_" + preset.name);
        const QString reason = PresetUnusableReason(preset);
        option->setEnabled(reason.isEmpty());
        auto* status = named(new QLabel(this), "lblPreset_" + preset.name);
        status->setTextFormat(Qt::PlainText);
        status->setText(
            reason.isEmpty()
                ? QStringLiteral("Emulator found: %1").arg(QDir::toNativeSeparators(preset.found))
                : QStringLiteral("Cannot be chosen: %1").arg(reason));
        status->setEnabled(reason.isEmpty());
        status->setIndent(24);
        group->addButton(option);
        layout->addWidget(option);
        layout->addWidget(status);
        optPreset.push_back(option);
        lblPreset.push_back(status);
    }
    // The first preset that can be used is the suggestion.
    for (QRadioButton* option : optPreset) {
        if (option->isEnabled()) {
            option->setChecked(true);
            break;
        }
    }

    auto* buttons = new QDialogButtonBox(this);
    cmdSetUp = named(buttons->addButton(QStringLiteral("&Set Up"), QDialogButtonBox::AcceptRole),
                     "cmdSetUp");
    cmdCancel = named(buttons->addButton(QDialogButtonBox::Cancel), "cmdCancel");
    cmdSetUp->setEnabled(chosen().has_value());
    cmdSetUp->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &frmSetup::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &frmSetup::reject);
    layout->addSpacing(8);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

std::optional<Preset> frmSetup::chosen() const {
    for (size_t i = 0; i < optPreset.size(); ++i)
        if (optPreset[i]->isChecked() && optPreset[i]->isEnabled())
            return m_presets[i];
    return std::nullopt;
}

void frmSetup::accept() {
    const std::optional<Preset> preset = chosen();
    if (!preset)
        return;
    QString error;
    if (!InstallPreset(*preset, m_folder.folder, &error)) {
        m_dialogs.warning(
            QStringLiteral("Tarvelin could not be set up for %1:\n%2").arg(preset->title, error));
        return;
    }
    QDialog::accept();
}

#include "setup/ui/frmSetup.h"

#include "base/Dialogs.h"
#include "setup/FirstRun.h"
#include "setup/SystemSetup.h"
#include "systems/SystemList.h"
#include "ui/WidgetPlacement.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using WidgetPlacement::named;

namespace {

// After a set-up of several that stopped half-way the folder has a list: what is left goes
// into it beside the systems set up already, never into the folder itself.
bool addEach(const std::vector<Preset>& presets, const QString& dataDir, QString* error) {
    for (const Preset& preset : presets)
        if (AddPresetSystem(preset, dataDir, error).isEmpty())
            return false;
    return true;
}

} // namespace

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
                                      "profiles in\n%1.\n\nTick the emulators to set it up "
                                      "for. Each of several is set up as a system of its own, "
                                      "to switch between in the main window.")
                           .arg(m_folder.explanation()));
    layout->addWidget(lblFolder);

    for (const Preset& preset : m_presets) {
        auto* option = named(new QCheckBox(preset.title, this), "optPreset_" + preset.name);
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
        layout->addWidget(option);
        layout->addWidget(status);
        optPreset.push_back(option);
        lblPreset.push_back(status);
    }
    // Every emulator found is the suggestion; the demo only when nothing else is, since beside
    // a real emulator it would only be one more system to switch away from.
    bool realFound = false;
    for (size_t i = 0; i < optPreset.size(); ++i)
        realFound = realFound || (optPreset[i]->isEnabled() && m_presets[i].name != u"demo");
    for (size_t i = 0; i < optPreset.size(); ++i)
        optPreset[i]->setChecked(optPreset[i]->isEnabled() &&
                                 (!realFound || m_presets[i].name != u"demo"));
    for (QCheckBox* option : optPreset)
        connect(option, &QCheckBox::toggled, this, &frmSetup::followTicks);

    auto* buttons = new QDialogButtonBox(this);
    cmdSetUp = named(buttons->addButton(QStringLiteral("&Set Up"), QDialogButtonBox::AcceptRole),
                     "cmdSetUp");
    cmdCancel = named(buttons->addButton(QDialogButtonBox::Cancel), "cmdCancel");
    cmdSetUp->setDefault(true);
    followTicks();
    connect(buttons, &QDialogButtonBox::accepted, this, &frmSetup::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &frmSetup::reject);
    layout->addSpacing(8);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

std::vector<Preset> frmSetup::chosen() const {
    std::vector<Preset> ticked;
    for (size_t i = 0; i < optPreset.size(); ++i)
        if (optPreset[i]->isChecked() && optPreset[i]->isEnabled())
            ticked.push_back(m_presets[i]);
    return ticked;
}

void frmSetup::followTicks() {
    cmdSetUp->setEnabled(!chosen().empty());
}

// Those set up before the one that failed are systems of the folder now: they cannot be set up
// a second time.
void frmSetup::holdInstalled() {
    if (!SystemLists::exists(m_folder.folder))
        return;
    const SystemList list = SystemLists::read(m_folder.folder).list;
    for (size_t i = 0; i < optPreset.size(); ++i) {
        if (!optPreset[i]->isChecked() || list.indexOf(SystemNameFor(m_presets[i])) < 0)
            continue;
        optPreset[i]->setChecked(false);
        optPreset[i]->setEnabled(false);
        lblPreset[i]->setText(QStringLiteral("Set up already, as a system of this folder"));
    }
}

void frmSetup::accept() {
    const std::vector<Preset> presets = chosen();
    if (presets.empty())
        return;
    QString error;
    const bool done = SystemLists::exists(m_folder.folder)
                          ? addEach(presets, m_folder.folder, &error)
                          : InstallPresets(presets, m_folder.folder, &error);
    if (done) {
        QDialog::accept();
        return;
    }
    holdInstalled();
    const std::vector<Preset> left = chosen();
    const QString failed = left.empty() ? presets.front().title : left.front().title;
    m_dialogs.warning(
        QStringLiteral("Tarvelin could not be set up for %1:\n%2").arg(failed, error));
}

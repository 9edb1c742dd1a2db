#include "setup/ui/frmEmulators.h"

#include "base/AppPaths.h"
#include "base/Dialogs.h"
#include "base/Ini.h"
#include "setup/FirstRun.h"
#include "setup/SystemSetup.h"
#include "ui/WidgetPlacement.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextStream>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

using WidgetPlacement::named;

namespace {

QString nativeFolder(const QString& dataDir, const SystemEntry& system) {
    return QDir::toNativeSeparators(SystemList::folderPath(dataDir, system));
}

// `inner` is `outer` or lies inside it.
bool within(const QString& inner, const QString& outer) {
    return inner == outer || inner.startsWith(outer + u'/');
}

} // namespace

frmEmulators::frmEmulators(const QString& dataDir, std::vector<Preset> presets, Dialogs& dialogs,
                           QWidget* parent)
    : QDialog(parent), m_dataDir(dataDir), m_presets(std::move(presets)), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("frmEmulators"));
    setWindowTitle(QStringLiteral("Emulators"));

    lstSystems = named(new QListWidget(this), "lstSystems");
    lstSystems->setMinimumSize(380, 240);
    lstSystems->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(lstSystems, &QListWidget::currentRowChanged, this, &frmEmulators::followSelection);
    lblFolder = named(new QLabel(this), "lblFolder");
    lblFolder->setTextFormat(Qt::PlainText);
    // A long path is cut off rather than widening the window; the item's tooltip has it whole.
    lblFolder->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    auto button = [this](const char* text, const char* name) {
        return named(new QPushButton(QString::fromUtf8(text), this), QString::fromLatin1(name));
    };
    cmdAddPreset = button("Add &Preset...", "cmdAddPreset");
    mnuPresets = named(new QMenu(cmdAddPreset), "mnuPresets");
    for (const Preset& preset : m_presets) {
        if (!PresetUnusableReason(preset).isEmpty())
            continue;
        QAction* action = mnuPresets->addAction(preset.title);
        action->setObjectName("actPreset_" + preset.name);
        connect(action, &QAction::triggered, this, [this, preset] { addPreset(preset); });
    }
    cmdAddPreset->setMenu(mnuPresets);
    cmdAddPreset->setEnabled(!mnuPresets->isEmpty());
    cmdAddFolder = button("Add &Folder...", "cmdAddFolder");
    cmdRename = button("&Rename...", "cmdRename");
    cmdMoveUp = button("Move &Up", "cmdMoveUp");
    cmdMoveDown = button("Move &Down", "cmdMoveDown");
    cmdRemove = button("Re&move", "cmdRemove");
    cmdDeleteFiles = button("De&lete Files...", "cmdDeleteFiles");
    cmdClose = button("Close", "cmdClose");
    connect(cmdAddFolder, &QPushButton::clicked, this, &frmEmulators::addFolder);
    connect(cmdRename, &QPushButton::clicked, this, &frmEmulators::renameSelected);
    connect(cmdMoveUp, &QPushButton::clicked, this, [this] { moveSelected(-1); });
    connect(cmdMoveDown, &QPushButton::clicked, this, [this] { moveSelected(1); });
    connect(cmdRemove, &QPushButton::clicked, this, &frmEmulators::removeSelected);
    connect(cmdDeleteFiles, &QPushButton::clicked, this, &frmEmulators::deleteSelectedFiles);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);

    auto* column = new QVBoxLayout;
    for (QPushButton* b : {cmdAddPreset, cmdAddFolder, cmdRename, cmdMoveUp, cmdMoveDown})
        column->addWidget(b);
    column->addSpacing(12);
    column->addWidget(cmdRemove);
    column->addWidget(cmdDeleteFiles);
    column->addStretch(1);
    column->addWidget(cmdClose);
    auto* left = new QVBoxLayout;
    left->addWidget(lstSystems, 1);
    left->addWidget(lblFolder);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(column);

    reload(-1);
}

int frmEmulators::selected() const {
    const int row = lstSystems->currentRow();
    return row >= 0 && row < int(m_list.systems.size()) ? row : -1;
}

void frmEmulators::reload(int select) {
    m_list = {};
    if (SystemLists::exists(m_dataDir)) {
        const SystemListRead read = SystemLists::read(m_dataDir);
        m_list = read.list;
        for (const QString& warning : read.warnings) {
            if (m_warned.contains(warning))
                continue;
            m_warned.insert(warning);
            QTextStream(stderr) << "tarvelin: " << warning << u'\n';
        }
    } else {
        const QString caption =
            ReadIni(AppPaths::settingsFile(m_dataDir), "Parse", "WindowCaption");
        m_list.systems.push_back(
            {caption.isEmpty() ? QStringLiteral("Main") : caption, QStringLiteral(".")});
    }

    const QSignalBlocker blocker(lstSystems);
    lstSystems->clear();
    const int current = m_list.currentIndex();
    for (size_t i = 0; i < m_list.systems.size(); ++i) {
        const SystemEntry& system = m_list.systems[i];
        auto* item = new QListWidgetItem(system.name, lstSystems);
        item->setToolTip(nativeFolder(m_dataDir, system));
        if (int(i) == current) {
            QFont font = item->font();
            font.setBold(true); // the one the main window shows
            item->setFont(font);
        }
    }
    const int last = int(m_list.systems.size()) - 1;
    lstSystems->setCurrentRow(std::clamp(select < 0 ? current : select, std::min(0, last), last));
    followSelection();
}

bool frmEmulators::store(const SystemList& changed, int select) {
    if (!SystemLists::write(m_dataDir, changed)) {
        m_dialogs.warning(QStringLiteral("The list of systems could not be written into %1.")
                              .arg(QDir::toNativeSeparators(m_dataDir + "/dovrel/systems.ini")));
        reload(selected());
        return false;
    }
    reload(select);
    emit systemsChanged();
    return true;
}

void frmEmulators::added(const QString& name, const QString& error) {
    if (name.isEmpty()) {
        m_dialogs.warning(QStringLiteral("The system could not be added:\n%1").arg(error));
        reload(selected());
        return;
    }
    reload(selected());
    if (m_list.indexOf(name) >= 0)
        lstSystems->setCurrentRow(m_list.indexOf(name));
    emit systemsChanged();
}

void frmEmulators::addPreset(const Preset& preset) {
    QString error;
    const QString name = AddPresetSystem(preset, m_dataDir, &error);
    added(name, error);
}

void frmEmulators::addFolder() {
    const QString folder = chooseFolder();
    if (folder.isEmpty())
        return;
    QString error;
    const QString name = AddFolderSystem(folder, m_dataDir, &error);
    added(name, error);
}

void frmEmulators::renameSelected() {
    const int row = selected();
    if (row < 0)
        return;
    const QString old = m_list.systems[size_t(row)].name;
    const QString typed = m_dialogs.inputText(QStringLiteral("The system's new name:"),
                                              QStringLiteral("Rename"), old);
    if (typed.isEmpty() || typed == old)
        return; // Cancel
    const QString problem = m_list.nameProblem(typed, row);
    if (!problem.isEmpty()) {
        m_dialogs.warning(problem);
        return;
    }
    SystemList changed = m_list;
    if (!changed.current.isEmpty() && changed.indexOf(changed.current) == row)
        changed.current = typed.trimmed();
    changed.systems[size_t(row)].name = typed.trimmed();
    store(changed, row);
}

void frmEmulators::moveSelected(int by) {
    const int row = selected();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= int(m_list.systems.size()))
        return;
    SystemList changed = m_list;
    std::swap(changed.systems[size_t(row)], changed.systems[size_t(to)]);
    store(changed, to);
}

void frmEmulators::removeSelected() {
    const int row = selected();
    if (row < 0 || m_list.systems.size() < 2)
        return;
    store(unlisted(row), std::min(row, int(m_list.systems.size()) - 2));
}

SystemList frmEmulators::unlisted(int row) const {
    SystemList changed = m_list;
    changed.systems.erase(changed.systems.begin() + row);
    // The current system's place goes to the first.
    if (m_list.currentIndex() == row)
        changed.current = changed.systems.front().name;
    return changed;
}

bool frmEmulators::mayDeleteFiles(int index) const {
    if (index < 0 || index >= int(m_list.systems.size()))
        return false;
    const QString path = SystemList::folderPath(m_dataDir, m_list.systems[size_t(index)]);
    const QString folder = QFileInfo(path).canonicalFilePath();
    const QString data = QFileInfo(m_dataDir).canonicalFilePath();
    if (folder.isEmpty() || data.isEmpty() || QFileInfo(path).isSymLink() ||
        !within(folder, data) || folder == data)
        return false;
    // Nor when another system lives inside it: its files would go too.
    for (size_t i = 0; i < m_list.systems.size(); ++i) {
        const QString other =
            QFileInfo(SystemList::folderPath(m_dataDir, m_list.systems[i])).canonicalFilePath();
        if (int(i) != index && !other.isEmpty() && within(other, folder))
            return false;
    }
    return true;
}

void frmEmulators::deleteSelectedFiles() {
    const int row = selected();
    if (m_list.systems.size() < 2 || !mayDeleteFiles(row))
        return;
    const SystemEntry system = m_list.systems[size_t(row)];
    const QString folder = SystemList::folderPath(m_dataDir, system);
    if (!confirmDelete(QStringLiteral("Delete Files"),
                       QStringLiteral("Delete the folder\n%1\nwith everything in it: the settings, "
                                      "profiles, game list and pictures of \"%2\"?")
                           .arg(QDir::toNativeSeparators(folder), system.name)))
        return;
    // Unlisted first: a list that cannot be written leaves the files untouched.
    if (!store(unlisted(row), std::min(row, int(m_list.systems.size()) - 2)))
        return;
    if (!QDir(folder).removeRecursively())
        m_dialogs.warning(QStringLiteral("Some files in %1 could not be deleted.")
                              .arg(QDir::toNativeSeparators(folder)));
}

void frmEmulators::followSelection() {
    const int row = selected();
    const int count = int(m_list.systems.size());
    lblFolder->setText(row < 0 ? QString()
                               : QStringLiteral("Folder: %1")
                                     .arg(nativeFolder(m_dataDir, m_list.systems[size_t(row)])));
    cmdRename->setEnabled(row >= 0);
    cmdMoveUp->setEnabled(row > 0);
    cmdMoveDown->setEnabled(row >= 0 && row < count - 1);
    cmdRemove->setEnabled(row >= 0 && count > 1);
    cmdDeleteFiles->setEnabled(count > 1 && mayDeleteFiles(row));
}

QString frmEmulators::chooseFolder() {
    return QFileDialog::getExistingDirectory(this, QStringLiteral("Add Folder"), m_dataDir);
}

bool frmEmulators::confirmDelete(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Yes | QMessageBox::No, this);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

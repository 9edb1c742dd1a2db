#include "shell/SystemShelf.h"

#include "base/AppPaths.h"
#include "base/Dialogs.h"
#include "base/Ini.h"
#include "gamelist/GameListGenerator.h"
#include "session/GameSession.h"
#include "setup/Presets.h"
#include "setup/ui/frmEmulators.h"
#include "shell/FullScreenView.h"
#include "shell/PadControl.h"
#include "shell/SystemMenus.h"
#include "shell/frmAllSystems.h"
#include "shell/frmMain.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QScreen>
#include <QTextStream>
#include <QTimer>
#include <QTreeView>

struct SystemShelf::Slot {
    SystemEntry entry;
    QString folder; // absolute
    std::unique_ptr<GameSession> session;
    std::unique_ptr<frmMain> window;
    bool listedForAll = false; // a session without a window has loaded its games
};

SystemShelf::SystemShelf(QString dataDir, Dialogs& dialogs, QObject* parent)
    : QObject(parent), m_dataDir(std::move(dataDir)), m_dialogs(dialogs) {}

// The windows go before the sessions they show.
SystemShelf::~SystemShelf() {
    m_all.reset();
    for (std::vector<std::unique_ptr<Slot>>* owned : {&m_slots, &m_retired})
        for (const std::unique_ptr<Slot>& slot : *owned)
            slot->window.reset();
}

void SystemShelf::readList() {
    m_slots.clear();
    SystemListRead read;
    m_listed = SystemLists::exists(m_dataDir);
    if (m_listed) {
        read = SystemLists::read(m_dataDir);
        QTextStream err(stderr);
        for (const QString& warning : read.warnings)
            err << "tarvelin: " << warning << '\n';
    }
    // A list that names no usable system leaves the folder as the one system it has been.
    if (read.list.systems.empty()) {
        m_listed = false;
        const QString caption =
            ReadIni(AppPaths::settingsFile(m_dataDir), QStringLiteral("Parse"),
                    QStringLiteral("WindowCaption"));
        read.list.systems.push_back({caption, QStringLiteral(".")});
    }
    for (const SystemEntry& entry : read.list.systems) {
        auto slot = std::make_unique<Slot>();
        slot->entry = entry;
        slot->folder = SystemList::folderPath(m_dataDir, entry);
        m_slots.push_back(std::move(slot));
    }
    m_current = read.list.currentIndex();
}

bool SystemShelf::start(const QString& systemName) {
    readList();
    if (!systemName.isEmpty()) {
        int named = -1;
        for (int i = 0; i < count() && m_listed; ++i)
            if (m_slots[size_t(i)]->entry.name.compare(systemName, Qt::CaseInsensitive) == 0)
                named = i;
        if (named >= 0)
            m_current = named;
        else
            QTextStream(stderr) << "tarvelin: no system is named \"" << systemName
                                << "\" here; showing " << m_slots[size_t(m_current)]->entry.name
                                << '\n';
    }
    // A system whose list cannot be made (its message has been shown) leaves the start to the
    // next one; with no other, the program ends as it always has.
    const int first = m_current;
    while (!openWindow(*m_slots[size_t(m_current)])) {
        m_current = (m_current + 1) % count();
        if (m_current == first)
            return false;
    }
    Slot& slot = *m_slots[size_t(m_current)];
    if (m_current != first && m_listed)
        SystemLists::writeCurrent(m_dataDir, slot.entry.name);
    slot.window->enableControllers();
    if ((m_pad = slot.window->padControl())) {
        // One reader of the controllers for all the windows: it follows the one shown.
        m_pad->setParent(this);
        connect(m_pad, &PadControl::systemStepAsked, this, &SystemShelf::step);
        for (const std::unique_ptr<Slot>& other : m_slots)
            if (other->session)
                m_pad->holdFor(*other->session);
    }
    bring(slot.window.get());
    return true;
}

QStringList SystemShelf::names() const {
    QStringList names;
    for (const std::unique_ptr<Slot>& slot : m_slots)
        names << slot->entry.name;
    return names;
}

frmMain* SystemShelf::window(int index) const {
    return index >= 0 && index < count() ? m_slots[size_t(index)]->window.get() : nullptr;
}

GameSession& SystemShelf::sessionOf(Slot& slot) {
    if (!slot.session) {
        slot.session = std::make_unique<GameSession>(slot.folder);
        if (m_pad)
            m_pad->holdFor(*slot.session);
    }
    return *slot.session;
}

bool SystemShelf::openWindow(Slot& slot) {
    if (slot.window)
        return true;
    GameSession& session = sessionOf(slot);
    // Relative paths (RomPath, the emulator) mean this system's files from now on.
    session.enterFolder();
    auto window = std::make_unique<frmMain>(session, m_dialogs);
    auto* menus = new SystemMenus(window.get(), window->menus().mnuConfig,
                                  window->menus().mnuView, window->menus().mnuHelp);
    addMenus(menus);
    // Start-up's messages belong to the window being started, as they always have.
    emit dialogParentChanged(window.get());
    if (!window->Form_Load()) {
        emit dialogParentChanged(m_shown);
        return false;
    }
    slot.listedForAll = false;
    slot.window = std::move(window);
    updateMenus();
    return true;
}

void SystemShelf::addMenus(SystemMenus* menus) {
    connect(menus, &SystemMenus::systemAsked, this, &SystemShelf::showSystem);
    connect(menus, &SystemMenus::stepAsked, this, &SystemShelf::step);
    connect(menus, &SystemMenus::allSystemsToggled, this, &SystemShelf::toggleAllSystems);
    connect(menus, &SystemMenus::emulatorsAsked, this, &SystemShelf::editSystems);
}

void SystemShelf::updateMenus() {
    const QStringList all = names();
    const auto update = [&](QMainWindow* window, int current) {
        if (auto* menus = window->findChild<SystemMenus*>(QString(), Qt::FindDirectChildrenOnly))
            menus->setSystems(all, current);
    };
    for (int i = 0; i < count(); ++i)
        if (frmMain* w = window(i))
            update(w, i);
    if (m_all)
        update(m_all.get(), -1);
}

bool SystemShelf::refusedWhileRunning() {
    for (const std::unique_ptr<Slot>& slot : m_slots)
        if (slot->session && slot->session->LaunchBusy()) {
            // The launch's wait returns into the window it started from, which must stay.
            m_dialogs.information(QStringLiteral("System"),
                                  QStringLiteral("A game of %1 is running. Switch systems once "
                                                 "it has ended.")
                                      .arg(slot->entry.name));
            return true;
        }
    return false;
}

bool SystemShelf::showSystem(int index) {
    if (index < 0 || index >= count())
        return false;
    if (index == m_current && !m_allShown && m_shown)
        return true;
    if (refusedWhileRunning())
        return false;
    Slot& slot = *m_slots[size_t(index)];
    // A list that cannot be made has said why; the system shown stays.
    if (!openWindow(slot))
        return false;
    slot.session->enterFolder();
    if (m_pad)
        m_pad->follow(*slot.window, *slot.session);
    m_current = index;
    m_allShown = false;
    if (m_listed)
        SystemLists::writeCurrent(m_dataDir, slot.entry.name);
    updateMenus();
    bring(slot.window.get());
    return true;
}

void SystemShelf::step(int delta) {
    if (count() > 1)
        showSystem(((m_allShown ? (delta > 0 ? -1 : 0) : m_current) + delta + count()) % count());
}

void SystemShelf::bring(QMainWindow* next) {
    QMainWindow* before = m_shown;
    if (before == next)
        return;
    if (before) {
        if (auto* main = qobject_cast<frmMain*>(before); main && main->fullScreenView().isOn())
            main->mnuViewFullScreen_Click();
        next->move(before->pos());
    }
    m_shown = next;
    next->show();
    next->raise();
    next->activateWindow();
    emit dialogParentChanged(next);
    if (before)
        before->hide();
}

void SystemShelf::toggleAllSystems() {
    if (m_allShown) {
        showSystem(m_current);
        return;
    }
    if (count() < 2 || refusedWhileRunning()) {
        updateMenus();
        return;
    }
    showAllSystems();
}

bool SystemShelf::listGamesForAll(Slot& slot) {
    if (slot.window || slot.listedForAll)
        return true;
    // A system not shown yet is listed from its cache, never by running its emulator; only a
    // list of the ROM folder's files is made afresh, as the command line makes it.
    GameSession& session = sessionOf(slot);
    session.enterFolder();
    session.readSettings();
    if (!session.hasCache()) {
        if (!ListsRomFolder(session.settings()) || !session.generateList(m_dialogs).ok)
            return false;
    }
    session.applySettingsDefaults();
    session.loadGames(session.settings().ShowMissingRoms != 1);
    slot.listedForAll = true;
    return true;
}

void SystemShelf::showAllSystems() {
    std::vector<AllSystemsGames::System> systems;
    QStringList unlisted;
    m_allSlots.clear();
    for (const std::unique_ptr<Slot>& slot : m_slots) {
        if (!listGamesForAll(*slot)) {
            unlisted << slot->entry.name;
            continue;
        }
        systems.push_back({slot->entry.name, slot->session->games(), &slot->session->library()});
        m_allSlots.push_back(slot.get());
    }
    m_slots[size_t(m_current)]->session->enterFolder();
    if (!m_all) {
        m_all = std::make_unique<frmAllSystems>();
        m_all->installEventFilter(this);
        addMenus(&m_all->systemMenus());
        connect(m_all.get(), &frmAllSystems::launchAsked, this, &SystemShelf::launchFromAll);
        connect(m_all.get(), &frmAllSystems::favouriteAsked, this,
                &SystemShelf::favouriteFromAll);
    }
    // As large as the window it replaces, and large enough for a list of every system.
    if (m_shown) {
        const QSize room = m_shown->screen()->availableSize();
        m_all->resize(m_shown->size().expandedTo(QSize(640, 600)).boundedTo(room));
    }
    m_all->setSystems(std::move(systems), unlisted);
    m_allShown = true;
    updateMenus();
    if (m_pad)
        m_pad->followList(m_all.get(), m_all->tblAllGames);
    bring(m_all.get());
    m_all->txtFind->setFocus();
}

void SystemShelf::launchFromAll(const AllSystemsGames::Row& row) {
    if (row.system < 0 || size_t(row.system) >= m_allSlots.size())
        return;
    GameSession& session = *m_allSlots[size_t(row.system)]->session;
    if (session.LaunchBusy() || refusedWhileRunning())
        return;
    const QString rom = m_all->model().games().game(row).rom;
    // The game's own system: its emulator, its folder and its saved profiles.
    session.enterFolder();
    session.launch(m_dialogs, rom, session.optionsFor(rom));
    session.finishLaunch(m_quitWhenLaunchEnds);
    if (m_quitWhenLaunchEnds) {
        QCoreApplication::quit();
        return;
    }
    if (m_all->viewChoices().recentlyPlayed)
        m_all->refill();
}

bool SystemShelf::eventFilter(QObject* watched, QEvent* event) {
    // As a system's window does: closed while a game runs, All Systems only hides, and the
    // program ends when the launch's wait has returned into it.
    if (watched == m_all.get() && event->type() == QEvent::Close &&
        std::any_of(m_slots.begin(), m_slots.end(), [](const std::unique_ptr<Slot>& slot) {
            return slot->session && slot->session->LaunchBusy();
        })) {
        m_quitWhenLaunchEnds = true;
        m_all->hide();
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void SystemShelf::favouriteFromAll(const AllSystemsGames::Row& row) {
    if (row.system < 0 || size_t(row.system) >= m_allSlots.size())
        return;
    Slot& slot = *m_allSlots[size_t(row.system)];
    GameLibrary& library = slot.session->library();
    const QString rom = m_all->model().games().game(row).rom;
    if (!library.setFavourite(rom, !library.isFavourite(rom)))
        m_dialogs.warning(QStringLiteral("The favourite could not be stored in\n%1")
                              .arg(QDir::toNativeSeparators(AppPaths::library(slot.folder))));
    m_all->refill();
}

void SystemShelf::editSystems() {
    // A running game's system must not be unlisted under it.
    if (refusedWhileRunning())
        return;
    const std::vector<Preset> presets = FindPresets(PresetPlacesFor(
        QCoreApplication::applicationDirPath(), qEnvironmentVariable("PATH")));
    frmEmulators dialog(m_dataDir, presets, m_dialogs, m_shown);
    dialog.exec();
    reload();
}

void SystemShelf::reload() {
    if (refusedWhileRunning())
        return;
    std::vector<std::unique_ptr<Slot>> before = std::move(m_slots);
    const QString currentFolder = before[size_t(m_current)]->folder;
    readList();
    // A system still listed keeps its window and session, under its new name.
    for (std::unique_ptr<Slot>& slot : m_slots)
        for (std::unique_ptr<Slot>& old : before)
            if (old && old->folder == slot->folder) {
                old->entry = slot->entry;
                slot = std::move(old);
                break;
            }
    m_current = 0;
    for (int i = 0; i < count(); ++i)
        if (m_slots[size_t(i)]->folder == currentFolder)
            m_current = i;
    m_all.reset();
    m_allSlots.clear();
    QMainWindow* shown = m_shown;
    const bool shownKept = std::any_of(m_slots.begin(), m_slots.end(), [&](const auto& slot) {
        return slot->window.get() == shown;
    });
    if (!shownKept) {
        // The shown system was removed: the list's current one comes in its place.
        m_shown = nullptr;
        if (!showSystem(m_current) && shown)
            shown->show();
        if (shown)
            shown->hide();
    }
    updateMenus();
    // Removed systems go once the loop is back, window before session: a menu of one of
    // them may be what asked.
    for (std::unique_ptr<Slot>& old : before)
        if (old)
            m_retired.push_back(std::move(old));
    QTimer::singleShot(0, this, [this] {
        for (const std::unique_ptr<Slot>& slot : m_retired)
            slot->window.reset();
        m_retired.clear();
    });
}

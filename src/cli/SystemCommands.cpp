#include "cli/SystemCommands.h"

#include "base/AppPaths.h"
#include "base/Ini.h"
#include "cli/GameCommands.h"
#include "gamelist/GameListCache.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QTextStream>

namespace {

QString native(const QString& folder) {
    return QDir::toNativeSeparators(folder);
}

// The count the window would show at a quick start, read from the cache alone: a --systems of
// a folder with MAME must not wait seconds for MAME's own list.
QString gamesOf(const QString& folder) {
    const QString cache = AppPaths::gameListCache(folder);
    if (!QFileInfo(cache).isFile())
        return QStringLiteral("-");
    return QString::number(ReadGameListCache(cache).size());
}

} // namespace

SystemCommands::SystemCommands(const QString& dataDir, bool refresh, Dialogs& dialogs,
                               QTextStream& out, QTextStream& err)
    : m_dataDir(dataDir), m_refresh(refresh), m_dialogs(dialogs), m_out(out), m_err(err) {
    if (!SystemLists::exists(dataDir))
        return;
    SystemListRead read = SystemLists::read(dataDir);
    for (const QString& warning : read.warnings)
        m_err << "tarvelin: " << warning << u'\n';
    m_err.flush();
    m_list = std::move(read.list);
}

QString SystemCommands::folderOf(const QString& system) {
    if (!listsSystems()) {
        if (system.isEmpty())
            return m_dataDir;
        m_err << "tarvelin: " << native(m_dataDir)
              << " lists no systems (dovrel/systems.ini), so --system \""
              << GameCommands::oneField(system) << "\" names none\n";
        m_err.flush();
        return {};
    }
    const int index = system.isEmpty() ? m_list.currentIndex() : m_list.indexOf(system);
    if (index < 0) {
        QStringList names;
        for (const SystemEntry& entry : m_list.systems)
            names << entry.name;
        m_err << "tarvelin: no system named \"" << GameCommands::oneField(system) << "\" in "
              << native(m_dataDir) << " (there are " << names.join(QStringLiteral(", ")) << ")\n";
        m_err.flush();
        return {};
    }
    return SystemList::folderPath(m_dataDir, m_list.systems[size_t(index)]);
}

int SystemCommands::systems() {
    std::vector<SystemEntry> systems = m_list.systems;
    if (!listsSystems()) {
        QString caption = ReadIni(AppPaths::settingsFile(m_dataDir), "Parse", "WindowCaption");
        systems.push_back(
            {caption.isEmpty() ? QFileInfo(m_dataDir).fileName() : caption, QStringLiteral(".")});
    }
    for (const SystemEntry& system : systems) {
        const QString folder = SystemList::folderPath(m_dataDir, system);
        m_out << GameCommands::oneField(system.name) << u'\t'
              << GameCommands::oneField(native(folder)) << u'\t'
              << GameCommands::oneField(ReadIni(AppPaths::settingsFile(folder), "Parse", "ExeName"))
              << u'\t' << gamesOf(folder) << u'\n';
    }
    m_out.flush();
    return 0;
}

int SystemCommands::list(const QString& system) {
    if (!system.isEmpty() || !listsSystems()) {
        const QString folder = folderOf(system);
        if (folder.isEmpty())
            return 2;
        return GameCommands(folder, m_refresh, m_dialogs, m_out, m_err).list();
    }
    int status = 0;
    for (const SystemEntry& entry : m_list.systems) {
        GameCommands games(SystemList::folderPath(m_dataDir, entry), m_refresh, m_dialogs, m_out,
                           m_err);
        if (games.list(entry.name) == 0)
            continue;
        m_err << "tarvelin: the games of system \"" << GameCommands::oneField(entry.name)
              << "\" are left out: its game list could not be made\n";
        m_err.flush();
        status = 1;
    }
    return status;
}

int SystemCommands::printCommand(const QString& system, const QString& rom) {
    const QString folder = folderOf(system);
    if (folder.isEmpty())
        return 2;
    return GameCommands(folder, m_refresh, m_dialogs, m_out, m_err).printCommand(rom);
}

int SystemCommands::launch(const QString& system, const QString& rom) {
    const QString folder = folderOf(system);
    if (folder.isEmpty())
        return 2;
    return GameCommands(folder, m_refresh, m_dialogs, m_out, m_err).launch(rom);
}

#include "systems/SystemList.h"

#include "base/AppPaths.h"
#include "base/Ini.h"
#include "base/IniDocument.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

const QString kSection = QStringLiteral("Systems");

QString listFile(const QString& dataDir) {
    return AppPaths::join(dataDir, QStringLiteral("/dovrel/systems.ini"));
}

QString stored(const IniDocument& doc, const QString& key) {
    return IniResult(doc.value(kSection, key).value_or(QString()));
}

} // namespace

int SystemList::indexOf(const QString& name) const {
    for (size_t i = 0; i < systems.size(); ++i)
        if (systems[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

int SystemList::currentIndex() const {
    return std::max(indexOf(current), 0);
}

QString SystemList::folderPath(const QString& dataDir, const SystemEntry& system) {
    QString path = QDir::cleanPath(QDir(dataDir).absoluteFilePath(system.folder));
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return path;
}

QString SystemList::nameProblem(const QString& name, int except) const {
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return QStringLiteral("A system needs a name.");
    for (const QChar c : trimmed)
        if (c.category() == QChar::Other_Control)
            return QStringLiteral("A system's name cannot hold a line break or a tab.");
    const int same = indexOf(trimmed);
    if (same >= 0 && same != except)
        return QStringLiteral("There is a system named \"%1\" already.").arg(systems[size_t(same)].name);
    return {};
}

namespace SystemLists {

bool exists(const QString& dataDir) {
    return QFileInfo(listFile(dataDir)).isFile();
}

SystemListRead parse(const QByteArray& bytes, const QString& dataDir,
                     const std::function<bool(const QString& folder)>& isSetUp) {
    const IniDocument doc = IniDocument::fromBytes(bytes);
    SystemListRead read;
    bool countOk = false;
    const int count = std::clamp(stored(doc, QStringLiteral("Count")).toInt(&countOk), 0, kMaxSystems);
    for (int i = 1; i <= count; ++i) {
        const QString n = QString::number(i);
        SystemEntry entry{stored(doc, QStringLiteral("Name") + n), stored(doc, QStringLiteral("Folder") + n)};
        QString problem;
        if (entry.name.isEmpty() && entry.folder.isEmpty())
            continue; // blanked when a longer list was shortened
        if (entry.folder.isEmpty())
            problem = QStringLiteral("no folder is given");
        else if (!read.list.nameProblem(entry.name).isEmpty())
            problem = entry.name.isEmpty() ? QStringLiteral("no name is given")
                                           : QStringLiteral("another system has that name");
        else if (!isSetUp(SystemList::folderPath(dataDir, entry)))
            problem = QStringLiteral("%1 holds no dovrel/dovrel.ini")
                          .arg(QDir::toNativeSeparators(SystemList::folderPath(dataDir, entry)));
        if (!problem.isEmpty()) {
            if (problem.endsWith(QStringLiteral("holds no dovrel/dovrel.ini")))
                read.absent.push_back(entry);
            read.warnings << QStringLiteral("system %1 (\"%2\") left out: %3")
                                 .arg(n, entry.name, problem);
            continue;
        }
        read.list.systems.push_back(std::move(entry));
    }
    if (!countOk && doc.value(kSection, QStringLiteral("Count")))
        read.warnings << QStringLiteral("Count is not a number; no system is listed");
    read.list.current = stored(doc, QStringLiteral("Current"));
    return read;
}

SystemListRead read(const QString& dataDir) {
    SystemListRead result =
        parse(ReadFileBytes(listFile(dataDir)), dataDir, [](const QString& folder) {
            return QFileInfo(AppPaths::settingsFile(folder)).isFile();
        });
    const QString file = QDir::toNativeSeparators(listFile(dataDir));
    for (QString& warning : result.warnings)
        warning = file + QStringLiteral(": ") + warning;
    return result;
}

bool write(const QString& dataDir, const SystemList& listed) {
    const QString file = listFile(dataDir);
    SystemList list = listed;
    for (const SystemEntry& absent : read(dataDir).absent) {
        const QString folder = SystemList::folderPath(dataDir, absent);
        const bool again = std::any_of(list.systems.begin(), list.systems.end(), [&](const auto& s) {
            return SystemList::folderPath(dataDir, s) == folder;
        });
        if (!again && list.indexOf(absent.name) < 0)
            list.systems.push_back(absent);
    }
    if (!QDir().mkpath(QFileInfo(file).path()))
        return false;
    const int before =
        std::clamp(ReadIni(file, kSection, QStringLiteral("Count")).toInt(), 0, kMaxSystems);
    std::vector<IniEntry> entries{
        {kSection, QStringLiteral("Count"), QString::number(list.systems.size())},
        {kSection, QStringLiteral("Current"), list.current}};
    const int count = std::max(before, int(list.systems.size()));
    for (int i = 0; i < count; ++i) {
        const bool listed = size_t(i) < list.systems.size();
        const QString n = QString::number(i + 1);
        entries.push_back({kSection, QStringLiteral("Name") + n, listed ? list.systems[size_t(i)].name : QString()});
        entries.push_back(
            {kSection, QStringLiteral("Folder") + n, listed ? list.systems[size_t(i)].folder : QString()});
    }
    return WriteIniEntries(file, entries);
}

bool writeCurrent(const QString& dataDir, const QString& name) {
    return WriteIni(listFile(dataDir), kSection, QStringLiteral("Current"), name);
}

SystemEntry entryFor(const QString& dataDir, const QString& name, const QString& folder) {
    const QString base = QDir::cleanPath(QDir(dataDir).absolutePath());
    const QString path = QDir::cleanPath(QDir(dataDir).absoluteFilePath(folder));
    if (path == base)
        return {name, QStringLiteral(".")};
    if (path.startsWith(base + u'/'))
        return {name, path.mid(base.size() + 1)};
    return {name, path};
}

} // namespace SystemLists

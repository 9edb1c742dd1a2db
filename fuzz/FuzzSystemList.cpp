// Any bytes as a data folder's list of systems: reading never fails, lists at most the
// allowed number of systems, each with a name and a folder, no two with one name, each one
// the folder check accepted, and a current index inside the list.
#include "systems/SystemList.h"

#include "FuzzScratch.h"

#include <cstdint>

using FuzzScratch::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const SystemListRead read =
        SystemLists::parse(bytes, QStringLiteral("/data"), [](const QString& folder) {
            return !folder.contains(QStringLiteral("gone"));
        });
    const SystemList& list = read.list;
    require(list.systems.size() <= size_t(SystemLists::kMaxSystems));
    for (size_t i = 0; i < list.systems.size(); ++i) {
        const SystemEntry& system = list.systems[i];
        require(!system.name.isEmpty() && !system.folder.isEmpty());
        require(list.indexOf(system.name) == int(i));
        require(!SystemList::folderPath(QStringLiteral("/data"), system).contains(u"gone"));
    }
    require(list.currentIndex() >= 0);
    require(list.systems.empty() || size_t(list.currentIndex()) < list.systems.size());
    return 0;
}

#include "common/FolderFaults.h"

#include <QFile>

#include <cerrno>
#include <dirent.h>
#include <dlfcn.h>
#include <mutex>
#include <string>

namespace {

std::mutex g_mutex;
std::string g_folder;

} // namespace

void FolderFaults::failOpening(const QString& folder) {
    const std::lock_guard lock(g_mutex);
    g_folder = QFile::encodeName(folder).toStdString();
}

void FolderFaults::disarm() {
    const std::lock_guard lock(g_mutex);
    g_folder.clear();
}

extern "C" DIR* opendir(const char* name) {
    {
        const std::lock_guard lock(g_mutex);
        if (!g_folder.empty() && g_folder == name) {
            errno = EACCES;
            return nullptr;
        }
    }
    static const auto real = reinterpret_cast<DIR* (*)(const char*)>(::dlsym(RTLD_NEXT, "opendir"));
    return real(name);
}

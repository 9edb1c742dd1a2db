#include "common/FileFaults.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <dlfcn.h>
#include <mutex>
#include <string>

namespace {

std::mutex g_mutex;
std::string g_commitTarget;
std::string g_removeTarget;

std::string nativePath(const QString& file) {
    return QFile::encodeName(QFileInfo(file).absoluteFilePath()).toStdString();
}

// True once for the armed path: the call then fails with `error`.
bool takeFault(std::string& armed, const char* path, int error) {
    const std::lock_guard lock(g_mutex);
    if (armed.empty() || path == nullptr || armed != path)
        return false;
    armed.clear();
    errno = error;
    return true;
}

template <class Fn> Fn next(const char* name) {
    return reinterpret_cast<Fn>(::dlsym(RTLD_NEXT, name));
}

} // namespace

void FileFaults::failNextCommitOnto(const QString& file) {
    const std::lock_guard lock(g_mutex);
    g_commitTarget = nativePath(file);
}

void FileFaults::failNextRemoveOf(const QString& file) {
    const std::lock_guard lock(g_mutex);
    g_removeTarget = nativePath(file);
}

extern "C" int rename(const char* from, const char* to) noexcept {
    if (takeFault(g_commitTarget, to, EIO))
        return -1;
    static const auto real = next<int (*)(const char*, const char*)>("rename");
    return real(from, to);
}

extern "C" int linkat(int fromDir, const char* from, int toDir, const char* to,
                      int flags) noexcept {
    if (takeFault(g_commitTarget, to, EIO))
        return -1;
    static const auto real = next<int (*)(int, const char*, int, const char*, int)>("linkat");
    return real(fromDir, from, toDir, to, flags);
}

extern "C" int unlink(const char* path) noexcept {
    if (takeFault(g_removeTarget, path, EACCES))
        return -1;
    static const auto real = next<int (*)(const char*)>("unlink");
    return real(path);
}

#include "locks.h"

#include "paths.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

struct FileLock {
    std::string path;
};

namespace {
FileLock *currentDir = nullptr;
}

FileLock *Lock(CONST_STRPTR name, LONG)
{
    if (!name || !*name)
        return nullptr;
    std::string host = HostPath(name);
    char resolved[PATH_MAX];
    if (!realpath(host.c_str(), resolved))
        return nullptr;
    auto *lock = new FileLock;
    lock->path = resolved;
    return lock;
}

void UnLock(FileLock *lock) { delete lock; }

BOOL NameFromLock(const FileLock *lock, STRPTR buffer, ULONG size)
{
    if (!lock || lock->path.size() + 1 > size)
        return FALSE;
    std::memcpy(buffer, lock->path.c_str(), lock->path.size() + 1);
    return TRUE;
}

FileLock *CurrentDir(FileLock *lock)
{
    FileLock *old = currentDir;
    currentDir = lock;
    return old;
}

std::string CurrentDirPath()
{
    if (currentDir)
        return currentDir->path;
    char cwd[PATH_MAX];
    return getcwd(cwd, sizeof cwd) ? std::string(cwd) : std::string();
}

#include "locks.h"

#include "paths.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

struct FileLock {
    std::string path;
    dev_t device = 0;
    ino_t inode = 0;
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
    struct stat st;
    if (stat(resolved, &st) != 0)
        return nullptr;
    return new FileLock{resolved, st.st_dev, st.st_ino};
}

void UnLock(FileLock *lock) { delete lock; }

BOOL NameFromLock(const FileLock *lock, STRPTR buffer, ULONG size)
{
    if (!lock || lock->path.size() + 1 > size)
        return FALSE;
    std::memcpy(buffer, lock->path.c_str(), lock->path.size() + 1);
    return TRUE;
}

LONG SameLock(const FileLock *a, const FileLock *b)
{
    if (!a || !b || a->device != b->device)
        return LOCK_DIFFERENT;
    return a->inode == b->inode ? LOCK_SAME : LOCK_SAME_VOLUME;
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

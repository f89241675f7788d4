// Locks: a lock proves that a file or directory exists and carries its
// canonical absolute name. The program takes an exclusive lock on a save target
// only to learn whether it exists, so both kinds succeed on any existing object.
#pragma once
#include "../exec/types.h"

#include <string>

struct FileLock;

constexpr LONG SHARED_LOCK = -2;
constexpr LONG ACCESS_READ = -2;
constexpr LONG EXCLUSIVE_LOCK = -1;
constexpr LONG ACCESS_WRITE = -1;

FileLock *Lock(CONST_STRPTR name, LONG mode);
void UnLock(FileLock *lock);
// The canonical absolute name of the locked object into buffer; false when it does not fit.
BOOL NameFromLock(const FileLock *lock, STRPTR buffer, ULONG size);
// Whether two locks are on one file or directory: the same device and inode,
// however each was named (a link, a hard link, another spelling).
constexpr LONG LOCK_SAME = 0;
constexpr LONG LOCK_SAME_VOLUME = 1;
constexpr LONG LOCK_DIFFERENT = -1;
LONG SameLock(const FileLock *a, const FileLock *b);
// Makes the locked directory the current one; returns the previous current
// directory's lock (null for the directory the process started in).
FileLock *CurrentDir(FileLock *lock);

// The current directory's path, used to resolve relative names.
std::string CurrentDirPath();

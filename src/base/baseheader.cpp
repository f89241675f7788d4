#include "baseheader.h"

#include "platform/dos/files.h"
#include "platform/dos/locks.h"

#include <cstring>

LONG IsBaseHeader(CONST_STRPTR fileName)
{
    if (!fileName)
        return 0;
    FileLock *lock = Lock(fileName, SHARED_LOCK);
    if (!lock)
        return 0;
    LONG result = 0;
    if (FileHandle *fh = Open(fileName, MODE_OLDFILE)) {
        char head[25];
        LONG got = Read(fh, head, sizeof head);
        result = got >= 24 && std::memcmp(head, PlikBaseHeader, 24) == 0;
        Close(fh);
    }
    UnLock(lock);
    return result;
}

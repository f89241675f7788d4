#include "baseheader.h"

#include "app/konfig.h"
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
    // Read behind the name's terminator: the name itself may lie in the buffer.
    size_t at = 0;
    if (fileName >= konfig.Buffer && fileName < konfig.Buffer + sizeof konfig.Buffer)
        at = size_t(fileName - konfig.Buffer) + std::strlen(fileName) + 1;
    LONG result = 0;
    if (at + 25 <= sizeof konfig.Buffer) {
        if (FileHandle *fh = Open(fileName, MODE_OLDFILE)) {
            LONG got = Read(fh, konfig.Buffer + at, 25);
            result = got >= 24 && std::memcmp(konfig.Buffer + at, PlikBaseHeader, 24) == 0;
            Close(fh);
        }
    }
    UnLock(lock);
    return result;
}

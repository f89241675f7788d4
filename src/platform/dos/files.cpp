#include "files.h"

#include "format.h"
#include "paths.h"

#include <algorithm>
#include <cerrno>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#if __has_include(<linux/openat2.h>)
#include <linux/openat2.h>
#endif

namespace {
constexpr size_t kBufferSize = 1 << 16;

// The first newline among n bytes, or null. Lines are short: an inline search
// of 16 bytes at a time beats a library call for each.
const char *FindNewline(const char *p, size_t n)
{
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i nl = _mm_set1_epi8('\n');
    for (; i + 16 <= n; i += 16) {
        unsigned mask = unsigned(
            _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i *>(p + i)), nl)));
        if (mask)
            return p + i + __builtin_ctz(mask);
    }
#endif
    for (; i < n; ++i)
        if (p[i] == '\n')
            return p + i;
    return nullptr;
}
}

struct FileHandle {
    int fd = -1;
    bool ownsFd = true;
    char *buf = nullptr;
    size_t start = 0;   // read: next unread byte; write: unused
    size_t end = 0;     // read: bytes valid in buf; write: bytes waiting to be written
    bool writing = false;
    bool failed = false;
    // Where the descriptor stands, kept so that a seek need not ask; -1 when
    // not known (a descriptor opened elsewhere, a pipe).
    off_t at = -1;
    // A regular file, where a read shorter than asked is the end; where the
    // last such read left the descriptor, so that the end is not asked for
    // again (a seek or a write forgets it).
    bool regular = false;
    off_t endAt = -1;
    // The file's full name where the opening showed it: an absolute name with
    // no link on its way; empty when the system is to be asked.
    std::string fullName;
};

namespace {
FileHandle *MakeHandle(int fd, bool owns)
{
    auto *fh = new FileHandle;
    fh->fd = fd;
    fh->ownsFd = owns;
    // a descriptor of its own was just opened, and only on a regular file
    fh->at = owns ? 0 : -1;
    fh->regular = owns;
    return fh;
}

bool AtSeenEnd(const FileHandle *fh) { return fh->regular && fh->at >= 0 && fh->at == fh->endAt; }

void Moved(FileHandle *fh, ssize_t n)
{
    if (fh->at >= 0 && n > 0)
        fh->at += n;
}

// After a read of got bytes where asked were wanted: the descriptor moved on,
// and of a regular file a read shorter than asked found its end.
void ReadDone(FileHandle *fh, ssize_t got, size_t asked)
{
    Moved(fh, got);
    if (fh->regular && got >= 0 && size_t(got) < asked)
        fh->endAt = fh->at;
}

// The buffer is made at its first use: a file read only in large blocks
// (a search, a copy) never needs one.
char *Buffer(FileHandle *fh)
{
    if (!fh->buf)
        fh->buf = static_cast<char *>(std::malloc(kBufferSize));
    return fh->buf;
}

bool WriteAll(FileHandle *fh, const char *p, size_t n)
{
    while (n) {
        ssize_t w = ::write(fh->fd, p, n);
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0)
            return false;
        Moved(fh, w);
        p += w;
        n -= size_t(w);
    }
    return true;
}

bool FlushWrites(FileHandle *fh)
{
    if (!fh->writing)
        return true;
    bool ok = WriteAll(fh, fh->buf, fh->end);
    fh->end = 0;
    fh->writing = false;
    if (!ok)
        fh->failed = true;
    return ok;
}

// Gives back read-ahead bytes, so the descriptor's position is the logical one.
void DropReadAhead(FileHandle *fh)
{
    if (!fh->writing && fh->end > fh->start)
        fh->at = ::lseek(fh->fd, -off_t(fh->end - fh->start), SEEK_CUR);
    fh->start = fh->end = 0;
}

// One read into the buffer from offset from on, keeping where the descriptor
// stands and whether the end was reached; 0 at an end already found.
ssize_t FillBuffer(FileHandle *fh, size_t from)
{
    if (AtSeenEnd(fh))
        return 0;
    for (;;) {
        ssize_t r = ::read(fh->fd, fh->buf + from, kBufferSize - from);
        if (r < 0 && errno == EINTR)
            continue;
        ReadDone(fh, r, kBufferSize - from);
        if (r < 0)
            fh->failed = true;
        return r;
    }
}

bool Refill(FileHandle *fh)
{
    if (!FlushWrites(fh))
        return false;
    fh->start = fh->end = 0;
    if (!Buffer(fh)) {
        fh->failed = true;
        return false;
    }
    ssize_t r = FillBuffer(fh, 0);
    fh->end = r > 0 ? size_t(r) : 0;
    return r > 0;
}

// Whether a name is its own full name as long as no link lies on its way:
// absolute, without "." or ".." parts, doubled slashes or a slash at the end.
bool PlainFullName(const std::string &path)
{
    if (path.size() < 2 || path[0] != '/' || path.back() == '/')
        return false;
    for (size_t slash = 0; slash != std::string::npos; slash = path.find('/', slash + 1)) {
        size_t next = path.find('/', slash + 1);
        std::string_view part(path.data() + slash + 1, (next == std::string::npos ? path.size() : next) - slash - 1);
        if (part.empty() || part == "." || part == "..")
            return false;
    }
    return true;
}

// Opens a plain full name for reading only where no link lies on its way, so
// that the name is the file's full name without asking the system again
// (which costs a call as dear as the opening); -1 where a link does, or the
// system cannot open so.
int OpenWithoutLinks(const std::string &path, int flags)
{
#if defined(SYS_openat2) && defined(RESOLVE_NO_SYMLINKS)
    if (flags == O_RDONLY && PlainFullName(path)) {
        open_how how{};
        how.flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC;
        how.resolve = RESOLVE_NO_SYMLINKS;
        return int(::syscall(SYS_openat2, AT_FDCWD, path.c_str(), &how, sizeof how));
    }
#else
    (void)path, (void)flags;
#endif
    return -1;
}

// Opening never blocks (a named pipe) and never yields a directory or a device:
// only regular files are documents. named tells whether path is the file's
// full name.
int OpenRegular(const std::string &path, int flags, bool &named)
{
    int fd = OpenWithoutLinks(path, flags);
    named = fd >= 0;
    if (fd < 0)
        fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd < 0)
        return -1;
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        errno = EISDIR;
        return -1;
    }
    // a regular file ignores the flag; it is cleared only for writing's sake
    if (flags != O_RDONLY)
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

// Reads straight into the caller's memory, until length bytes or the end:
// at the descriptor's position, or where a position (0 or more) says
// without moving it. A read that fails sets failed; -1 when it is the first.
// Of a regular file, a read shorter than asked is the end.
LONG ReadWhole(int fd, char *out, LONG length, LONG position, bool regular, bool &failed)
{
    LONG done = 0;
    while (done < length) {
        size_t want = size_t(length - done);
        ssize_t r = position < 0 ? ::read(fd, out + done, want) : ::pread(fd, out + done, want, off_t(position) + done);
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0) {
            failed = true;
            return done ? done : -1;
        }
        if (r == 0)
            break;
        done += LONG(r);
        if (regular && size_t(r) < want)
            break;
    }
    return done;
}

FileHandle *stdOut = nullptr;
FileHandle *stdIn = nullptr;
}

FileHandle *Open(CONST_STRPTR name, LONG mode)
{
    if (!name || !*name)
        return nullptr;
    std::string path = HostPath(name);
    int flags = 0;
    switch (mode) {
    case MODE_OLDFILE: flags = O_RDWR; break;
    case MODE_NEWFILE: flags = O_RDWR | O_CREAT | O_TRUNC; break;
    case MODE_READWRITE: flags = O_RDWR | O_CREAT; break;
    case MODE_SHARED: flags = O_RDONLY; break;
    default: return nullptr;
    }
    bool named = false;
    int fd = OpenRegular(path, flags, named);
    if (fd < 0 && mode == MODE_OLDFILE)
        fd = OpenRegular(path, O_RDONLY, named);   // read-only files are still readable documents
    if (fd < 0)
        return nullptr;
    FileHandle *fh = MakeHandle(fd, true);
    if (named)
        fh->fullName = path;
    return fh;
}

// The system keeps the name an open file was reached by, resolved: one call,
// where resolving the name given takes one for each of its parts.
BOOL NameFromFH(FileHandle *fh, STRPTR buffer, ULONG size)
{
    if (!fh || size < 2)
        return FALSE;
    if (!fh->fullName.empty()) {
        if (fh->fullName.size() >= size)
            return FALSE;
        std::memcpy(buffer, fh->fullName.c_str(), fh->fullName.size() + 1);
        return TRUE;
    }
    std::string link = "/proc/self/fd/" + std::to_string(fh->fd);
    ssize_t n = ::readlink(link.c_str(), buffer, size - 1);
    if (n <= 0 || size_t(n) >= size - 1 || buffer[0] != '/')
        return FALSE;
    buffer[n] = '\0';
    static constexpr char kGone[] = " (deleted)";
    size_t gone = sizeof kGone - 1;
    return !(size_t(n) > gone && std::strcmp(buffer + n - gone, kGone) == 0);
}

BOOL Close(FileHandle *fh)
{
    if (!fh)
        return FALSE;
    bool ok = FlushWrites(fh) && !fh->failed;
    if (fh->ownsFd && ::close(fh->fd) != 0)
        ok = false;
    std::free(fh->buf);
    delete fh;
    return ok;
}

LONG Read(FileHandle *fh, APTR buffer, LONG length)
{
    if (!fh || length < 0)
        return -1;
    char *out = static_cast<char *>(buffer);
    LONG done = 0;
    if (!fh->writing && size_t(length) >= kBufferSize) {
        // a large read takes what the buffer holds and the rest straight from
        // the file; the buffer is then empty, so it ends where the file position is
        done = LONG(std::min(size_t(length), fh->end - fh->start));
        if (done)
            std::memcpy(out, fh->buf + fh->start, size_t(done));
        fh->start = fh->end = 0;
        if (AtSeenEnd(fh))
            return done;
        LONG got = ReadWhole(fh->fd, out + done, length - done, -1, fh->regular, fh->failed);
        ReadDone(fh, got, size_t(length - done));
        return got < 0 ? (done ? done : -1) : done + got;
    }
    while (done < length) {
        if (fh->writing || fh->start == fh->end) {
            if (!Refill(fh))
                return fh->failed && done == 0 ? -1 : done;
        }
        size_t take = std::min(size_t(length - done), fh->end - fh->start);
        std::memcpy(out + done, fh->buf + fh->start, take);
        fh->start += take;
        done += LONG(take);
    }
    return done;
}

LONG ReadAt(FileHandle *fh, APTR buffer, LONG length, LONG position)
{
    if (!fh || length < 0 || position < 0)
        return -1;
    bool failed = false;   // the handle's own reading is not this one's
    return ReadWhole(fh->fd, static_cast<char *>(buffer), length, position, fh->regular, failed);
}

LONG FileSize(FileHandle *fh)
{
    struct stat st;
    if (!fh || !FlushWrites(fh) || fstat(fh->fd, &st) != 0 || !S_ISREG(st.st_mode))
        return -1;
    return LONG(std::min<off_t>(st.st_size, 0x7FFFFFFF));
}

LONG Write(FileHandle *fh, const void *buffer, LONG length)
{
    if (!fh || length < 0)
        return -1;
    if (!fh->writing) {
        DropReadAhead(fh);
        fh->writing = true;
        fh->endAt = -1;   // the file grows
    }
    const char *in = static_cast<const char *>(buffer);
    if (size_t(length) >= kBufferSize) {
        if (!FlushWrites(fh) || !WriteAll(fh, in, size_t(length))) {
            fh->failed = true;
            return -1;
        }
        return length;
    }
    if (fh->end + size_t(length) > kBufferSize) {
        if (!FlushWrites(fh))
            return -1;
        fh->writing = true;
    }
    if (!Buffer(fh)) {
        fh->failed = true;
        return -1;
    }
    std::memcpy(fh->buf + fh->end, in, size_t(length));
    fh->end += size_t(length);
    return length;
}

STRPTR FGets(FileHandle *fh, STRPTR buffer, ULONG n)
{
    if (!fh || !buffer || n == 0)
        return nullptr;
    ULONG got = 0;
    while (got + 1 < n) {
        if (fh->start == fh->end || fh->writing) {
            if (!Refill(fh))
                break;
        }
        size_t avail = std::min(size_t(n - 1 - got), fh->end - fh->start);
        const char *from = fh->buf + fh->start;
        const char *nl = FindNewline(from, avail);
        size_t take = nl ? size_t(nl - from) + 1 : avail;
        std::memcpy(buffer + got, from, take);
        fh->start += take;
        got += ULONG(take);
        if (nl)
            break;
    }
    buffer[got] = '\0';
    return got ? buffer : nullptr;
}

namespace {
// Moves the unread bytes to the start of the buffer and fills the rest.
bool Compact(FileHandle *fh)
{
    size_t left = fh->end - fh->start;
    if (!Buffer(fh))
        return false;
    std::memmove(fh->buf, fh->buf + fh->start, left);
    fh->start = 0;
    fh->end = left;
    ssize_t r = FillBuffer(fh, left);
    if (r > 0)
        fh->end += size_t(r);
    return r > 0;
}
}

const char *FReadLine(FileHandle *fh, ULONG n, ULONG *length)
{
    if (!fh || n < 2 || n > kBufferSize || (fh->writing && !FlushWrites(fh)))
        return nullptr;
    size_t limit = n - 1;
    for (;;) {
        size_t avail = fh->end - fh->start;
        const char *from = fh->buf + fh->start;
        const char *nl = FindNewline(from, std::min(avail, limit));
        if (nl || avail >= limit) {
            size_t take = nl ? size_t(nl - from) + 1 : limit;
            fh->start += take;
            *length = ULONG(take);
            return from;
        }
        if (!Compact(fh)) {   // the end of the file: what is left is the last line
            if (!avail)
                return nullptr;
            fh->start += avail;
            *length = ULONG(avail);
            return from;
        }
    }
}

LONG FWrite(FileHandle *fh, const void *buffer, ULONG blockLength, ULONG blocks)
{
    if (!fh || blockLength == 0)
        return 0;
    LONG put = Write(fh, buffer, LONG(blockLength * blocks));
    return put < 0 ? 0 : LONG(ULONG(put) / blockLength);
}

LONG FPuts(FileHandle *fh, CONST_STRPTR text)
{
    LONG len = LONG(std::strlen(text));
    return Write(fh, text, len) == len ? 0 : -1;
}

BOOL Flush(FileHandle *fh)
{
    if (!fh)
        return FALSE;
    if (fh->writing)
        return FlushWrites(fh);
    DropReadAhead(fh);
    return TRUE;
}

LONG Seek(FileHandle *fh, LONG position, LONG mode)
{
    if (!fh)
        return -1;
    if (fh->writing && !FlushWrites(fh))
        return -1;
    off_t here = fh->at >= 0 ? fh->at : ::lseek(fh->fd, 0, SEEK_CUR);   // the buffer's bytes end here
    off_t logical = fh->writing ? here : here - off_t(fh->end - fh->start);
    int whence = mode == OFFSET_BEGINNING ? SEEK_SET : mode == OFFSET_END ? SEEK_END : SEEK_CUR;
    off_t target = whence == SEEK_CUR ? logical + position : position;
    if (whence == SEEK_CUR)
        whence = SEEK_SET;
    if (target < 0 && whence == SEEK_SET)
        return -1;
    // A place among the bytes already read is reached within them: a type
    // check reads a document's first bytes, and its scan starts over at the
    // beginning without reading them again, nor asking again for an end it
    // found. Any other seek asks anew: the file may have grown since.
    if (!fh->writing && here >= 0 && whence == SEEK_SET && target <= here && target >= here - off_t(fh->end)) {
        fh->start = size_t(target - (here - off_t(fh->end)));
        if (target == here)
            fh->endAt = -1;
        return LONG(logical);
    }
    fh->start = fh->end = 0;
    fh->at = ::lseek(fh->fd, target, whence);
    fh->endAt = -1;
    return fh->at < 0 ? -1 : LONG(logical);
}

LONG VFPrintf(FileHandle *fh, CONST_STRPTR format, const IPTR *args, int argCount)
{
    std::string text = VFormat(format, args, argCount);
    return Write(fh, text.data(), LONG(text.size()));
}


FileHandle *Output()
{
    if (!stdOut)
        stdOut = MakeHandle(STDOUT_FILENO, false);
    return stdOut;
}

FileHandle *Input()
{
    if (!stdIn)
        stdIn = MakeHandle(STDIN_FILENO, false);
    return stdIn;
}

FileHandle *SelectOutput(FileHandle *fh)
{
    FileHandle *old = Output();
    stdOut = fh;
    return old;
}

FileHandle *SelectInput(FileHandle *fh)
{
    FileHandle *old = Input();
    stdIn = fh;
    return old;
}

BOOL DeleteFile(CONST_STRPTR name)
{
    if (!name || !*name)
        return FALSE;
    return ::unlink(HostPath(name).c_str()) == 0;
}

FileHandle *OpenNewBeside(CONST_STRPTR name, std::string &tempName)
{
    if (!name || !*name)
        return nullptr;
    std::string target = HostPath(name), path = target + ".XXXXXX";
    int fd = mkstemp(path.data());
    if (fd < 0)
        return nullptr;
    fcntl(fd, F_SETFD, FD_CLOEXEC);
    // the new file gets the target's permissions, or those of any new file
    struct stat st;
    mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, stat(target.c_str(), &st) == 0 ? st.st_mode & 07777 : 0666 & ~mask);
    tempName = path;
    return MakeHandle(fd, true);
}

BOOL RenameOver(CONST_STRPTR from, CONST_STRPTR to)
{
    if (!from || !to)
        return false;
    // Where a file is replaced, the new contents reach the disk before the
    // name does: a crash just after the rename must not leave an empty file
    // where the old one was. A new name has nothing to lose and is not waited for.
    std::string source = HostPath(from), target = HostPath(to);
    struct stat st;
    bool synced = true;
    if (::lstat(target.c_str(), &st) == 0) {
        int fd = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
        synced = fd >= 0 && ::fsync(fd) == 0;
        if (fd >= 0)
            ::close(fd);
    }
    return synced && ::rename(source.c_str(), target.c_str()) == 0;
}

// Buffered files. Every handle reads and writes through one large buffer, so a
// line scan with FGets runs at memory speed. Names may start with an assign
// ("T:QMX.doc"); relative names are found in the current directory (CurrentDir).
#pragma once
#include "../exec/types.h"

#include <string>

struct FileHandle;

constexpr LONG MODE_OLDFILE = 1005;     // an existing file, for reading (and writing)
constexpr LONG MODE_NEWFILE = 1006;     // created or emptied, for writing
constexpr LONG MODE_READWRITE = 1004;   // opened or created, not emptied
constexpr LONG MODE_SHARED = 1007;      // an existing file, for reading only (what a shared lock allows)

constexpr LONG OFFSET_BEGINNING = -1;
constexpr LONG OFFSET_CURRENT = 0;
constexpr LONG OFFSET_END = 1;

FileHandle *Open(CONST_STRPTR name, LONG mode);
// The full name of the file open as fh, links resolved, as NameFromLock
// gives it; false when the system cannot tell (or the file is gone). A file
// opened for reading by a full name with no link on its way keeps that name.
BOOL NameFromFH(FileHandle *fh, STRPTR buffer, ULONG size);
BOOL Close(FileHandle *fh);   // false when buffered data could not be written

LONG Read(FileHandle *fh, APTR buffer, LONG length);           // bytes read, -1 on error
LONG Write(FileHandle *fh, const void *buffer, LONG length);   // bytes written, -1 on error
// Reads up to length bytes at position without moving the handle's position
// or touching its buffer, so that threads may each read a part of one file.
// Bytes read, -1 on error.
LONG ReadAt(FileHandle *fh, APTR buffer, LONG length, LONG position);
// The size of a file being read, -1 for none (a pipe); the position stays.
LONG FileSize(FileHandle *fh);
// Reads at most n - 1 bytes, stopping after a newline; always terminates the
// buffer. Null at the end of the file when nothing was read.
STRPTR FGets(FileHandle *fh, STRPTR buffer, ULONG n);
// The next line as FGets with an n-byte buffer would read it, without copying
// it: a pointer into the handle's buffer, valid until the next call, and its
// length (no terminator follows). Null at the end of the file.
const char *FReadLine(FileHandle *fh, ULONG n, ULONG *length);
LONG FWrite(FileHandle *fh, const void *buffer, ULONG blockLength, ULONG blocks);   // whole blocks written
LONG FPuts(FileHandle *fh, CONST_STRPTR text);                                      // 0 on success, -1 on error
BOOL Flush(FileHandle *fh);
// Moves to a position; returns the position before the move, -1 on error.
LONG Seek(FileHandle *fh, LONG position, LONG mode);
// Formats with the program's format language (see format.h) and writes.
LONG VFPrintf(FileHandle *fh, CONST_STRPTR format, const IPTR *args, int argCount);

FileHandle *Output();   // the process's standard output
FileHandle *Input();    // the process's standard input
// Replaces standard input or output (tests); returns the old one.
FileHandle *SelectInput(FileHandle *fh);
FileHandle *SelectOutput(FileHandle *fh);

BOOL DeleteFile(CONST_STRPTR name);

// A new file with a fresh unique name in the directory of name, made so that
// nothing planted there is followed; its name goes to tempName. Replacing a
// file with it (RenameOver) is one step, so a reader never sees half a file.
FileHandle *OpenNewBeside(CONST_STRPTR name, std::string &tempName);
BOOL RenameOver(CONST_STRPTR from, CONST_STRPTR to);

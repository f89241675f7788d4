// The two little records that hold a file's name: FileInfo (directory part
// and file part) and FileOpen (full name, lock, handle), with the clear modes
// 257 (initialise), 258 (free) and 768 (close, keep the name).
#pragma once
#include "platform/dos/files.h"
#include "platform/dos/locks.h"

constexpr ULONG CLEAR_INIT = 257;
constexpr ULONG CLEAR_FREE = 258;
constexpr ULONG CLEAR_CLOSE = 768;

struct FileInfo {
    STRPTR Dir;
    STRPTR Name;
};

struct FileOpen {
    STRPTR Name;
    FileLock *Lock;
    FileHandle *Handle;
};

FileInfo *StoreFileInfo(FileInfo *info, CONST_STRPTR dir, CONST_STRPTR name);
FileInfo *GetFileFromPath(FileInfo *info, CONST_STRPTR fullName);
void ClearFileInfo(FileInfo *info, ULONG mode);
void ClearFileOpen(FileOpen *file, ULONG mode);
// Joins a directory and a name in a buffer of the calling thread's own, good
// until its next call there; with a variable, also stores a copy there.
// Returns the buffer.
STRPTR SetFilePath(STRPTR *variable, CONST_STRPTR dir, CONST_STRPTR name);
// Writes a text without a newline; 1 on success.
LONG FWriteSTR(FileHandle *fh, CONST_STRPTR text);

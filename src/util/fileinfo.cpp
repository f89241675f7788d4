#include "fileinfo.h"

#include "platform/dos/paths.h"
#include "strings.h"

#include <cstring>

FileInfo *StoreFileInfo(FileInfo *info, CONST_STRPTR dir, CONST_STRPTR name)
{
    ClearFileInfo(info, CLEAR_FREE);
    info->Name = NewSTR(name, -1);
    info->Dir = NewSTR(dir, -1);
    return info;
}

FileInfo *GetFileFromPath(FileInfo *info, CONST_STRPTR fullName)
{
    ClearFileInfo(info, CLEAR_FREE);
    if (!fullName)
        fullName = "";
    CONST_STRPTR file = FilePart(fullName);
    info->Name = NewSTR(file, LONG(std::strlen(file)));
    info->Dir = NewSTR(fullName, LONG(file - fullName));
    return info;
}

void ClearFileInfo(FileInfo *info, ULONG mode)
{
    if (mode == CLEAR_INIT) {
        info->Dir = info->Name = nullptr;
        return;
    }
    DelSTR(&info->Dir);
    DelSTR(&info->Name);
}

void ClearFileOpen(FileOpen *file, ULONG mode)
{
    if (mode == CLEAR_INIT) {
        file->Name = nullptr;
        file->Lock = nullptr;
        file->Handle = nullptr;
        return;
    }
    if (file->Handle) {
        Close(file->Handle);
        file->Handle = nullptr;
    }
    if (file->Lock) {
        UnLock(file->Lock);
        file->Lock = nullptr;
    }
    if (mode == CLEAR_FREE)
        DelSTR(&file->Name);
}

STRPTR SetFilePath(STRPTR *variable, CONST_STRPTR dir, CONST_STRPTR name)
{
    // Each thread joins its names in its own buffer: base scans run on several.
    thread_local char buffer[8192];
    size_t dirLen = dir ? strnlen(dir, sizeof buffer - 1) : 0;
    std::memmove(buffer, dir ? dir : "", dirLen);
    buffer[dirLen] = '\0';
    AddPart(buffer, name ? name : "", sizeof buffer);
    if (variable) {
        DelSTR(variable);
        *variable = NewSTR(buffer, LONG(std::strlen(buffer)));
    }
    return buffer;
}

LONG FWriteSTR(FileHandle *fh, CONST_STRPTR text) { return FWrite(fh, text, ULONG(std::strlen(text)), 1); }

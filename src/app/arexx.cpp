#include "arexx.h"

#include "ids.h"
#include "startup.h"
#include "platform/dos/locks.h"
#include "platform/utility/charset.h"

#include <string>

namespace {
// The argument arrays the hooks get, one cell per template item as ReadArgs
// fills them.
struct FileArgs {
    CONST_STRPTR FileName;
};
struct FindArgs {
    CONST_STRPTR Word;
    CONST_STRPTR BaseFile;
};
static_assert(sizeof(CONST_STRPTR) == sizeof(IPTR), "one cell per argument");

// The base file of the panel is kept by its full name; a name given another
// way (relative, another case) that leads to it is the same base.
bool IsOpenBase(CONST_STRPTR file)
{
    auto open = reinterpret_cast<CONST_STRPTR>(xget(QMXObject.BazaObj, QMXA_Baza_File));
    if (!open || !*open)
        return false;
    if (Stricmp(file, open) == 0)
        return true;
    char full[4096];
    FileLock *lock = Lock(file, SHARED_LOCK);
    bool same = lock && NameFromLock(lock, full, sizeof full) && Stricmp(full, open) == 0;
    UnLock(lock);
    return same;
}

void OpenBase(CONST_STRPTR file)
{
    SetAttrs(QMXObject.BazaObj, QMXA_Baza_File, file);
    DoMethod(QMXObject.BazaObj, QMXM_BazaOpen);
}

void UseBase(CONST_STRPTR file)
{
    if (!IsOpenBase(file))
        OpenBase(file);   // looked in even when it failed to open, as the person would
}

IPTR GATE_Hook_BaseOpen(Hook *, APTR, APTR args)
{
    OpenBase(static_cast<FileArgs *>(args)->FileName);
    SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, -2);
    return 0;
}

IPTR GATE_Hook_BaseClose(Hook *, APTR, APTR)
{
    DoMethod(QMXObject.BazaObj, QMXM_BazaClose);
    return 0;
}

IPTR GATE_Hook_FileOpen(Hook *, APTR, APTR args)
{
    SetAttrs(QMXObject.ViewObj, QMXA_View_File, static_cast<FileArgs *>(args)->FileName);
    SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, -2);
    return 0;
}

IPTR GATE_Hook_FileClose(Hook *, APTR, APTR)
{
    DoMethod(QMXObject.ViewObj, QMXM_ViewClose, 1);
    return 0;
}

IPTR GATE_Hook_FindFunc(Hook *, APTR, APTR args)
{
    auto *find = static_cast<FindArgs *>(args);
    UseBase(find->BaseFile);
    SetAttrs(QMXObject.BazaObj, QMXA_Baza_FindKey, find->Word);
    return 0;
}

IPTR GATE_Hook_FindText(Hook *, APTR, APTR args)
{
    auto *find = static_cast<FindArgs *>(args);
    UseBase(find->BaseFile);
    SetAttrs(QMXObject.FindObj, QMXA_Find_Text, find->Word);
    return 0;
}

Hook HOOK_BaseOpen = {GATE_Hook_BaseOpen, nullptr};
Hook HOOK_BaseClose = {GATE_Hook_BaseClose, nullptr};
Hook HOOK_FileOpen = {GATE_Hook_FileOpen, nullptr};
Hook HOOK_FileClose = {GATE_Hook_FileClose, nullptr};
Hook HOOK_FindFunc = {GATE_Hook_FindFunc, nullptr};
Hook HOOK_FindText = {GATE_Hook_FindText, nullptr};
}

MUI_Command ARexxCommands[] = {
    {"QMX_BaseOpen", "FILENAME/A", 1, &HOOK_BaseOpen, {0, 0, 0, 0, 0}},
    {"QMX_BaseClose", "", 0, &HOOK_BaseClose, {0, 0, 0, 0, 0}},
    {"QMX_FileOpen", "FILENAME/A", 1, &HOOK_FileOpen, {0, 0, 0, 0, 0}},
    {"QMX_FileClose", "", 0, &HOOK_FileClose, {0, 0, 0, 0, 0}},
    {"QMX_FindFunction", "WORD/A, BASEFILE/A", 2, &HOOK_FindFunc, {0, 0, 0, 0, 0}},
    {"QMX_FindText", "WORD/A, BASEFILE/A", 2, &HOOK_FindText, {0, 0, 0, 0, 0}},
    {nullptr, nullptr, 0, nullptr, {0, 0, 0, 0, 0}},
};

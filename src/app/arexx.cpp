#include "arexx.h"

#include "base/baza.h"
#include "base/records.h"
#include "core/ids.h"
#include "core/konfig.h"
#include "core/objects.h"
#include "platform/dos/locks.h"
#include "platform/dos/paths.h"
#include "platform/mui/requesters.h"
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

constexpr IPTR RC_OK = 0, RC_FAIL = 20;

// A failure in words of the port's own; one without them is answered with
// the text the window showed for it.
IPTR Failed(CONST_STRPTR why)
{
    SetAttrs(QMXObject.App, MUIA_Application_RexxString, why);
    return RC_FAIL;
}

// A command cannot wait for a person to decide about changes nobody saved,
// so it leaves such a base as it is.
IPTR BaseMayGo() { return konfig.Modified ? Failed("The base has unsaved changes") : RC_OK; }

// In place of the open base, as the menu opens one; after a failure no base
// is open, not one that only carries the name.
IPTR ReplaceBase(CONST_STRPTR file) { return DoMethod(QMXObject.BazaObj, QMXM_BazaReplace, file) ? RC_OK : RC_FAIL; }

IPTR UseBase(CONST_STRPTR file)
{
    if (IsOpenBase(file))
        return RC_OK;
    IPTR rc = BaseMayGo();
    return rc == RC_OK ? ReplaceBase(file) : rc;
}

IPTR GATE_Hook_BaseOpen(Hook *, APTR, APTR args)
{
    IPTR rc = BaseMayGo();
    if (rc == RC_OK)
        rc = ReplaceBase(static_cast<FileArgs *>(args)->FileName);
    if (rc == RC_OK)
        SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, -2);
    return rc;
}

IPTR GATE_Hook_BaseClose(Hook *, APTR, APTR)
{
    IPTR rc = BaseMayGo();
    if (rc == RC_OK)
        DoMethod(QMXObject.BazaObj, QMXM_BazaClose);
    return rc;
}

// The viewer says nothing back; a document it took has its type.
IPTR GATE_Hook_FileOpen(Hook *, APTR, APTR args)
{
    SetAttrs(QMXObject.ViewObj, QMXA_View_File, static_cast<FileArgs *>(args)->FileName);
    SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, -2);
    auto *shown = reinterpret_cast<Baza *>(xget(QMXObject.ViewObj, QMXA_View_Document));
    return shown && shown->DocType ? RC_OK : RC_FAIL;
}

IPTR GATE_Hook_FileClose(Hook *, APTR, APTR)
{
    DoMethod(QMXObject.ViewObj, QMXM_ViewClose, 1);
    return RC_OK;
}

// The key search tells a person when it finds nothing, and only then.
IPTR GATE_Hook_FindFunc(Hook *, APTR, APTR args)
{
    auto *find = static_cast<FindArgs *>(args);
    IPTR rc = UseBase(find->BaseFile);
    if (rc != RC_OK)
        return rc;
    const UnattendedRequests *told = CurrentUnattendedRequests();
    size_t before = told ? told->Count() : 0;
    DoMethod(QMXObject.BazaObj, QMXM_BazaLookUp, find->Word);
    return told && told->Count() > before ? RC_FAIL : RC_OK;
}

// The search goes on after the answer; its hits come into the search panel.
IPTR GATE_Hook_FindText(Hook *, APTR, APTR args)
{
    auto *find = static_cast<FindArgs *>(args);
    IPTR rc = UseBase(find->BaseFile);
    if (rc == RC_OK)
        SetAttrs(QMXObject.FindObj, QMXA_Find_Text, find->Word);
    return rc;
}

Hook HOOK_BaseOpen = {GATE_Hook_BaseOpen, nullptr};
Hook HOOK_BaseClose = {GATE_Hook_BaseClose, nullptr};
Hook HOOK_FileOpen = {GATE_Hook_FileOpen, nullptr};
Hook HOOK_FileClose = {GATE_Hook_FileClose, nullptr};
Hook HOOK_FindFunc = {GATE_Hook_FindFunc, nullptr};
Hook HOOK_FindText = {GATE_Hook_FindText, nullptr};
}

// INFO BASE names the document base open, by its file, and nothing without
// one; the other items are the toolkit's. Without a base the panel keeps
// only the drawer its requester starts in; a base is open while its tree
// holds something (as its menu items are on) and the panel names a file.
IPTR GATE_Hook_ARexxInfo(Hook *, APTR, APTR item)
{
    if (Stricmp(static_cast<CONST_STRPTR>(item), "BASE") != 0)
        return 0;
    const std::vector<TreeNode *> *roots = NListtreeRoots(BazaGUI.Tree);
    auto file = reinterpret_cast<CONST_STRPTR>(xget(QMXObject.BazaObj, QMXA_Baza_File));
    bool open = roots && !roots->empty() && file && *FilePart(file);
    return ToIPTR(open ? file : "");
}

Hook HOOK_ARexxInfo = {GATE_Hook_ARexxInfo, nullptr};

MUI_Command ARexxCommands[] = {
    {"QMX_BaseOpen", "FILENAME/A", 1, &HOOK_BaseOpen, {0, 0, 0, 0, 0}},
    {"QMX_BaseClose", "", 0, &HOOK_BaseClose, {0, 0, 0, 0, 0}},
    {"QMX_FileOpen", "FILENAME/A", 1, &HOOK_FileOpen, {0, 0, 0, 0, 0}},
    {"QMX_FileClose", "", 0, &HOOK_FileClose, {0, 0, 0, 0, 0}},
    {"QMX_FindFunction", "WORD/A, BASEFILE/A", 2, &HOOK_FindFunc, {0, 0, 0, 0, 0}},
    {"QMX_FindText", "WORD/A, BASEFILE/A", 2, &HOOK_FindText, {0, 0, 0, 0, 0}},
    {nullptr, nullptr, 0, nullptr, {0, 0, 0, 0, 0}},
};

// The load and save requesters and saving a document: the document type
// writes its save form to the scratch file, which is then copied to the
// target after the overwrite question. The target is replaced only by a
// complete copy: a save that fails leaves it as it was.
#include "core/ids.h"
#include "core/konfig.h"
#include "core/locale.h"
#include "core/objects.h"
#include "core/requesters.h"
#include "platform/dos/paths.h"
#include "platform/mui/requesters.h"
#include "util/strings.h"
#include "view.h"

#include <cstring>
#include <string>

namespace {
FileRequester *AllocFileRequester(LONG title, CONST_STRPTR drawer, CONST_STRPTR file, bool save)
{
    return MUI_AllocAslRequestTags(ASL_FileRequest, ASLFR_TitleText, GetLoc(title), ASLFR_InitialFile, file,
                                   ASLFR_InitialDrawer, drawer, ASLFR_InitialPattern, konfig.ASLPattern,
                                   ASLFR_PatternName, GetLoc(130), ASLFR_AllFilesFirst, TRUE, ASLFR_Flags1,
                                   FRF_DOPATTERNS | (save ? FRF_DOSAVEMODE : 0), ASLFR_Flags2, FRF_REJECTICONS,
                                   ASLFR_PrivateIDCMP, FALSE, ASLFR_Window, xget(QMXObject.Win, MUIA_Window_Window),
                                   ASLFR_UserData, QMXObject.App, ASLFR_IntuiMsgFunc, &HOOK_RefreshASL);
}

void Problem(LONG message, CONST_STRPTR name)
{
    MUI_Request(QMXObject.App, QMXObject.Win, 0, GetLoc(0), GetLoc(63), GetLoc(message), name);
}

bool CopyAll(FileHandle *from, FileHandle *to)
{
    char block[8192];
    for (;;) {
        LONG got = Read(from, block, LONG(sizeof block));
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        if (Write(to, block, got) != got)
            return false;
    }
}

// Copies the scratch file next to the target and renames it over the target.
bool ReplaceTarget(CONST_STRPTR target)
{
    FileHandle *scratch = Open(TempFile, MODE_OLDFILE);
    if (!scratch)
        return false;
    std::string temp;
    FileHandle *out = OpenNewBeside(target, temp);
    bool ok = out && CopyAll(scratch, out);
    ok = out && Close(out) && ok;
    Close(scratch);
    if (ok && RenameOver(temp.c_str(), target))
        return true;
    if (!temp.empty())
        DeleteFile(temp.c_str());
    return false;
}

// A save is a file of its own beside the document: an autodoc's table of
// contents "exec_toc.txt" for exec.doc, a copy "exec.copy.h" of another type.
std::string Proposal(const ViewData *d)
{
    std::string name = d->Doc && d->Doc->Name ? d->Doc->Name : "";
    size_t dot = name.rfind('.');
    std::string stem = dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
    if (d->Doc && d->Doc->DocType == Parser[PARSER_ADOC])
        return stem + "_toc.txt";
    return stem + ".copy" + (stem.size() < name.size() ? name.substr(stem.size()) : "");
}

// The document shown under whatever name the target was given: comparing
// the files, not their names, finds a link or a hard link to it too.
bool IsShownDocument(const ViewData *d)
{
    FileLock *target = Lock(d->Save.Name, SHARED_LOCK);
    bool same = target && SameLock(target, d->File.Lock) == LOCK_SAME;
    UnLock(target);
    return same;
}

// True when the target may be written: it does not exist, or the user said so.
bool MayOverwrite(ViewData *d)
{
    d->Save.Lock = Lock(d->Save.Name, EXCLUSIVE_LOCK);
    if (!d->Save.Lock)
        return true;
    LONG answer = MUI_Request(QMXObject.App, QMXObject.Win, 0, GetLoc(0), GetLoc(64), GetLoc(18), d->Save.Name);
    UnLock(d->Save.Lock);
    d->Save.Lock = nullptr;
    return answer != 0;
}
}

IPTR ViewOpenASL(ViewData *d)
{
    CONST_STRPTR drawer = d->Doc ? d->Doc->Dir : EmptySTR;
    CONST_STRPTR file = d->Doc ? d->Doc->Name : EmptySTR;
    SetAttrs(QMXObject.App, MUIA_Application_Sleep, TRUE);
    if (FileRequester *req = AllocFileRequester(12, drawer, file, false)) {
        if (MUI_AslRequestTags(req)) {
            DoMethod(QMXObject.App, MUIM_Application_CheckRefresh);
            if (req->fr_File && *req->fr_File) {
                SetAttrs(QMXObject.FindObj, QMXA_Find_Reset, TRUE);
                FileLock *lock = Lock(SetFilePath(nullptr, req->fr_Drawer, req->fr_File), SHARED_LOCK);
                char full[8192];
                if (lock && NameFromLock(lock, full, sizeof full)) {
                    SetAttrs(QMXObject.ViewObj, QMXA_View_File, full);
                    SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, -2);
                }
                UnLock(lock);
            }
        }
        MUI_FreeAslRequest(req);
    }
    SetAttrs(QMXObject.App, MUIA_Application_Sleep, FALSE);
    return 0;
}

IPTR ViewSaveASL(Object *self, ViewData *d)
{
    FileInfo start = {nullptr, nullptr};
    GetFileFromPath(&start, d->File.Name);
    std::string proposal = Proposal(d);
    SetAttrs(QMXObject.App, MUIA_Application_Sleep, TRUE);
    if (FileRequester *req = AllocFileRequester(14, start.Dir, proposal.c_str(), true)) {
        if (MUI_AslRequestTags(req) && req->fr_File && *req->fr_File) {
            SetFilePath(&d->Save.Name, req->fr_Drawer, req->fr_File);
            DoMethod(self, QMXM_ViewSave);
        }
        MUI_FreeAslRequest(req);
    }
    SetAttrs(QMXObject.App, MUIA_Application_Sleep, FALSE);
    DoMethod(QMXObject.App, MUIM_Application_CheckRefresh);
    ClearFileInfo(&start, CLEAR_FREE);
    return 0;
}

IPTR ViewSave(ViewData *d)
{
    if (!d->Doc || !d->Doc->DocType || !d->Save.Name)
        return 0;
    if (IsShownDocument(d)) {
        Problem(137, d->Save.Name);
        ClearFileOpen(&d->Save, CLEAR_FREE);
        return 0;
    }
    d->Save.Handle = Open(TempFile, MODE_NEWFILE);
    if (!d->Save.Handle) {
        Problem(20, TempFile);
        return 0;
    }
    DoMethod(d->Doc->DocType, QMXM_View_SaveFile, d->Doc, d->File.Handle, d->Save.Handle);
    bool written = Close(d->Save.Handle);
    d->Save.Handle = nullptr;
    if (!written)
        Problem(20, TempFile);
    else if (MayOverwrite(d) && !ReplaceTarget(d->Save.Name))
        Problem(20, d->Save.Name);
    ClearFileOpen(&d->Save, CLEAR_FREE);
    DeleteFile(TempFile);
    return 0;
}

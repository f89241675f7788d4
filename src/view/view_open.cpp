// Opening and closing documents: the type decision, the entry list, opening
// by name or as a document of the base, and closing in its three modes.
#include "core/ids.h"
#include "core/konfig.h"
#include "core/locale.h"
#include "core/objects.h"
#include "core/requesters.h"
#include "encoding.h"
#include "index.h"
#include "platform/dos/paths.h"
#include "platform/mui/requesters.h"
#include "platform/nlist/nlist.h"
#include "util/strings.h"
#include "view.h"

#include <cstring>

namespace {

// Lets go of the file shown and of a document the viewer owns, whatever the
// close before decided, so nothing is held twice.
void ReleaseShown(ViewData *d)
{
    ClearFileOpen(&d->File, CLEAR_FREE);
    if (d->Doc && !d->Doc->InBase)
        BazaFree(d->Doc);
    d->Doc = nullptr;
}

// A relative name is found in the directory of the document shown.
void EnterShownDirectory(ViewData *d)
{
    if (!d->File.Lock)
        return;
    char dir[8192];
    if (!NameFromLock(d->File.Lock, dir, sizeof dir))
        return;
    *PathPart(dir) = '\0';
    if (FileLock *lock = Lock(dir, SHARED_LOCK))
        UnLock(CurrentDir(lock));
}
}

void ViewInit(ViewData *d, ULONG mode)
{
    if (mode == CLEAR_INIT) {
        ClearFileOpen(&d->File, CLEAR_INIT);
        ClearFileOpen(&d->Save, CLEAR_INIT);
        d->Doc = nullptr;
        d->Current = nullptr;
        return;
    }
    if (!d->Doc)
        return;
    ClearFileOpen(&d->File, CLEAR_FREE);
    ClearFileOpen(&d->Save, CLEAR_FREE);
    if (!d->Doc->InBase)
        BazaFree(d->Doc);
    d->Doc = nullptr;
}

Object *CheckFileType(FileOpen *file, ULONG *code)
{
    file->Handle = Open(file->Name, MODE_OLDFILE);
    if (file->Handle)
        for (Object *type : Parser)
            if (type && (*code = ULONG(DoMethod(type, QMXM_View_CheckFType, file))) != 0)
                return type;
    ViewCannotOpen(file->Name);
    return nullptr;
}

LONG ViewFileIndex(FileOpen *file, Baza *baza)
{
    baza->DocType = nullptr;
    file->Lock = Lock(file->Name, SHARED_LOCK);
    if (!file->Lock) {
        ViewCannotOpen(file->Name);
        return 0;
    }
    baza->DocType = CheckFileType(file, &baza->FileType);
    if (!baza->DocType)
        return 0;
    if (!baza->InBase)
        DoMethod(baza->DocType, QMXM_View_MakeIndex, baza, file->Handle);
    return 1;
}

// Every list that shows the document's own bytes reads them in its encoding.
void ShowInEncoding(bool utf8)
{
    for (Object *list : {View.TextList, View.HeadList, View.ContentsList, View.ExampleList, IndexGUI.IndexList})
        SetAttrs(list, MUIA_NList_UTF8, utf8);
}

LONG OpenFileAction(ViewData *d)
{
    LONG ok = ViewFileIndex(&d->File, d->Doc);
    if (ok) {
        ShowInEncoding(DocumentIsUTF8(d->File.Handle));
        SetAttrs(ViewGUI.NameText, MUIA_Disabled, FALSE);
        SetAttrs(QMXObject.IndexObj, QMXA_Index_Doc, d->Doc);
    }
    FileListButtons(d);
    return ok;
}

void ViewOpenByName(Object *self, ViewData *d, CONST_STRPTR name)
{
    if (!name)
        return;
    // The name may lie in the shared buffer, which what follows uses.
    STRPTR copy = NewSTR(name, LONG(std::strlen(name)));
    EnterShownDirectory(d);
    DoMethod(self, QMXM_ViewClose, 1);
    ReleaseShown(d);
    d->File.Name = copy;
    d->Doc = BazaAlloc(nullptr, nullptr);
    if (!d->Doc || !copy)
        return;
    FileInfo parts = {d->Doc->Dir, d->Doc->Name};
    GetFileFromPath(&parts, d->File.Name);
    d->Doc->Dir = parts.Dir;
    d->Doc->Name = parts.Name;
    OpenFileAction(d);
    SetAttrs(QMXObject.BazaObj, QMXA_Baza_FollowView, TRUE);
}

void ViewOpenBaza(Object *self, ViewData *d, Baza *baza)
{
    if (!baza)
        return;
    DoMethod(self, QMXM_ViewClose, 2);
    ReleaseShown(d);
    d->Doc = baza;
    STRPTR full = SetFilePath(nullptr, baza->Dir, baza->Name);
    d->File.Name = NewSTR(full, LONG(std::strlen(full)));
    OpenFileAction(d);
}

IPTR ViewClose(Object *, ViewData *d, LONG mode)
{
    if (!d->Doc)
        return 0;
    DoMethod(View.Types, QMXM_View_CloseFile);
    bool go = mode == 0 || (mode == 1 && !d->Doc->InBase) || (mode == 2 && d->Doc->InBase);
    if (!go)
        return 0;
    MenuActive(MENU_FileClose, FALSE);
    MenuActive(MENU_FileSave, FALSE);
    SetAttrs(ViewGUI.NameText, MUIA_Text_Contents, GetLoc(36), MUIA_Disabled, TRUE);
    SetAttrs(QMXObject.ViewObj, QMXA_View_Example, 0, QMXA_View_Page, 0);   // the empty page, not empty panes
    DoMethod(QMXObject.ViewObj, QMXM_ViewClear);
    SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, -1);
    ViewInit(d, CLEAR_FREE);
    return 0;
}

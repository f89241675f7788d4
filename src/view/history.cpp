// The history of shown entries: a pop-up list of (document, entry) pairs with
// two step buttons. Recording a pair already in the list only makes it the
// active element; the oldest element goes when the list is full.
#include "base/records.h"
#include "core/ids.h"
#include "core/konfig.h"
#include "core/locale.h"
#include "core/objects.h"
#include "platform/dos/paths.h"
#include "platform/exec/pool.h"
#include "platform/nlist/nlist.h"
#include "platform/utility/charset.h"
#include "view.h"

#include <cstring>
#include <string>

namespace {
struct HistoryElement {
    LONG IndexNr;
    WORD PathLen;
    WORD NameLen;
    char Text[1];   // the path, NUL, the entry's name, NUL
};

struct HistoryPair {
    CONST_STRPTR path;
    LONG indexNr;
};

ULONG ElementSize(LONG pathLen, LONG nameLen) { return ULONG(offsetof(HistoryElement, Text) + pathLen + nameLen + 2); }
CONST_STRPTR ElementPath(const HistoryElement *e) { return e->Text; }
CONST_STRPTR ElementName(const HistoryElement *e) { return e->Text + e->PathLen + 1; }

IPTR ConstructElement(Hook *, APTR, APTR entry)
{
    auto *pair = static_cast<HistoryPair *>(entry);
    Doc *doc = reinterpret_cast<Doc *>(DoMethod(QMXObject.IndexObj, QMXM_IndexGetEntry, pair->indexNr));
    if (!doc)
        return 0;
    CONST_STRPTR name = doc->Name ? doc->Name : "";
    LONG pathLen = LONG(strnlen(pair->path, 0x7FFF)), nameLen = LONG(strnlen(name, 0x7FFF));
    auto *e = static_cast<HistoryElement *>(AllocPooled(MemPool, ElementSize(pathLen, nameLen)));
    if (!e)
        return 0;
    e->IndexNr = pair->indexNr;
    e->PathLen = WORD(pathLen);
    e->NameLen = WORD(nameLen);
    std::memcpy(e->Text, pair->path, size_t(pathLen));
    std::memcpy(e->Text + pathLen + 1, name, size_t(nameLen));
    SetAttrs(ViewGUI.PopButton, MUIA_Disabled, FALSE);
    return ToIPTR(e);
}

IPTR DestructElement(Hook *, APTR, APTR element)
{
    auto *e = static_cast<HistoryElement *>(element);
    if (!e) {
        SetAttrs(ViewGUI.PopButton, MUIA_Disabled, TRUE);
        return 0;
    }
    FreePooled(MemPool, e, ElementSize(e->PathLen, e->NameLen));
    return 0;
}

// The list is UTF-8: the file name is the host's, and the entry's name, in
// its document's bytes, is turned into UTF-8 when it is Latin-1. Pointed at,
// an element tells its whole path (documents of one name from several SDKs).
IPTR DisplayElement(Hook *, APTR array, APTR element)
{
    static std::string shown;
    auto *e = static_cast<HistoryElement *>(element);
    shown = std::string(FilePart(ElementPath(e))) + "/" + HostText(ElementName(e));
    static_cast<CONST_STRPTR *>(array)[0] = shown.c_str();
    static_cast<CONST_STRPTR *>(array)[1] = ElementPath(e);
    return 0;
}

Hook HOOK_HistoryConstruct = {ConstructElement, nullptr};
Hook HOOK_HistoryDestruct = {DestructElement, nullptr};
Hook HOOK_HistoryDisplay = {DisplayElement, nullptr};

HistoryElement *ElementAt(LONG i)
{
    return reinterpret_cast<HistoryElement *>(DoMethod(ViewGUI.HistoryList, MUIM_NList_GetEntry, i, nullptr));
}

LONG FindElement(CONST_STRPTR path, LONG indexNr)
{
    for (LONG i = 0;; ++i) {
        HistoryElement *e = ElementAt(i);
        if (!e)
            return -1;
        if (e->IndexNr == indexNr && std::strcmp(ElementPath(e), path) == 0)
            return i;
    }
}

void Step(ViewData *d, LONG delta)
{
    LONG a = LONG(xget(ViewGUI.HistoryList, MUIA_NList_Active)) + delta;
    if (a < 0 || a >= LONG(xget(ViewGUI.HistoryList, MUIA_NList_Entries)))
        return;
    SetAttrs(ViewGUI.HistoryList, MUIA_NList_Active, a);
    OpenFileNode(d, ElementAt(a));
}
}

Object *MakeHistoryList()
{
    return MUI_NewObject(MUIC_NList, MUIA_ShortHelp, GetLoc(117), MUIA_Font, MUIV_NList_Font_Fixed, MUIA_Frame,
                         MUIV_Frame_PopUp, MUIA_NList_Input, TRUE, MUIA_NList_UTF8, TRUE, MUIA_NList_ConstructHook,
                         &HOOK_HistoryConstruct, MUIA_NList_DestructHook, &HOOK_HistoryDestruct, MUIA_NList_DisplayHook,
                         &HOOK_HistoryDisplay);
}

// Elements hold the document's canonical name, so the search compares with
// that name too; a relative or linked name of the same file finds its element.
void AddFile2List(ViewData *d)
{
    char full[8192];
    if (!NameFromLock(d->File.Lock, full, sizeof full))
        return;
    LONG n = LONG(xget(QMXObject.IndexObj, QMXA_Index_Active));
    if (n == -1)
        return;
    LONG found = FindElement(full, n);
    if (found >= 0) {
        SetAttrs(ViewGUI.HistoryList, MUIA_NList_Active, found);
        return;
    }
    SetAttrs(ViewGUI.HistoryList, MUIA_NList_Quiet, TRUE);
    if (LONG(xget(ViewGUI.HistoryList, MUIA_NList_Entries)) >= konfig.ListMax)
        DoMethod(ViewGUI.HistoryList, MUIM_NList_Remove, 0);
    HistoryPair pair = {full, n};
    DoMethod(ViewGUI.HistoryList, MUIM_NList_InsertSingle, &pair, MUIV_NList_Insert_Bottom);
    SetAttrs(ViewGUI.HistoryList, MUIA_NList_Quiet, FALSE);
    SetAttrs(ViewGUI.HistoryList, MUIA_NList_Active, MUIV_NList_Active_Bottom);
}

void FileListButtons(ViewData *)
{
    LONG a = LONG(xget(ViewGUI.HistoryList, MUIA_NList_Active));
    LONG e = LONG(xget(ViewGUI.HistoryList, MUIA_NList_Entries));
    if (!DoMethod(ViewGUI.HistoryGroup, MUIM_Group_InitChange))
        return;
    SetAttrs(ViewGUI.PrevButton, MUIA_Disabled, a <= 0);
    SetAttrs(ViewGUI.NextButton, MUIA_Disabled, a >= e - 1);
    DoMethod(ViewGUI.HistoryGroup, MUIM_Group_ExitChange);
}

void OpenFileNode(ViewData *d, APTR element)
{
    auto *e = static_cast<HistoryElement *>(element);
    if (!e)
        return;
    d->Current = e;
    LONG indexNr = e->IndexNr;
    SetAttrs(QMXObject.ViewObj, QMXA_View_File, ElementPath(e));
    SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, indexNr);
}

void ViewHistory(ViewData *d, LONG action)
{
    switch (action) {
    case 0:
        AddFile2List(d);
        FileListButtons(d);
        break;
    case 1: Step(d, -1); break;
    case 2: Step(d, +1); break;
    case 3:
        DoMethod(ViewGUI.HistoryPop, MUIM_Popstring_Close, 1);
        OpenFileNode(d, ElementAt(MUIV_NList_GetEntry_Active));
        break;
    }
}

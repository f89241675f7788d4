#include "index.h"

#include "base/records.h"
#include "core/classes.h"
#include "core/ids.h"
#include "core/locale.h"
#include "core/methods.h"
#include "core/objects.h"
#include "platform/nlist/nlist.h"
#include "platform/utility/charset.h"
#include "util/names.h"

#include <cstring>
#include <string>


IndexGUIRecord IndexGUI;

namespace {
MUI_CustomClass *clIndexClass = nullptr;

struct IndexData {
    LONG Active;
    LONG Shown;
    Baza *Doc;   // the document listed, whose entries the list holds
};

// The list holds the document's own entries: nothing is copied or freed.
IPTR ConstructEntry(Hook *, APTR, APTR entry) { return ToIPTR(entry); }
IPTR DestructEntry(Hook *, APTR, APTR) { return 0; }
IPTR DisplayEntry(Hook *, APTR array, APTR element)
{
    static_cast<CONST_STRPTR *>(array)[0] = static_cast<Doc *>(element)->Name;
    return 0;
}
Hook HOOK_IndexConstruct = {ConstructEntry, nullptr};
Hook HOOK_IndexDestruct = {DestructEntry, nullptr};
Hook HOOK_IndexDisplay = {DisplayEntry, nullptr};

bool IsSpecialLine(const Doc *doc) { return doc && doc->Name && doc->Name[0] == 27; }

void IndexShowActive(IndexData *d, Object *list)
{
    Doc *e = reinterpret_cast<Doc *>(DoMethod(list, MUIM_NList_GetEntry, MUIV_NList_GetEntry_Active, nullptr));
    if (!e)
        return;
    if (!IsSpecialLine(e))
        SetAttrs(QMXObject.ViewObj, QMXA_View_History, 0);
    bool greyed = d->Doc && d->Doc->FileType == TYPE_ADOC && e->Mark != '+';
    SetAttrs(IndexGUI.IndexTitle, MUIA_Disabled, greyed);
    SetAttrs(QMXObject.ViewObj, QMXA_View_Entry, e);
}

void SelectByNumber(IndexData *d, LONG n)
{
    if (n == MUIV_NList_Active_Top)
        n = IndexOpeningEntry();
    if (n == -1) {
        SetAttrs(IndexGUI.IndexTitle, MUIA_Text_Contents, GetLoc(37), MUIA_Disabled, TRUE);
        DoMethod(IndexGUI.IndexList, MUIM_NList_Clear);
        d->Active = -1;
        d->Doc = nullptr;
        return;
    }
    SetAttrs(IndexGUI.IndexList, MUIA_NList_Active, n, MUIA_NoNotify, TRUE);
    d->Active = d->Shown = n;   // the line shown, whatever the person picked before
    IndexShowActive(d, IndexGUI.IndexList);
}

void SelectByName(Object *self, CONST_STRPTR name)
{
    if (name)
        SetAttrs(self, QMXA_Index_Active, IndexFindName(name));
}

void ListDocument(Object *self, IndexData *d, Baza *baza)
{
    SetAttrs(IndexGUI.IndexList, MUIA_NList_Quiet, TRUE);
    SetAttrs(self, QMXA_Index_Active, -1);
    d->Doc = baza;
    SetAttrs(IndexGUI.IndexTitle, MUIA_Disabled, FALSE);
    if (baza && baza->Library)
        SetAttrs(IndexGUI.IndexTitle, MUIA_Text_Contents, baza->Library);
    for (Doc *e = baza ? FirstEntry(baza) : nullptr; e; e = NextEntry(e))
        DoMethod(IndexGUI.IndexList, MUIM_NList_InsertSingle, e, MUIV_NList_Insert_Bottom);
    SetAttrs(IndexGUI.IndexList, MUIA_NList_Quiet, FALSE);
}

// The person moved the active line. The same special line picked again is
// not shown again: the cursor goes back to the line selected last.
void UserMoved(IndexData *d, LONG n)
{
    Doc *e = reinterpret_cast<Doc *>(DoMethod(IndexGUI.IndexList, MUIM_NList_GetEntry, n, nullptr));
    bool again = n == d->Shown && !(e && !IsSpecialLine(e));
    d->Shown = n;   // before showing: a contents entry shows another line, which is then the one shown
    if (!again)
        IndexShowActive(d, IndexGUI.IndexList);
    else
        SetAttrs(IndexGUI.IndexList, MUIA_NList_Active, d->Active, MUIA_NoNotify, TRUE);
}

IPTR clIndex_OM_NEW(IClass *cl, Object *obj, Msg msg)
{
    IndexGUI.IndexList = MUI_NewObject(MUIC_NList, MUIA_CycleChain, TRUE, MUIA_Font, MUIV_NList_Font_Fixed, MUIA_Frame,
                                       MUIV_Frame_ReadList, MUIA_NList_Input, TRUE, MUIA_NList_ConstructHook,
                                       &HOOK_IndexConstruct, MUIA_NList_DestructHook, &HOOK_IndexDestruct,
                                       MUIA_NList_DisplayHook, &HOOK_IndexDisplay);
    Object *listGroup = MUI_NewObject(MUIC_Group, MUIA_ShortHelp, GetLoc(91), Child,
                                      MUI_NewObject(MUIC_NListview, MUIA_NListview_NList, IndexGUI.IndexList));
    IndexGUI.IndexTitle = MUI_NewObject(MUIC_Text, MUIA_ShortHelp, GetLoc(90), MUIA_Disabled, TRUE, MUIA_Text_SetMin,
                                        FALSE, MUIA_Frame, MUIV_Frame_Text, MUIA_Background, MUII_TextBack,
                                        MUIA_Text_PreParse, "\33c", MUIA_Text_Contents, GetLoc(37));
    Object *self = DoSuperNew(cl, obj, reinterpret_cast<opSet *>(msg)->ops_AttrList, Child, IndexGUI.IndexTitle, Child,
                              listGroup);
    if (!self)
        return 0;
    IndexData *d = static_cast<IndexData *>(INST_DATA(cl, self));
    d->Active = -1;
    d->Shown = 0;
    return ToIPTR(self);
}

IPTR clIndex_OM_SET(IClass *cl, Object *self, Msg msg)
{
    IndexData *d = static_cast<IndexData *>(INST_DATA(cl, self));
    TagItem *walk = reinterpret_cast<opSet *>(msg)->ops_AttrList;
    while (TagItem *t = NextTagItem(&walk)) {
        switch (t->ti_Tag) {
        case QMXA_Index_Doc: ListDocument(self, d, reinterpret_cast<Baza *>(t->ti_Data)); break;
        case QMXA_Index_Active: SelectByNumber(d, LONG(t->ti_Data)); break;
        case QMXA_Index_FindName: SelectByName(self, reinterpret_cast<CONST_STRPTR>(t->ti_Data)); break;
        case QMXA_Index_Shown: UserMoved(d, LONG(t->ti_Data)); break;
        }
    }
    return DoSuperMethodA(cl, self, msg);
}

IPTR clIndex_QMXM_IndexGetEntry(QMXP_IndexGetEntry *msg)
{
    LONG n = LONG(msg->Number);
    return DoMethod(IndexGUI.IndexList, MUIM_NList_GetEntry, n == -1 ? MUIV_NList_GetEntry_Active : n, nullptr);
}

IPTR clIndex_QMXM_IndexSelectName(Object *self, QMXP_IndexSelectName *msg)
{
    for (LONG i = 0;; ++i) {
        Doc *entry = reinterpret_cast<Doc *>(DoMethod(IndexGUI.IndexList, MUIM_NList_GetEntry, i, nullptr));
        if (!entry)
            return FALSE;
        if (FindStrName(entry->Name, msg->Word, LONG(msg->Length), 1)) {
            SetAttrs(self, QMXA_Index_Active, i);
            return TRUE;
        }
    }
}

IPTR clIndex_QMXM_IndexShowEntry(Object *self, QMXP_IndexShowEntry *msg)
{
    SetAttrs(self, QMXA_Index_Active, msg->Number);
    DoMethod(IndexGUI.IndexList, MUIM_NList_Jump, MUIV_NList_Jump_Active);
    return 0;
}

IPTR clIndex_QMXM_DoMethodObject(Object *self)
{
    DoMethod(IndexGUI.IndexList, MUIM_Notify, MUIA_NList_Active, MUIV_EveryTime, self, 3, MUIM_Set, QMXA_Index_Shown,
             MUIV_TriggerValue);
    return 0;
}

IPTR clIndex_Dispatcher(IClass *cl, Object *obj, Msg msg)
{
    switch (msg->MethodID) {
    case OM_NEW: return clIndex_OM_NEW(cl, obj, msg);
    case OM_DISPOSE: ForgetObject(obj); return DoSuperMethodA(cl, obj, msg);
    case OM_SET: return clIndex_OM_SET(cl, obj, msg);
    case OM_GET:
        if (reinterpret_cast<opGet *>(msg)->opg_AttrID == QMXA_Index_Active) {
            *reinterpret_cast<opGet *>(msg)->opg_Storage = xget(IndexGUI.IndexList, MUIA_NList_Active);
            return TRUE;
        }
        return DoSuperMethodA(cl, obj, msg);
    case QMXM_DoMethodObject: return clIndex_QMXM_DoMethodObject(obj);
    case QMXM_IndexGetEntry: return clIndex_QMXM_IndexGetEntry(reinterpret_cast<QMXP_IndexGetEntry *>(msg));
    case QMXM_IndexSelectName: return clIndex_QMXM_IndexSelectName(obj, reinterpret_cast<QMXP_IndexSelectName *>(msg));
    case QMXM_IndexShowEntry: return clIndex_QMXM_IndexShowEntry(obj, reinterpret_cast<QMXP_IndexShowEntry *>(msg));
    case QMXM_IndexFindName: return IPTR(IndexFindName(reinterpret_cast<QMXP_IndexFindName *>(msg)->Name));
    default: return DoSuperMethodA(cl, obj, msg);
    }
}
}

MUI_CustomClass *clIndex_Create(LONG flag)
{
    return ClassCreate(&clIndexClass, flag, MUIC_Group, sizeof(IndexData), clIndex_Dispatcher);
}

BOOL ClassIndex(BOOL create) { return ClassSlot(CL_Index, clIndex_Create, create); }

LONG IndexOpeningEntry()
{
    auto *doc = reinterpret_cast<Baza *>(xget(QMXObject.ViewObj, QMXA_View_Document));
    return doc && doc->DocType ? LONG(DoMethod(doc->DocType, QMXM_View_MainEntry)) : 0;
}

LONG IndexFindName(CONST_STRPTR name)
{
    std::string other = OtherEncoding(name, std::strlen(name));   // a typed name meets a document of either
    for (LONG i = 0;; ++i) {
        Doc *e = reinterpret_cast<Doc *>(DoMethod(IndexGUI.IndexList, MUIM_NList_GetEntry, i, nullptr));
        if (!e)
            return -2;
        if (e->Name && (Stricmp(e->Name, name) == 0 || (!other.empty() && Stricmp(e->Name, other.c_str()) == 0)))
            return i;
    }
}

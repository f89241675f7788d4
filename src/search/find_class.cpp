#include "find.h"

#include "core/classes.h"
#include "core/ids.h"
#include "core/locale.h"
#include "core/methods.h"
#include "core/objects.h"
#include "platform/intuition/tags.h"
#include "util/strings.h"

FindGUIRecord FindGUI;

namespace {
MUI_CustomClass *clFindClass = nullptr;

Object *TapeButton(IPTR image) { return MUI_MakeObject(MUIO_PopButton, image); }

Object *MakePanel(IClass *cl, Object *obj, Msg msg)
{
    GetLocArray(SzukajTryb);
    FindGUI.Range = MUI_NewObject(MUIC_Cycle, MUIA_Cycle_Entries, SzukajTryb, MUIA_CycleChain, TRUE, MUIA_Disabled,
                                  TRUE, MUIA_ShortHelp, GetLoc(111), MUIA_HorizWeight, 10);
    FindGUI.Pattern = MUI_NewObject(MUIC_String, MUIA_CycleChain, TRUE, MUIA_Frame, MUIV_Frame_String, MUIA_ShortHelp,
                                    GetLoc(112), MUIA_String_MaxLen, 8192);
    FindGUI.PrevBtn = TapeButton(MUII_TapePlayBack);
    FindGUI.NextBtn = TapeButton(MUII_TapePlay);
    Object *browse = MUI_NewObject(MUIC_Group, MUIA_Group_Horiz, TRUE, MUIA_Group_Spacing, 0, MUIA_ShortHelp,
                                   GetLoc(113), Child, FindGUI.PrevBtn, Child, FindGUI.NextBtn);
    // both stay in place (the text empty, the button resting) so a search does not move the panel
    FindGUI.Progress = MUI_NewObject(MUIC_Text, MUIA_Text_SetMin, FALSE, MUIA_HorizWeight, 70, MUIA_Text_Contents, "");
    FindGUI.StopBtn = TapeButton(MUII_TapeStop);
    SetAttrs(FindGUI.StopBtn, MUIA_Disabled, TRUE, MUIA_ShortHelp, GetLoc(122));
    return DoSuperNew(cl, obj, reinterpret_cast<opSet *>(msg)->ops_AttrList, MUIA_Group_Horiz, TRUE, MUIA_Group_Spacing,
                      0, Child, FindGUI.Range, Child, FindGUI.Pattern, Child, browse, Child, FindGUI.Progress, Child,
                      FindGUI.StopBtn);
}

IPTR clFind_OM_NEW(IClass *cl, Object *obj, Msg msg)
{
    Object *self = MakePanel(cl, obj, msg);
    if (!self) {
        FindGUI = FindGUIRecord{};
        return 0;
    }
    FindData *d = static_cast<FindData *>(INST_DATA(cl, self));
    *d = FindData{};
    FindInit(d, FIND_INIT);
    return ToIPTR(self);
}

IPTR clFind_OM_DISPOSE(IClass *cl, Object *self, Msg msg)
{
    ForgetObject(self);
    FindData *d = static_cast<FindData *>(INST_DATA(cl, self));
    FindInit(d, FIND_FREE);
    DelSTR(&d->Text);
    FindGUI = FindGUIRecord{};
    return DoSuperMethodA(cl, self, msg);
}

// Whether a base with entries is there: the range may be chosen; either way
// the search starts over in the document with an empty field.
void BaseReady(BOOL ready)
{
    SetAttrs(FindGUI.Range, MUIA_Disabled, !ready);
    SetAttrs(FindGUI.Range, MUIA_Cycle_Active, 0);
    SetAttrs(FindGUI.Pattern, MUIA_String_Contents, "");
}

// A text from elsewhere (the command port): searched through the whole base.
void SearchText(Object *self, CONST_STRPTR text)
{
    SetAttrs(FindGUI.Range, MUIA_Cycle_Active, 1);
    SetAttrs(FindGUI.Pattern, MUIA_String_Contents, text ? text : "");
    SetAttrs(self, QMXA_Find_Go, 0);
}

IPTR clFind_OM_SET(IClass *cl, Object *self, Msg msg)
{
    FindData *d = static_cast<FindData *>(INST_DATA(cl, self));
    TagItem *walk = reinterpret_cast<opSet *>(msg)->ops_AttrList;
    while (TagItem *t = NextTagItem(&walk)) {
        switch (t->ti_Tag) {
        case QMXA_Find_BaseReady: BaseReady(t->ti_Data != 0); break;
        case QMXA_Find_Reset: FindInit(d, FIND_FREE); break;
        case QMXA_Find_Go: FindGo(d, self, LONG(t->ti_Data)); break;
        case QMXA_Find_Text: SearchText(self, reinterpret_cast<CONST_STRPTR>(t->ti_Data)); break;
        case QMXA_Find_Stop: FindStop(d); break;
        }
    }
    return DoSuperMethodA(cl, self, msg);
}

IPTR clFind_QMXM_DoMethodObject(Object *self)
{
    DoMethod(FindGUI.Range, MUIM_Notify, MUIA_Cycle_Active, MUIV_EveryTime, self, 3, MUIM_Set, QMXA_Find_Reset, TRUE);
    DoMethod(FindGUI.Pattern, MUIM_Notify, MUIA_String_Acknowledge, MUIV_EveryTime, self, 3, MUIM_Set, QMXA_Find_Go, 0);
    DoMethod(FindGUI.PrevBtn, MUIM_Notify, MUIA_Pressed, FALSE, self, 3, MUIM_Set, QMXA_Find_Go, 2);
    DoMethod(FindGUI.NextBtn, MUIM_Notify, MUIA_Pressed, FALSE, self, 3, MUIM_Set, QMXA_Find_Go, 1);
    DoMethod(FindGUI.StopBtn, MUIM_Notify, MUIA_Pressed, FALSE, self, 3, MUIM_Set, QMXA_Find_Stop, TRUE);
    if (QMXObject.Win)
        DoMethod(QMXObject.Win, MUIM_Notify, MUIA_Window_InputEvent, MUIV_EveryTime, self, 3, MUIM_Set, QMXA_Find_Stop,
                 TRUE);
    return 0;
}

IPTR clFind_OM_GET(IClass *cl, Object *self, Msg msg)
{
    auto *get = reinterpret_cast<opGet *>(msg);
    FindData *d = static_cast<FindData *>(INST_DATA(cl, self));
    switch (get->opg_AttrID) {
    case QMXA_Find_Running: *get->opg_Storage = d->Job != nullptr; return TRUE;
    case QMXA_Find_Current: *get->opg_Storage = ToIPTR(d->Current); return TRUE;
    default: return DoSuperMethodA(cl, self, msg);
    }
}

IPTR clFind_Dispatcher(IClass *cl, Object *obj, Msg msg)
{
    switch (msg->MethodID) {
    case OM_NEW: return clFind_OM_NEW(cl, obj, msg);
    case OM_DISPOSE: return clFind_OM_DISPOSE(cl, obj, msg);
    case OM_SET: return clFind_OM_SET(cl, obj, msg);
    case OM_GET: return clFind_OM_GET(cl, obj, msg);
    case QMXM_DoMethodObject: return clFind_QMXM_DoMethodObject(obj);
    case QMXM_Find_Progress:
        FindProgress(static_cast<FindData *>(INST_DATA(cl, obj)),
                     ULONG(reinterpret_cast<QMXP_Find_Report *>(msg)->Serial));
        return 0;
    case QMXM_Find_Done:
        FindDone(static_cast<FindData *>(INST_DATA(cl, obj)), ULONG(reinterpret_cast<QMXP_Find_Report *>(msg)->Serial));
        return 0;
    default: return DoSuperMethodA(cl, obj, msg);
    }
}
}

MUI_CustomClass *clFind_Create(LONG flag)
{
    return ClassCreate(&clFindClass, flag, MUIC_Group, sizeof(FindData), clFind_Dispatcher);
}

BOOL ClassFind(BOOL create) { return ClassSlot(CL_Find, clFind_Create, create); }

#include "grouped.h"

#include "baza.h"
#include "core/classes.h"
#include "core/ids.h"
#include "core/konfig.h"
#include "core/locale.h"
#include "core/objects.h"

GrupaGUIRecord GrupaGUI;

namespace {
MUI_CustomClass *clGroupEdClass = nullptr;

Object *TextButton(LONG label, LONG help)
{
    return MUI_NewObject(MUIC_Text, MUIA_Text_Contents, GetLoc(label), MUIA_ShortHelp, GetLoc(help), MUIA_Frame,
                         MUIV_Frame_Button, MUIA_InputMode, MUIV_InputMode_RelVerify, MUIA_CycleChain, TRUE);
}

Object *Labelled(LONG help, Object *button)
{
    return MUI_NewObject(MUIC_Group, MUIA_Group_Horiz, TRUE, MUIA_CycleChain, TRUE, MUIA_ShortHelp, GetLoc(help), Child,
                         button);
}

IPTR clGroupEd_OM_NEW(IClass *cl, Object *obj, Msg msg)
{
    GrupaGUI.FilesButton = MUI_MakeObject(MUIO_PopButton, MUII_PopFile);
    GrupaGUI.GroupButton = MUI_MakeObject(MUIO_PopButton, MUII_PopDrawer);
    GrupaGUI.NameString = MUI_NewObject(MUIC_String, MUIA_ShortHelp, GetLoc(86), MUIA_CycleChain, TRUE, MUIA_Frame,
                                        MUIV_Frame_String, MUIA_String_MaxLen, 256);
    Object *nameRow = MUI_NewObject(MUIC_Group, MUIA_Group_Horiz, TRUE, MUIA_Group_Spacing, 0, Child,
                                    Labelled(103, GrupaGUI.FilesButton), Child, GrupaGUI.NameString, Child,
                                    Labelled(102, GrupaGUI.GroupButton));
    GrupaGUI.DeselectButton = TextButton(57, 126);
    GrupaGUI.DeleteButton = TextButton(56, 127);
    GrupaGUI.SortButton = TextButton(118, 128);
    Object *selected = MUI_NewObject(MUIC_Group, MUIA_Group_Horiz, TRUE, MUIA_Frame, MUIV_Frame_Group, MUIA_FrameTitle,
                                     GetLoc(104), Child, GrupaGUI.DeselectButton, Child, GrupaGUI.DeleteButton, Child,
                                     GrupaGUI.SortButton);
    Object *self = DoSuperNew(cl, obj, reinterpret_cast<opSet *>(msg)->ops_AttrList, MUIA_Frame, MUIV_Frame_Group,
                              Child, nameRow, Child, selected);
    if (self)
        SetAttrs(self, QMXA_GroupEd_EntryActive, 0, QMXA_GroupEd_GroupActive, 0);
    return ToIPTR(self);
}

void Show(Object *self, Object *menuItem)
{
    bool checked = xget(menuItem, MUIA_Menuitem_Checked) != 0;
    if (!checked) {
        SetAttrs(self, MUIA_ShowMe, FALSE);
        return;
    }
    if (DoMethod(QMXObject.BazaGroup, MUIM_Group_InitChange)) {
        SetAttrs(self, MUIA_ShowMe, TRUE);
        DoMethod(QMXObject.BazaGroup, MUIM_Group_ExitChange);
    }
}

IPTR clGroupEd_OM_SET(IClass *cl, Object *self, Msg msg)
{
    TagItem *walk = reinterpret_cast<opSet *>(msg)->ops_AttrList;
    while (TagItem *t = NextTagItem(&walk)) {
        switch (t->ti_Tag) {
        case QMXA_GroupEd_Name: SetAttrs(GrupaGUI.NameString, MUIA_String_Contents, t->ti_Data); break;
        case QMXA_GroupEd_EntryActive:
            SetAttrs(GrupaGUI.DeselectButton, MUIA_Disabled, t->ti_Data == 0);
            SetAttrs(GrupaGUI.DeleteButton, MUIA_Disabled, t->ti_Data == 0);
            break;
        case QMXA_GroupEd_GroupActive:
            SetAttrs(GrupaGUI.SortButton, MUIA_Disabled, t->ti_Data == 0);
            if (t->ti_Data)
                konfig.SortReverse = 0;
            break;
        case QMXA_GroupEd_Show: Show(self, reinterpret_cast<Object *>(t->ti_Data)); break;
        }
    }
    return DoSuperMethodA(cl, self, msg);
}

IPTR clGroupEd_QMXM_DoMethodObject(Object *self)
{
    SetAttrs(self, MUIA_ShowMe, FALSE);
    const std::pair<Object *, IPTR> buttons[] = {{GrupaGUI.GroupButton, EdTree_AddGroup},
                                                 {GrupaGUI.FilesButton, EdTree_AddFiles},
                                                 {GrupaGUI.DeleteButton, EdTree_Delete},
                                                 {GrupaGUI.SortButton, EdTree_Sort},
                                                 {GrupaGUI.DeselectButton, EdTree_Deselect}};
    for (auto [button, code] : buttons)
        DoMethod(button, MUIM_Notify, MUIA_Pressed, FALSE, QMXObject.BazaObj, 2, QMXM_Baza_EdTree, code);
    DoMethod(GrupaGUI.NameString, MUIM_Notify, MUIA_String_Acknowledge, MUIV_EveryTime, QMXObject.BazaObj, 2,
             QMXM_Baza_EdTree, EdTree_Rename);
    return 0;
}

IPTR clGroupEd_Dispatcher(IClass *cl, Object *obj, Msg msg)
{
    switch (msg->MethodID) {
    case OM_NEW: return clGroupEd_OM_NEW(cl, obj, msg);
    case OM_DISPOSE: ForgetObject(obj); return DoSuperMethodA(cl, obj, msg);
    case OM_SET: return clGroupEd_OM_SET(cl, obj, msg);
    case OM_GET:
        if (reinterpret_cast<opGet *>(msg)->opg_AttrID == QMXA_GroupEd_Name) {
            *reinterpret_cast<opGet *>(msg)->opg_Storage = xget(GrupaGUI.NameString, MUIA_String_Contents);
            return TRUE;
        }
        return DoSuperMethodA(cl, obj, msg);
    case QMXM_DoMethodObject: return clGroupEd_QMXM_DoMethodObject(obj);
    default: return DoSuperMethodA(cl, obj, msg);
    }
}
}

MUI_CustomClass *clGroupEd_Create(LONG flag)
{
    return ClassCreate(&clGroupEdClass, flag, MUIC_Group, 0, clGroupEd_Dispatcher);
}

BOOL ClassGroup(BOOL create) { return ClassSlot(CL_GroupEd, clGroupEd_Create, create); }

// The two pages documents are shown on: one text list for plain text; a list
// for the name and synopsis of an autodoc entry above a tab row with its
// contents and its example below.
#include "core/konfig.h"
#include "core/locale.h"
#include "platform/nlist/nlist.h"
#include "view.h"

namespace {
// A read-only text list that keeps its own copy of every line.
Object *TextListObject(LONG help)
{
    return MUI_NewObject(MUIC_NList, MUIA_CycleChain, TRUE, MUIA_ShortHelp, GetLoc(help), MUIA_Font,
                         MUIV_NList_Font_Fixed, MUIA_Frame, MUIV_Frame_ReadList, MUIA_NList_Input, FALSE,
                         MUIA_NList_AutoVisible, 1, MUIA_NList_DefaultObjectOnClick, 1, MUIA_NList_ConstructHook,
                         MUIV_NList_ConstructHook_String, MUIA_NList_DestructHook, MUIV_NList_DestructHook_String);
}

Object *Scrolled(Object *list) { return MUI_NewObject(MUIC_NListview, MUIA_NListview_NList, list); }
}

Object *View_FTXT()
{
    View.TextList = TextListObject(114);
    return MUI_NewObject(MUIC_Group, Child, Scrolled(View.TextList));
}

Object *View_ADOC()
{
    View.ExampleList = TextListObject(115);
    View.ContentsList = TextListObject(114);
    View.ADocLower = MUI_NewObject(MUIC_Group, MUIA_Group_PageMode, TRUE, Child, Scrolled(View.ContentsList), Child,
                                   Scrolled(View.ExampleList));
    View.ADocTabs = MUI_NewObject(MUIC_Register, MUIA_Register_Titles, DocLab, MUIA_ShowMe, FALSE, MUIA_CycleChain,
                                  TRUE, MUIA_Frame, MUIV_Frame_None, MUIA_VertWeight, 0, Child,
                                  MUI_NewObject(MUIC_Rectangle, MUIA_ShowMe, FALSE), Child,
                                  MUI_NewObject(MUIC_Rectangle, MUIA_ShowMe, FALSE));
    View.ADocGroup = MUI_NewObject(MUIC_Group, MUIA_VertWeight, konfig.ADocWeight, MUIA_Group_Spacing, 0, Child,
                                   View.ADocTabs, Child, View.ADocLower);
    View.HeadList = TextListObject(92);
    return MUI_NewObject(MUIC_Group, Child, Scrolled(View.HeadList), Child, MUI_NewObject(MUIC_Balance), Child,
                         View.ADocGroup);
}

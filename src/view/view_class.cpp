// The viewer's class: making it, its attributes and its dispatcher.
#include "view.h"

#include "core/classes.h"
#include "core/ids.h"
#include "core/konfig.h"
#include "core/locale.h"
#include "core/methods.h"
#include "core/objects.h"
#include "doctypes/adoc.h"
#include "doctypes/aguide.h"
#include "doctypes/ftxt.h"
#include "doctypes/hdoc.h"
#include "doctypes/xmldoc.h"
#include "platform/nlist/nlist.h"
#include "util/strings.h"
#include "wordlinks.h"

ViewPages View;
ViewHeader ViewGUI;

namespace {
MUI_CustomClass *clViewClass = nullptr;

Object *NewType(QMXClassSlot slot) { return QMXClass[slot] ? NewObject(QMXClass[slot]->mcc_Class, nullptr) : nullptr; }

// The document types this program has, each once; Types holds them outside
// the visible tree.
bool MakeTypes()
{
    Parser[PARSER_AGUIDE] = NewType(CL_AGuide);
    Parser[PARSER_XML] = NewType(CL_XmlDoc);
    Parser[PARSER_HDOC] = NewType(CL_HDoc);
    Parser[PARSER_ADOC] = NewType(CL_ADoc);
    Parser[PARSER_FTXT] = NewType(CL_FTxt);
    View.Types = MUI_NewObject(MUIC_Group);
    const ParserSlot order[] = {PARSER_FTXT, PARSER_ADOC, PARSER_HDOC, PARSER_XML, PARSER_AGUIDE};
    for (ParserSlot slot : order)
        if (Parser[slot])
            DoMethod(View.Types, OM_ADDMEMBER, Parser[slot]);
    return View.Types && Parser[PARSER_FTXT];
}

Object *PopButton(IPTR image, LONG help = -1)
{
    Object *button = MUI_MakeObject(MUIO_PopButton, image);
    if (button && help >= 0)
        SetAttrs(button, MUIA_ShortHelp, GetLoc(help));
    return button;
}

IPTR HistoryWindowHook(Hook *, APTR list, APTR window)
{
    SetAttrs(static_cast<Object *>(window), MUIA_Window_DefaultObject, list);
    return 0;
}
Hook HOOK_HistoryWindow = {HistoryWindowHook, nullptr};

Object *HeaderRow()
{
    // each of the three says what it does; the row's help stays for the rest
    ViewGUI.NextButton = PopButton(MUII_TapePlay, 125);
    ViewGUI.PopButton = PopButton(MUII_TapeRecord, 124);
    ViewGUI.PrevButton = PopButton(MUII_TapePlayBack, 123);
    ViewGUI.LoadButton = PopButton(MUII_PopFile);
    ViewGUI.HistoryList = MakeHistoryList();
    ViewGUI.NameText = MUI_NewObject(MUIC_Text, MUIA_Disabled, TRUE, MUIA_ShortHelp, GetLoc(93), MUIA_Text_SetMin,
                                     FALSE, MUIA_Frame, MUIV_Frame_Text, MUIA_Background, MUII_TextBack,
                                     MUIA_Text_PreParse, "\33c", MUIA_Text_Contents, GetLoc(36));
    Object *nameRow = MUI_NewObject(MUIC_Group, MUIA_Group_Horiz, TRUE, Child, ViewGUI.NameText, Child,
                                    ViewGUI.PrevButton);
    ViewGUI.HistoryPop = MUI_NewObject(MUIC_Popobject, MUIA_Popstring_String, nameRow, MUIA_Popstring_Button,
                                       ViewGUI.PopButton, MUIA_Popobject_Object,
                                       MUI_NewObject(MUIC_NListview, MUIA_NListview_NList, ViewGUI.HistoryList),
                                       MUIA_Popobject_WindowHook, &HOOK_HistoryWindow, Child, ViewGUI.NextButton);
    ViewGUI.HistoryGroup = MUI_NewObject(MUIC_Group, MUIA_Group_Horiz, TRUE, MUIA_ShortHelp, GetLoc(109),
                                         MUIA_Group_Spacing, 0, Child, ViewGUI.HistoryPop);
    Object *loadGroup = MUI_NewObject(MUIC_Group, MUIA_ShortHelp, GetLoc(110), Child, ViewGUI.LoadButton);
    Object *row = MUI_NewObject(MUIC_Group, MUIA_Group_Horiz, TRUE, MUIA_Group_Spacing, 0, Child, loadGroup, Child,
                                ViewGUI.HistoryGroup);
    return MUI_NewObject(MUIC_Group, Child, row);
}

IPTR clView_OM_NEW(IClass *cl, Object *obj, Msg msg)
{
    GetLocArray(DocLab);
    if (!MakeTypes()) {
        DisposeObject(View.Types);
        View = ViewPages{};
        return 0;
    }
    View.Pages = MUI_NewObject(MUIC_Group, MUIA_Group_PageMode, TRUE, Child, View_FTXT(), Child, View_ADOC());
    Object *self = DoSuperNew(cl, obj, reinterpret_cast<opSet *>(msg)->ops_AttrList, Child, HeaderRow(), Child,
                              View.Pages, MUIA_Family_Child, View.Types);
    if (!self) {
        DisposeObject(View.Types);
        View = ViewPages{};
        return 0;
    }
    ViewInit(static_cast<ViewData *>(INST_DATA(cl, self)), CLEAR_INIT);
    SetAttrs(ViewGUI.PrevButton, MUIA_Disabled, TRUE);
    SetAttrs(ViewGUI.PopButton, MUIA_Disabled, TRUE);
    SetAttrs(ViewGUI.NextButton, MUIA_Disabled, TRUE);
    return ToIPTR(self);
}

IPTR clView_OM_DISPOSE(IClass *cl, Object *self, Msg msg)
{
    ForgetObject(self);
    ViewInit(static_cast<ViewData *>(INST_DATA(cl, self)), CLEAR_FREE);
    DisposeObject(View.Types);
    View = ViewPages{};
    std::fill(std::begin(Parser), std::end(Parser), nullptr);
    return DoSuperMethodA(cl, self, msg);
}

void ShowEntry(ViewData *d, Doc *entry)
{
    if (!d->Doc || !entry)
        return;
    SetAttrs(ViewGUI.NameText, MUIA_Text_Contents, d->File.Name);
    ViewListQuiet(TRUE);
    DoMethod(d->Doc->DocType, QMXM_View_ParseFile, entry, d->File.Handle);
    ViewListQuiet(FALSE);
    MenuActive(MENU_FileSave, TRUE);
    MenuActive(MENU_FileClose, TRUE);
}

void ShowExample(LONG show)
{
    if (DoMethod(View.ADocGroup, MUIM_Group_InitChange)) {
        SetAttrs(View.ADocTabs, MUIA_ShowMe, show != 0);
        DoMethod(View.ADocGroup, MUIM_Group_ExitChange);
    }
}

void SelectPage(LONG page)
{
    if (page < 0 || page > 2)
        return;
    SetAttrs(View.Pages, MUIA_Group_ActivePage, page == 0 ? 0 : 1);
    if (page > 0)
        SetAttrs(View.ADocTabs, MUIA_Group_ActivePage, page - 1);
}

IPTR clView_OM_SET(IClass *cl, Object *self, Msg msg)
{
    ViewData *d = static_cast<ViewData *>(INST_DATA(cl, self));
    TagItem *walk = reinterpret_cast<opSet *>(msg)->ops_AttrList;
    while (TagItem *t = NextTagItem(&walk)) {
        switch (t->ti_Tag) {
        case QMXA_View_File: ViewOpenByName(self, d, reinterpret_cast<CONST_STRPTR>(t->ti_Data)); break;
        case QMXA_View_Baza: ViewOpenBaza(self, d, reinterpret_cast<Baza *>(t->ti_Data)); break;
        case QMXA_View_Entry: ShowEntry(d, reinterpret_cast<Doc *>(t->ti_Data)); break;
        case QMXA_View_Example: ShowExample(LONG(t->ti_Data)); break;
        case QMXA_View_Page: SelectPage(LONG(t->ti_Data)); break;
        case QMXA_View_History: ViewHistory(d, LONG(t->ti_Data)); break;
        }
    }
    return DoSuperMethodA(cl, self, msg);
}

IPTR clView_OM_GET(IClass *cl, Object *self, Msg msg)
{
    ViewData *d = static_cast<ViewData *>(INST_DATA(cl, self));
    auto *get = reinterpret_cast<opGet *>(msg);
    switch (get->opg_AttrID) {
    case QMXA_View_File:
        *get->opg_Storage = ToIPTR(d->File.Lock && d->File.Name ? d->File.Name : EmptySTR);
        return TRUE;
    case QMXA_View_Document: *get->opg_Storage = ToIPTR(d->Doc); return TRUE;
    case QMXA_View_FileInfo: *get->opg_Storage = ToIPTR(&d->File); return TRUE;
    case QMXA_View_SaveInfo: *get->opg_Storage = ToIPTR(&d->Save); return TRUE;
    default: return DoSuperMethodA(cl, self, msg);
    }
}

IPTR clView_QMXM_DoMethodObject(Object *self)
{
    DoMethod(ViewGUI.LoadButton, MUIM_Notify, MUIA_Pressed, FALSE, self, 1, QMXM_ViewOpenASL);
    DoMethod(ViewGUI.PrevButton, MUIM_Notify, MUIA_Pressed, FALSE, self, 3, MUIM_Set, QMXA_View_History, 1);
    DoMethod(ViewGUI.NextButton, MUIM_Notify, MUIA_Pressed, FALSE, self, 3, MUIM_Set, QMXA_View_History, 2);
    DoMethod(View.Types, QMXM_DoMethodObject);
    for (Object *list : {View.HeadList, View.ContentsList, View.ExampleList, View.TextList})
        DoMethod(list, MUIM_Notify, MUIA_NList_DoubleClick, MUIV_EveryTime, self, 2, QMXM_View_DoubleClick, list);
    DoMethod(ViewGUI.HistoryList, MUIM_Notify, MUIA_NList_DoubleClick, MUIV_EveryTime, self, 3, MUIM_Set,
             QMXA_View_History, 3);
    DoMethod(View.ADocTabs, MUIM_Notify, MUIA_Group_ActivePage, MUIV_EveryTime, View.ADocLower, 3, MUIM_Set,
             MUIA_Group_ActivePage, MUIV_TriggerValue);
    return 0;
}

IPTR clView_QMXM_ViewPageObject(QMXP_ViewPageObject *msg)
{
    switch (msg->Page) {
    case 0: return ToIPTR(&View.TextList);
    case 1: return ToIPTR(&View.ADocGroup);
    default: return 0;
    }
}

IPTR clView_QMXM_ViewClear()
{
    for (Object *list : {View.TextList, View.HeadList, View.ContentsList, View.ExampleList})
        DoMethod(list, MUIM_NList_Clear);
    return 0;
}

IPTR clView_QMXM_View_MakeIndex(QMXP_ViewMakeIndex *msg) { return IPTR(ViewFileIndex(msg->File, msg->Record)); }

IPTR clView_QMXM_View_SelectFind(ViewData *d, QMXP_View_SelectFind *msg)
{
    for (Object *list : {View.TextList, View.HeadList, View.ContentsList, View.ExampleList})
        DoMethod(list, MUIM_NList_Select, MUIV_NList_Select_Active, MUIV_NList_Select_Off, nullptr);
    if (d->Doc)
        DoMethod(d->Doc->DocType, QMXM_View_SelectFind, msg->Hit);
    return 0;
}

IPTR clView_Dispatcher(IClass *cl, Object *obj, Msg msg)
{
    ViewData *d = msg->MethodID == OM_NEW ? nullptr : static_cast<ViewData *>(INST_DATA(cl, obj));
    switch (msg->MethodID) {
    case OM_NEW: return clView_OM_NEW(cl, obj, msg);
    case OM_DISPOSE: return clView_OM_DISPOSE(cl, obj, msg);
    case OM_SET: return clView_OM_SET(cl, obj, msg);
    case OM_GET: return clView_OM_GET(cl, obj, msg);
    case QMXM_DoMethodObject: return clView_QMXM_DoMethodObject(obj);
    case QMXM_ViewOpenASL: return ViewOpenASL(d);
    case QMXM_ViewSaveASL: return ViewSaveASL(obj, d);
    case QMXM_ViewSave: return ViewSave(d);
    case QMXM_ViewClose: return ViewClose(obj, d, LONG(reinterpret_cast<QMXP_ViewClose *>(msg)->Mode));
    case QMXM_ViewClear: return clView_QMXM_ViewClear();
    case QMXM_ViewPageObject: return clView_QMXM_ViewPageObject(reinterpret_cast<QMXP_ViewPageObject *>(msg));
    case QMXM_View_MakeIndex: return clView_QMXM_View_MakeIndex(reinterpret_cast<QMXP_ViewMakeIndex *>(msg));
    case QMXM_View_SelectFind: return clView_QMXM_View_SelectFind(d, reinterpret_cast<QMXP_View_SelectFind *>(msg));
    case QMXM_View_DoubleClick: return ViewDoubleClick(reinterpret_cast<QMXP_View_DoubleClick *>(msg));
    default: return DoSuperMethodA(cl, obj, msg);
    }
}
}

MUI_CustomClass *clView_Create(LONG flag)
{
    return ClassCreate(&clViewClass, flag, MUIC_Group, sizeof(ViewData), clView_Dispatcher);
}

void ViewListQuiet(LONG on)
{
    for (Object *list : {View.TextList, View.HeadList, View.ContentsList, View.ExampleList})
        SetAttrs(list, MUIA_NList_Quiet, on);
}

// The viewer and the document types it asks, in the order they are made.
BOOL ClassView(BOOL create)
{
    BOOL (*const types[])(BOOL) = {ClassADoc, ClassHDoc, ClassXMLDoc, ClassAGuide, ClassFTxt};
    if (!create) {
        for (auto type : types)
            type(FALSE);
        QMXClass[CL_View] = clView_Create(FALSE);
        return TRUE;
    }
    QMXClass[CL_View] = clView_Create(TRUE);
    if (!QMXClass[CL_View])
        return FALSE;
    for (auto type : types)
        if (!type(TRUE))
            return FALSE;
    return TRUE;
}

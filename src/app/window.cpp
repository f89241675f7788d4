#include "window.h"
#include "arexx.h"
#include "version.h"

#include "base/baseheader.h"
#include "core/ids.h"
#include "core/konfig.h"
#include "core/locale.h"
#include "core/objects.h"
#include "logo.h"
#include "platform/dos/paths.h"
#include "platform/mui/requesters.h"

#include <vector>

namespace {
// Menu labels hold message ids until MakeGUI_Menu fetches their texts.
#define LABEL(id) reinterpret_cast<STRPTR>(IPTR(id))
#define UDATA(id) reinterpret_cast<APTR>(IPTR(id))

const NewMenu FullMenu[] = {
    {NM_TITLE, LABEL(66), nullptr, 0, 0, nullptr},
    {NM_ITEM, LABEL(67), nullptr, 0, 0, nullptr},
    {NM_SUB, LABEL(68), nullptr, 0, 0, UDATA(MENU_FileOpen)},
    {NM_SUB, LABEL(69), nullptr, NM_ITEMDISABLED, 0, UDATA(MENU_FileSave)},
    {NM_SUB, LABEL(70), nullptr, NM_ITEMDISABLED, 0, UDATA(MENU_FileClose)},
    {NM_ITEM, LABEL(71), nullptr, 0, 0, nullptr},
    {NM_SUB, LABEL(72), nullptr, 0, 0, UDATA(MENU_BaseOpen)},
    {NM_SUB, LABEL(108), nullptr, NM_ITEMDISABLED, 0, UDATA(MENU_BaseRefresh)},
    {NM_SUB, LABEL(73), nullptr, NM_ITEMDISABLED, 0, UDATA(MENU_BaseSave)},
    {NM_SUB, LABEL(74), nullptr, NM_ITEMDISABLED, 0, UDATA(MENU_BaseClose)},
    {NM_ITEM, NM_BARLABEL, nullptr, 0, 0, nullptr},
    {NM_ITEM, LABEL(79), nullptr, 0, 0, UDATA(MENU_About)},
    {NM_ITEM, NM_BARLABEL, nullptr, 0, 0, nullptr},
    {NM_ITEM, LABEL(75), nullptr, 0, 0, UDATA(MUIV_Application_ReturnID_Quit)},
    {NM_TITLE, LABEL(76), nullptr, 0, 0, nullptr},
    {NM_ITEM, LABEL(78), nullptr, 0, 0, UDATA(MENU_BaseStructure)},
    {NM_TITLE, LABEL(81), nullptr, 0, 0, nullptr},
    {NM_ITEM, LABEL(83), nullptr, 0, 0, UDATA(MENU_MuiSettings)},
    {NM_END, nullptr, nullptr, 0, 0, nullptr},
};

const NewMenu TinyMenu[] = {
    {NM_TITLE, LABEL(66), nullptr, 0, 0, nullptr},
    {NM_ITEM, LABEL(67), nullptr, 0, 0, nullptr},
    {NM_SUB, LABEL(68), nullptr, 0, 0, UDATA(MENU_FileOpen)},
    {NM_SUB, LABEL(69), nullptr, 0, 0, UDATA(MENU_FileSave)},
    {NM_ITEM, NM_BARLABEL, nullptr, 0, 0, nullptr},
    {NM_ITEM, LABEL(79), nullptr, 0, 0, UDATA(MENU_About)},
    {NM_ITEM, NM_BARLABEL, nullptr, 0, 0, nullptr},
    {NM_ITEM, LABEL(75), nullptr, 0, 0, UDATA(MUIV_Application_ReturnID_Quit)},
    {NM_TITLE, LABEL(81), nullptr, 0, 0, nullptr},
    {NM_ITEM, LABEL(83), nullptr, 0, 0, UDATA(MENU_MuiSettings)},
    {NM_END, nullptr, nullptr, 0, 0, nullptr},
};

struct MenuAction {
    IPTR id;
    Object **target;
    IPTR method;
    IPTR argument;
    int argCount;
};

IPTR AppMsgFunc(Hook *, APTR, APTR message)
{
    auto *msg = *static_cast<AppMessage **>(message);
    if (!msg || msg->am_NumArgs < 1)
        return 0;
    const WBArg &first = msg->am_ArgList[0];
    char full[8192];
    if (!NameFromLock(first.wa_Lock, full, sizeof full) || !AddPart(full, first.wa_Name, sizeof full))
        return 0;
    if (IsBaseHeader(full)) {
        DoMethod(QMXObject.BazaObj, QMXM_BazaReplace, full);
    } else {
        SetAttrs(QMXObject.ViewObj, QMXA_View_File, full);
        SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, -2);
    }
    return 0;
}

// The objects of the last run's state, and in the viewer-only window the
// base panel and group editor, which exist there without being shown.
Object *HiddenStateGroup()
{
    konfig.LastIndex = MUI_NewObject(MUIC_Numeric, MUIA_Numeric_Min, 0, MUIA_Numeric_Max, 0x7FFFFFFF, MUIA_ObjectID,
                                     OBJID_LastIndex);
    konfig.LastEntry = MUI_NewObject(MUIC_Numeric, MUIA_Numeric_Min, 0, MUIA_Numeric_Max, 0x7FFFFFFF, MUIA_ObjectID,
                                     OBJID_LastEntry);
    konfig.LastBase = MUI_NewObject(MUIC_String, MUIA_ObjectID, OBJID_LastBase, MUIA_String_MaxLen, 8192);
    Object *group = MUI_NewObject(MUIC_Group, MUIA_ShowMe, FALSE, Child, konfig.LastIndex, Child, konfig.LastEntry,
                                  Child, konfig.LastBase);
    if (!konfig.FullGUI)
        for (Object *panel : {QMXObject.GroupEdObj, QMXObject.BazaObj})
            if (panel)
                DoMethod(group, OM_ADDMEMBER, panel);
    return group;
}

// The left column: the base panel and group editor (full window only) above
// the index panel. Panels this program does not have yet are left out.
Object *LeftColumn()
{
    std::vector<IPTR> tags;
    if (konfig.FullGUI && QMXObject.BazaObj) {
        QMXObject.BazaGroup = MUI_NewObject(MUIC_Group, MUIA_VertWeight, konfig.BazaWeight, Child, QMXObject.BazaObj,
                                            Child, QMXObject.GroupEdObj);
        tags.insert(tags.end(), {Child, ToIPTR(QMXObject.BazaGroup), Child, ToIPTR(MakeBalance(OBJID_BalanceLeft))});
    }
    tags.insert(tags.end(), {Child, ToIPTR(QMXObject.IndexObj), TAG_DONE});
    return MUI_NewObjectA(MUIC_Group, reinterpret_cast<TagItem *>(tags.data()));
}

Object *NewPanel(QMXClassSlot slot) { return QMXClass[slot] ? NewObject(QMXClass[slot]->mcc_Class, nullptr) : nullptr; }

Object *MainWindow()
{
    QMXObject.GroupEdObj = NewPanel(CL_GroupEd);
    QMXObject.BazaObj = NewPanel(CL_Baza);
    Object *hidden = HiddenStateGroup();
    QMXObject.FindObj = NewPanel(CL_Find);
    QMXObject.ViewObj = NewPanel(CL_View);
    std::vector<IPTR> right = {Child, ToIPTR(QMXObject.ViewObj)};
    if (QMXClass[CL_Find])
        right.insert(right.end(), {Child, ToIPTR(QMXObject.FindObj)});
    right.push_back(TAG_DONE);
    Object *rightColumn = MUI_NewObjectA(MUIC_Group, reinterpret_cast<TagItem *>(right.data()));
    Object *mainBalance = MakeBalance(OBJID_BalanceMain);
    QMXObject.IndexObj = NewPanel(CL_Index);
    Object *left = MUI_NewObject(MUIC_Group, MUIA_Group_Horiz, TRUE, MUIA_HorizWeight, konfig.LeftWeight, Child,
                                 LeftColumn());
    Object *row = MUI_NewObject(MUIC_Group, MUIA_Group_Horiz, TRUE, Child, left, Child, mainBalance, Child,
                                rightColumn);
    Object *root = MUI_NewObject(MUIC_Group, Child, row, Child, hidden);
    QMXObject.MenuStrip = MakeGUI_Menu();
    return MUI_NewObject(MUIC_Window, MUIA_Window_Title, "Vellumscanner " VS_VERSION, MUIA_Window_ID,
                         MAKE_ID('M', 'A', 'I', 'N'), MUIA_Window_AppWindow, TRUE, MUIA_Window_Menustrip,
                         QMXObject.MenuStrip, WindowContents, root);
}

void Notify(Object *source, IPTR attr, IPTR trigger, Object *dest, std::initializer_list<IPTR> message)
{
    std::vector<IPTR> cells = {MUIM_Notify, attr, trigger, ToIPTR(dest), IPTR(message.size())};
    cells.insert(cells.end(), message);
    DoMethodA(source, reinterpret_cast<Msg>(cells.data()));
}
}

Object *WinAboutApp = nullptr;
BOOL UseCommandPort = TRUE;
Object *WinAboutOK = nullptr;
Hook HOOK_AppMsgFunc = {AppMsgFunc, nullptr};

Object *MakeBalance(ULONG objectId)
{
    if (Object *better = MUI_NewObject("BetterBalance.mcc", MUIA_ObjectID, objectId))
        return better;
    return MUI_NewObject(MUIC_Balance);
}

Object *MakeGUI_Menu()
{
    const NewMenu *table = konfig.FullGUI ? FullMenu : TinyMenu;
    std::vector<NewMenu> menu;
    for (const NewMenu *nm = table;; ++nm) {
        menu.push_back(*nm);
        if (nm->nm_Type == NM_END)
            break;
        if (nm->nm_Label != NM_BARLABEL)
            menu.back().nm_Label = const_cast<STRPTR>(GetLoc(LONG(reinterpret_cast<IPTR>(nm->nm_Label))));
    }
    return MUI_MakeObject(MUIO_MenustripNM, menu.data(), MUIO_MenustripNM_CommandKeyCheck);
}

Object *BuildApp()
{
    // the windows' icon is the logo with its soft edges, taken before the
    // about window blends the logo into its background
    std::vector<ULONG> icon(LogoData(), LogoData() + 4 + LogoWidth * LogoHeight);
    WinAboutApp = MakeGUI_AboutApp();
    Object *win = MainWindow();
    QMXObject.Win = win;
    QMXObject.App = MUI_NewObject(MUIC_Application, MUIA_Application_Title, "Vellumscanner", MUIA_Application_Version,
                                  "$VER: Vellumscanner " VS_VERSION " (" VS_DATE ")", MUIA_Application_Description,
                                  GetLoc(119), MUIA_Application_Base, "Vellumscanner", MUIA_Application_IconData,
                                  icon.data(), MUIA_Application_Author, "The Vellumscanner developers",
                                  MUIA_Application_Copyright, "(c) 2010-2026 The Vellumscanner authors",
                                  MUIA_Application_Commands, ARexxCommands, MUIA_Application_InfoHook, &HOOK_ARexxInfo,
                                  MUIA_Application_UseRexx, UseCommandPort, SubWindow, win, SubWindow, WinAboutApp);
    if (!QMXObject.App) {
        QMXObject = QMXObjects{};
        WinAboutApp = WinAboutOK = nullptr;
    }
    return QMXObject.App;
}

void DoMenu()
{
    Object *app = QMXObject.App;
    const MenuAction actions[] = {
        {MENU_FileOpen, &QMXObject.ViewObj, QMXM_ViewOpenASL, 0, 1},
        {MENU_FileSave, &QMXObject.ViewObj, QMXM_ViewSaveASL, 0, 1},
        {MENU_FileClose, &QMXObject.ViewObj, QMXM_ViewClose, 0, 2},
        {MENU_BaseOpen, &QMXObject.BazaObj, QMXM_BazaOpenASL, 0, 1},
        {MENU_BaseRefresh, &QMXObject.BazaObj, QMXM_BazaRefresh, 0, 1},
        {MENU_BaseSave, &QMXObject.BazaObj, QMXM_BazaSaveASL, 0, 1},
        {MENU_BaseClose, &QMXObject.BazaObj, QMXM_BazaClose, 0, 1},
        {MENU_MuiSettings, &QMXObject.App, MUIM_Application_OpenConfigWindow, 0, 2},
    };
    for (const MenuAction &a : actions) {
        if (a.argCount == 1)
            Notify(app, MUIA_Application_MenuAction, a.id, *a.target, {a.method});
        else
            Notify(app, MUIA_Application_MenuAction, a.id, *a.target, {a.method, a.argument});
    }
    if (Object *structure = reinterpret_cast<Object *>(
            DoMethod(QMXObject.MenuStrip, MUIM_FindUData, MENU_BaseStructure))) {
        SetAttrs(structure, MUIA_Menuitem_Checkit, TRUE, MUIA_Menuitem_Toggle, TRUE);
        Notify(app, MUIA_Application_MenuAction, MENU_BaseStructure, QMXObject.GroupEdObj,
               {MUIM_Set, QMXA_GroupEd_Show, ToIPTR(structure)});
    }
    Notify(app, MUIA_Application_MenuAction, MENU_About, WinAboutApp, {MUIM_Set, MUIA_Window_Open, TRUE});
    Notify(WinAboutApp, MUIA_Window_CloseRequest, TRUE, WinAboutApp, {MUIM_Set, MUIA_Window_Open, FALSE});
    if (WinAboutOK)
        Notify(WinAboutOK, MUIA_Pressed, FALSE, WinAboutApp, {MUIM_Set, MUIA_Window_Open, FALSE});
}

void MakeQMXMethod()
{
    Object *app = QMXObject.App;
    Notify(QMXObject.Win, MUIA_Window_CloseRequest, TRUE, app,
           {MUIM_Application_ReturnID, MUIV_Application_ReturnID_Quit});
    Notify(app, MUIA_Application_MenuAction, MUIV_EveryTime, app, {MUIM_Application_CheckRefresh});
    Notify(QMXObject.Win, MUIA_AppMessage, MUIV_EveryTime, app,
           {MUIM_CallHook, ToIPTR(&HOOK_AppMsgFunc), MUIV_TriggerValue});
    SetAttrs(app, MUIA_Application_DropObject, QMXObject.Win);
    DoMenu();
    DoMethod(QMXObject.BazaObj, QMXM_DoMethodObject);
    if (konfig.FullGUI)
        DoMethod(QMXObject.GroupEdObj, QMXM_DoMethodObject);
    DoMethod(QMXObject.ViewObj, QMXM_DoMethodObject);
    DoMethod(QMXObject.IndexObj, QMXM_DoMethodObject);
    DoMethod(QMXObject.FindObj, QMXM_DoMethodObject);
}

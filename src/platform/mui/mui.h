// The GUI toolkit: the built-in classes (Notify, Area, Group, Text, String,
// Cycle, Numeric, Register, Balance, Popstring/Popobject, Rectangle, Image,
// Window, Application, menus), their attribute and method ids, custom classes,
// and the requesters. Objects keep their whole state here; a renderer, when one
// is installed, mirrors it on screen and turns a person's actions into the same
// attribute sets a program would make.
#pragma once
#include "../intuition/classes.h"

// ---- class names
#define MUIC_Notify "Notify.mui"
#define MUIC_Family "Family.mui"
#define MUIC_Menustrip "Menustrip.mui"
#define MUIC_Menu "Menu.mui"
#define MUIC_Menuitem "Menuitem.mui"
#define MUIC_Application "Application.mui"
#define MUIC_Window "Window.mui"
#define MUIC_Area "Area.mui"
#define MUIC_Rectangle "Rectangle.mui"
#define MUIC_Image "Image.mui"
#define MUIC_Text "Text.mui"
#define MUIC_String "String.mui"
#define MUIC_Cycle "Cycle.mui"
#define MUIC_Numeric "Numeric.mui"
#define MUIC_Group "Group.mui"
#define MUIC_Register "Register.mui"
#define MUIC_Balance "Balance.mui"
#define MUIC_Popstring "Popstring.mui"
#define MUIC_Popobject "Popobject.mui"

// ---- Notify
constexpr IPTR MUIM_Notify = 0x80420001;
constexpr IPTR MUIM_Set = 0x80420003;
constexpr IPTR MUIM_NoNotifySet = 0x80420004;
constexpr IPTR MUIM_CallHook = 0x80420005;
constexpr IPTR MUIM_FindUData = 0x80420006;
constexpr IPTR MUIM_Export = 0x80420007;
constexpr IPTR MUIM_Import = 0x80420008;
struct MUIP_Set {   // also MUIM_NoNotifySet
    IPTR MethodID;
    IPTR Attr;
    IPTR Val;
};
struct MUIP_CallHook {
    IPTR MethodID;
    struct Hook *Hook;
    IPTR Param1;   // the hook's message: this cell and those after it
};
struct MUIP_FindUData {
    IPTR MethodID;
    IPTR udata;
};
constexpr IPTR MUIA_ApplicationObject = 0x80420010;
constexpr IPTR MUIA_WindowObject = 0x80420011;
constexpr IPTR MUIA_Parent = 0x80420012;
constexpr IPTR MUIA_UserData = 0x80420013;
constexpr IPTR MUIA_ObjectID = 0x80420014;
constexpr IPTR MUIA_NoNotify = 0x80420015;

constexpr IPTR MUIV_EveryTime = 0x49893131;
constexpr IPTR MUIV_TriggerValue = 0x49893131;
constexpr IPTR MUIV_NotTriggerValue = 0x49893133;
constexpr IPTR MUIV_Notify_Self = 1;
constexpr IPTR MUIV_Notify_Window = 2;
constexpr IPTR MUIV_Notify_Application = 3;

// ---- Family (menus)
constexpr IPTR MUIA_Family_Child = 0x80420020;
constexpr IPTR MUIA_Menu_Title = 0x80420021;
constexpr IPTR MUIA_Menuitem_Title = 0x80420022;
constexpr IPTR MUIA_Menuitem_Shortcut = 0x80420023;
constexpr IPTR MUIA_Menuitem_Enabled = 0x80420024;
constexpr IPTR MUIA_Menuitem_Checkit = 0x80420025;
constexpr IPTR MUIA_Menuitem_Checked = 0x80420026;
constexpr IPTR MUIA_Menuitem_Toggle = 0x80420027;
constexpr IPTR MUIA_Menuitem_Trigger = 0x80420028;   // set by the renderer when a person picks the item
#define NM_BARLABEL (reinterpret_cast<STRPTR>(-1))

// ---- Area
constexpr IPTR MUIM_Setup = 0x80420030;
constexpr IPTR MUIM_Cleanup = 0x80420031;
constexpr IPTR MUIM_AskMinMax = 0x80420032;
constexpr IPTR MUIM_Draw = 0x80420033;
constexpr IPTR MUIA_Disabled = 0x80420040;
constexpr IPTR MUIA_ShowMe = 0x80420041;
constexpr IPTR MUIA_ShortHelp = 0x80420042;
constexpr IPTR MUIA_Frame = 0x80420043;
constexpr IPTR MUIA_Background = 0x80420044;
constexpr IPTR MUIA_CycleChain = 0x80420045;
constexpr IPTR MUIA_Weight = 0x80420046;
constexpr IPTR MUIA_HorizWeight = 0x80420047;
constexpr IPTR MUIA_VertWeight = 0x80420048;
constexpr IPTR MUIA_Pressed = 0x80420049;
constexpr IPTR MUIA_Selected = 0x8042004a;
constexpr IPTR MUIA_InputMode = 0x8042004b;
constexpr IPTR MUIA_Font = 0x8042004c;
constexpr IPTR MUIA_FrameTitle = 0x8042004d;

constexpr IPTR MUIV_Frame_None = 0, MUIV_Frame_Button = 1, MUIV_Frame_ImageButton = 2, MUIV_Frame_Text = 3,
               MUIV_Frame_String = 4, MUIV_Frame_ReadList = 5, MUIV_Frame_InputList = 6, MUIV_Frame_Group = 9,
               MUIV_Frame_PopUp = 10;
constexpr IPTR MUIV_InputMode_None = 0, MUIV_InputMode_RelVerify = 1, MUIV_InputMode_Toggle = 3;
constexpr IPTR MUIV_Font_Normal = IPTR(-1), MUIV_Font_Fixed = IPTR(-5);

// Image specifications of the built-in images and backgrounds.
constexpr IPTR MUII_TextBack = 9, MUII_PopUp = 20, MUII_PopFile = 21, MUII_PopDrawer = 22, MUII_TapePlay = 24,
               MUII_TapePlayBack = 25, MUII_TapeRecord = 28, MUII_TapeStop = 29;
constexpr IPTR MUIA_Image_Spec = 0x80420050;
constexpr IPTR MUIA_Image_FreeVert = 0x80420051;

struct MUIP_AskMinMax {
    IPTR MethodID;
    struct MUI_MinMax *MinMaxInfo;
};
struct MUI_MinMax {
    WORD MinWidth, MinHeight, MaxWidth, MaxHeight, DefWidth, DefHeight;
};
constexpr WORD MUI_MAXMAX = 10000;
struct RastPort;
struct MUIP_Draw {
    IPTR MethodID;
    RastPort *rp;   // where to draw: the object's area starts at 0, 0
    IPTR flags;
};

// ---- Group
constexpr IPTR MUIM_Group_InitChange = 0x80420060;
constexpr IPTR MUIM_Group_ExitChange = 0x80420061;
constexpr IPTR MUIA_Group_Child = 0x80420062;
constexpr IPTR MUIA_Group_Horiz = 0x80420063;
constexpr IPTR MUIA_Group_PageMode = 0x80420064;
constexpr IPTR MUIA_Group_ActivePage = 0x80420065;
constexpr IPTR MUIA_Group_Spacing = 0x80420066;
constexpr IPTR MUIA_Group_ChildCount = 0x80420067;   // get
constexpr IPTR MUIV_Group_ActivePage_First = 0, MUIV_Group_ActivePage_Last = IPTR(-1),
               MUIV_Group_ActivePage_Prev = IPTR(-2), MUIV_Group_ActivePage_Next = IPTR(-3);
#define Child MUIA_Group_Child
// The n-th child of a group, or null.
Object *GroupChild(Object *group, ULONG n);

// ---- Text, String, Cycle, Numeric, Register
constexpr IPTR MUIA_Text_Contents = 0x80420070;
constexpr IPTR MUIA_Text_PreParse = 0x80420071;
constexpr IPTR MUIA_Text_SetMin = 0x80420072;
constexpr IPTR MUIA_String_Contents = 0x80420080;
constexpr IPTR MUIA_String_Acknowledge = 0x80420081;
constexpr IPTR MUIA_String_MaxLen = 0x80420082;
constexpr IPTR MUIA_Cycle_Entries = 0x80420090;
constexpr IPTR MUIA_Cycle_Active = 0x80420091;
constexpr IPTR MUIA_Numeric_Value = 0x804200a0;
constexpr IPTR MUIA_Numeric_Min = 0x804200a1;
constexpr IPTR MUIA_Numeric_Max = 0x804200a2;
constexpr IPTR MUIA_Register_Titles = 0x804200b0;

// ---- Popstring and Popobject
constexpr IPTR MUIM_Popstring_Open = 0x804200c0;
constexpr IPTR MUIM_Popstring_Close = 0x804200c1;
constexpr IPTR MUIA_Popstring_String = 0x804200c2;
constexpr IPTR MUIA_Popstring_Button = 0x804200c3;
constexpr IPTR MUIA_Popstring_IsOpen = 0x804200c4;   // get: the pop-up is shown
constexpr IPTR MUIA_Popobject_Object = 0x804200c5;
constexpr IPTR MUIA_Popobject_WindowHook = 0x804200c6;

// ---- Window
constexpr IPTR MUIA_Window_Title = 0x804200d0;
constexpr IPTR MUIA_Window_ID = 0x804200d1;
constexpr IPTR MUIA_Window_RootObject = 0x804200d2;
constexpr IPTR MUIA_Window_Menustrip = 0x804200d3;
constexpr IPTR MUIA_Window_Open = 0x804200d4;
constexpr IPTR MUIA_Window_CloseRequest = 0x804200d5;
constexpr IPTR MUIA_Window_AppWindow = 0x804200d6;
constexpr IPTR MUIA_Window_DefaultObject = 0x804200d7;
constexpr IPTR MUIA_Window_Window = 0x804200d9;   // get: non-null while the window is open
constexpr IPTR MUIA_Window_LeftEdge = 0x804200da;
constexpr IPTR MUIA_Window_TopEdge = 0x804200db;
constexpr IPTR MUIA_Window_Width = 0x804200dc;
constexpr IPTR MUIA_Window_Height = 0x804200dd;
// notify only: a key the window was given, as its name ("esc" for Escape)
constexpr IPTR MUIA_Window_InputEvent = 0x804200df;
constexpr IPTR MUIA_AppMessage = 0x804200de;   // set by the renderer when files are dropped
#define WindowContents MUIA_Window_RootObject
constexpr ULONG MAKE_ID(char a, char b, char c, char d)
{
    return ULONG(UBYTE(a)) << 24 | ULONG(UBYTE(b)) << 16 | ULONG(UBYTE(c)) << 8 | ULONG(UBYTE(d));
}

// ---- Application
constexpr IPTR MUIM_Application_NewInput = 0x804200e0;
constexpr IPTR MUIM_Application_ReturnID = 0x804200e1;
constexpr IPTR MUIM_Application_PushMethod = 0x804200e2;
constexpr IPTR MUIM_Application_Load = 0x804200e3;
constexpr IPTR MUIM_Application_Save = 0x804200e4;
constexpr IPTR MUIM_Application_CheckRefresh = 0x804200e5;
constexpr IPTR MUIM_Application_OpenConfigWindow = 0x804200e6;
constexpr IPTR MUIA_Application_Title = 0x804200f0;
constexpr IPTR MUIA_Application_Version = 0x804200f1;
constexpr IPTR MUIA_Application_Description = 0x804200f2;
constexpr IPTR MUIA_Application_Base = 0x804200f3;
constexpr IPTR MUIA_Application_DiskObject = 0x804200f4;
constexpr IPTR MUIA_Application_Commands = 0x804200f5;
constexpr IPTR MUIA_Application_UsedClasses = 0x804200f6;
constexpr IPTR MUIA_Application_Window = 0x804200f7;
constexpr IPTR MUIA_Application_MenuAction = 0x804200f8;
constexpr IPTR MUIA_Application_DropObject = 0x804200f9;
constexpr IPTR MUIA_Application_Sleep = 0x804200fa;
// The program's icon for its windows: a block of 32-bit words (width,
// height, depth, 0, then ARGB pixels), copied when set.
constexpr IPTR MUIA_Application_IconData = 0x804200fb;
constexpr IPTR MUIA_Application_UseRexx = 0x804200fc;      // FALSE: no command port (default TRUE)
constexpr IPTR MUIA_Application_RexxString = 0x804200fd;   // a command's result text, set by its hook
constexpr IPTR MUIA_Application_Author = 0x804200fe;
constexpr IPTR MUIA_Application_Copyright = 0x804200ff;
constexpr IPTR MUIA_Application_Iconified = 0x80420100;   // the windows hidden (minimised) or shown
// This platform's own: a hook the port's INFO asks first, with the
// application and the item's name; the text it returns answers the item,
// null leaves the item to the toolkit (a program's BASE is its document
// base, not the port's name).
constexpr IPTR MUIA_Application_InfoHook = 0x80420f01;
// Get: the last quit was asked with QUIT FORCE on the port, which quits
// without any question.
constexpr IPTR MUIA_Application_ForceQuit = 0x80420101;

// One command of the application's command port (MUIA_Application_Commands,
// an array closed by an entry with a null name). The hook is called with the
// application and an array of one cell per template item, as ReadArgs fills
// it; its return value is the command's return code, and a text it sets as
// MUIA_Application_RexxString the result.
struct Hook;
struct MUI_Command {
    CONST_STRPTR mc_Name;
    CONST_STRPTR mc_Template;
    LONG mc_Parameters;
    Hook *mc_Hook;
    LONG mc_Reserved[5];
};
#define SubWindow MUIA_Application_Window
constexpr IPTR MUIV_Application_ReturnID_Quit = IPTR(-1);
constexpr IPTR MUIV_Application_Save_ENV = 0;
constexpr IPTR MUIV_Application_Save_ENVARC = IPTR(-1);
constexpr IPTR MUIV_Application_Load_ENV = 0;
constexpr IPTR MUIV_Application_Load_ENVARC = IPTR(-1);
constexpr int MUIV_PushMethod_MaxArgs = 7;
// The icon block set with MUIA_Application_IconData, or null (for renderers).
const ULONG *ApplicationIconData(Object *app);
struct MUIP_Application_NewInput {
    IPTR MethodID;
    ULONG *signal;   // may be null
};
struct MUIP_Application_ReturnID {
    IPTR MethodID;
    IPTR retid;
};
struct MUIP_Application_PushMethod {
    IPTR MethodID;
    Object *dest;
    IPTR count;   // the cells that follow: the method and its arguments
    IPTR method[1];
};
struct MUIP_Application_Save {   // also MUIM_Application_Load
    IPTR MethodID;
    IPTR name;   // MUIV_Application_Save_ENV or _ENVARC
};

// ---- creating objects and classes
struct MUI_CustomClass {
    IClass *mcc_Class;
    IClass *mcc_Super;
};
MUI_CustomClass *MUI_CreateCustomClass(APTR base, CONST_STRPTR superName, MUI_CustomClass *superMcc, ULONG dataSize,
                                       Dispatcher dispatcher);
BOOL MUI_DeleteCustomClass(MUI_CustomClass *mcc);
Object *MUI_NewObjectA(CONST_STRPTR className, TagItem *tags);
template <class... A> Object *MUI_NewObject(CONST_STRPTR className, A... tags)
{
    return WithTags([&](TagItem *t) { return MUI_NewObjectA(className, t); }, tags...);
}
void MUI_DisposeObject(Object *obj);

// Ready-made objects: a pop-up button with an image, a menu strip from a
// NewMenu table.
constexpr IPTR MUIO_Button = 2;   // a button with a label (a text an embedding list draws as a button)
constexpr IPTR MUIO_PopButton = 8;
constexpr IPTR MUIO_MenustripNM = 12;
constexpr IPTR MUIO_MenustripNM_CommandKeyCheck = 1;   // labels "X\0label" carry their shortcut key
Object *MUI_MakeObjectA(IPTR type, const IPTR *params);
template <class... A> Object *MUI_MakeObject(IPTR type, A... params)
{
    IPTR cells[] = {ToIPTR(params)..., 0};
    return MUI_MakeObjectA(type, cells);
}

struct NewMenu {
    UBYTE nm_Type;
    STRPTR nm_Label;
    STRPTR nm_CommKey;
    UWORD nm_Flags;
    LONG nm_MutualExclude;
    APTR nm_UserData;
};
constexpr UBYTE NM_END = 0, NM_TITLE = 1, NM_ITEM = 2, NM_SUB = 3;
constexpr UWORD CHECKIT = 0x0001, MENUTOGGLE = 0x0008, CHECKED = 0x0100, NM_ITEMDISABLED = 0x0010,
                NM_MENUDISABLED = 0x0010;

// Makes the built-in classes; called once before the first object is made.
void InitMuiClasses();

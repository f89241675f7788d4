// NList: a list of text lines with text codes, in a fixed-width font. Elements
// are either copies of the inserted strings or whatever the caller's construct
// hook makes of an insert. Positions are display lines: an element inserted
// with word wrap spans several lines, each showing a piece of its text.
#pragma once
#include "../mui/mui.h"
#include "textcodes.h"

#define MUIC_NList "NList.mcc"
#define MUIC_NListview "NListview.mcc"

constexpr IPTR MUIA_NList_ConstructHook = 0x9d510001;
constexpr IPTR MUIA_NList_DestructHook = 0x9d510002;
constexpr IPTR MUIA_NList_DisplayHook = 0x9d510003;
constexpr IPTR MUIA_NList_Pool = 0x9d510004;
constexpr IPTR MUIA_NList_Input = 0x9d510005;
constexpr IPTR MUIA_NList_Quiet = 0x9d510006;
constexpr IPTR MUIA_NList_Active = 0x9d510007;
constexpr IPTR MUIA_NList_Entries = 0x9d510008;   // get: display lines
constexpr IPTR MUIA_NList_First = 0x9d510009;     // first visible line
constexpr IPTR MUIA_NList_Visible = 0x9d51000a;   // lines the view shows, set by the renderer
constexpr IPTR MUIA_NList_DoubleClick = 0x9d51000b;
constexpr IPTR MUIA_NList_ButtonClick = 0x9d51000c;
constexpr IPTR MUIA_NList_Columns = 0x9d51000d;       // the view's width in columns, set by the renderer
constexpr IPTR MUIA_NList_ClickLine = 0x9d51000e;     // where a person clicked: display line
constexpr IPTR MUIA_NList_ClickColumn = 0x9d51000f;   // and column on screen
constexpr IPTR MUIA_NList_DefaultObjectOnClick = 0x9d510030;
constexpr IPTR MUIA_NList_AutoVisible = 0x9d51006a;   // the active line is always brought into view
constexpr IPTR MUIA_NListview_NList = 0x9d510020;
// The lines are UTF-8 text (else Latin-1). Set before lines go in: wrapping
// counts characters. A line that is not well-formed UTF-8 is Latin-1 anyway.
constexpr IPTR MUIA_NList_UTF8 = 0x9d5100f0;

constexpr IPTR MUIM_NList_InsertSingle = 0x9d510101;
constexpr IPTR MUIM_NList_InsertSingleWrap = 0x9d510102;
constexpr IPTR MUIM_NList_Clear = 0x9d510103;
constexpr IPTR MUIM_NList_GetEntry = 0x9d510104;
constexpr IPTR MUIM_NList_GetEntryInfo = 0x9d510105;
constexpr IPTR MUIM_NList_Select = 0x9d510106;
constexpr IPTR MUIM_NList_TestPos = 0x9d510107;
constexpr IPTR MUIM_NList_Jump = 0x9d510108;
constexpr IPTR MUIM_NList_UseImage = 0x9d510109;
constexpr IPTR MUIM_NList_Remove = 0x9d51010a;
// Reads lines into a list that keeps copies, from a hook called as
// (hook, buffer, size) that fills the buffer and returns the bytes it put
// there (0 at the end). Each line ends at a newline (which is not kept, nor
// a CR right before it: text written on other systems) or
// after maxLine - 1 bytes, exactly where reading the text with FGets and a
// maxLine-byte buffer would cut it. Returns the lines added.
constexpr IPTR MUIM_NList_ReadLines = 0x9d51010b;

constexpr IPTR MUIV_NList_ConstructHook_String = IPTR(-1);
constexpr IPTR MUIV_NList_DestructHook_String = IPTR(-1);
constexpr IPTR MUIV_NList_Font_Fixed = MUIV_Font_Fixed;
constexpr LONG MUIV_NList_Insert_Top = 0, MUIV_NList_Insert_Active = -1, MUIV_NList_Insert_Sorted = -2,
               MUIV_NList_Insert_Bottom = -3;
constexpr LONG MUIV_NList_Active_Off = -1, MUIV_NList_Active_Top = -2, MUIV_NList_Active_Bottom = -3,
               MUIV_NList_Active_Up = -4, MUIV_NList_Active_Down = -5;
constexpr LONG MUIV_NList_GetEntry_Active = -1;
constexpr LONG MUIV_NList_GetEntryInfo_Line = -2;
constexpr LONG MUIV_NList_Select_Active = -1;
constexpr LONG MUIV_NList_Select_Off = 0, MUIV_NList_Select_On = 1, MUIV_NList_Select_Toggle = 2,
               MUIV_NList_Select_Ask = 3;
constexpr LONG MUIV_NList_Jump_Top = -2, MUIV_NList_Jump_Active = -1;
constexpr LONG MUIV_NList_Remove_Active = -1;
constexpr LONG WRAPCOL0 = 1;
constexpr LONG ALIGN_LEFT = 0;

struct MUI_NList_GetEntryInfo {
    LONG pos;         // element number, -1 the active one, or -2: look up by line
    LONG line;        // the display line (in with pos -2, out otherwise)
    LONG entry_pos;   // out: element number
    APTR entry;       // out: the element
    LONG wrapcol;     // out: non-zero when the element is wrapped
    LONG charpos;     // out: first character the line shows
    LONG charlen;     // out: characters the line shows
};

struct MUI_NList_TestPos_Result {
    LONG entry;   // display line, -1 for none
    WORD column;
    WORD char_number;   // character index in the line's text, codes included; -1 for none
};

// Method messages. Every argument fills a whole IPTR cell, as DoMethod
// passes it, so numbers are declared SIPTR and narrowed where they are read.
struct MUIP_NList_InsertSingle {
    IPTR MethodID;
    APTR entry;
    SIPTR pos;
};
struct MUIP_NList_GetEntry {
    IPTR MethodID;
    SIPTR pos;
    APTR *entry;   // may be null
};
struct MUIP_NList_GetEntryInfo {
    IPTR MethodID;
    MUI_NList_GetEntryInfo *res;
};
struct MUIP_NList_Select {
    IPTR MethodID;
    SIPTR pos;
    SIPTR seltype;
    LONG *state;   // may be null
};
struct MUIP_NList_TestPos {
    IPTR MethodID;
    SIPTR x;
    SIPTR y;
    MUI_NList_TestPos_Result *res;
};
struct MUIP_NList_Jump {
    IPTR MethodID;
    SIPTR pos;
};
struct MUIP_NList_UseImage {
    IPTR MethodID;
    Object *obj;   // null forgets the image
    SIPTR imgnum;
    IPTR flags;
};
struct MUIP_NList_Remove {
    IPTR MethodID;
    SIPTR pos;
};
struct MUIP_NList_ReadLines {
    IPTR MethodID;
    Hook *reader;
    IPTR maxLine;
};

// Hooks are called as (hook, pool, entry) to construct, (hook, pool, element)
// to destruct and (hook, array of column texts, element) to display.

// ---- read access for renderers
LONG NListLineCount(Object *list);
// The text of a display line and the piece of it the line shows.
const char *NListLineText(Object *list, LONG line, size_t *pos, size_t *len);
bool NListIsSelected(Object *list, LONG line);
// What a line tells when pointed at: the display hook's second column, as
// with the tree; null when it gives none.
const char *NListLineHelp(Object *list, LONG line);
// The columns the longest display line takes (codes take none), for the
// width a renderer scrolls over.
LONG NListWidestLine(Object *list);
// Whether a line's text is to be read as UTF-8 (the list's encoding, and
// the line well-formed in it).
bool NListLineIsUTF8(Object *list, const char *text);
LONG NListColumns(Object *list);
// The label of an embedded button registered with UseImage.
std::string NListButtonLabel(Object *list, LONG number);
bool NListQuiet(Object *list);
// The memory the list holds for its lines: copies, line table and pieces.
size_t NListBytesHeld(Object *list);

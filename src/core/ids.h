// The program's own method and attribute ids. Each class numbers its own:
// the same number means different things in different classes, and callers
// send an id only to objects of the class that defines it.
#pragma once
#include "platform/exec/types.h"

constexpr IPTR QMXM_DoMethodObject = 0x80000010;

// base panel
constexpr IPTR QMXM_BazaOpenASL = 0x80000200;
constexpr IPTR QMXM_BazaOpen = 0x80000201;
constexpr IPTR QMXM_BazaSaveASL = 0x80000202;
constexpr IPTR QMXM_BazaSave = 0x80000203;
constexpr IPTR QMXM_BazaClose = 0x80000204;
constexpr IPTR QMXM_BazaUpdate = 0x80000205;
constexpr IPTR QMXM_BazaGetEntry = 0x80000206;
constexpr IPTR QMXM_BazaFindKey = 0x80000207;
constexpr IPTR QMXM_BazaFindLink = 0x80000208;
constexpr IPTR QMXM_Baza_EdTree = 0x80000209;
constexpr IPTR QMXM_BazaRefresh = 0x8000020A;    // the rescan of the menu: goes on while the window answers
constexpr IPTR QMXM_Baza_JobStep = 0x8000020B;   // from the scanning threads: files are scanned (QMXP_Baza_JobStep)
constexpr IPTR QMXM_BazaMayDrop = 0x8000020C;    // TRUE when the base may go: saved, discarded or unchanged
constexpr IPTR QMXM_BazaLookUp = 0x8000020D;     // a word looked up afresh, as the port asks (QMXP_BazaLookUp)
constexpr IPTR QMXM_BazaReplace = 0x8000020E;    // another base in place of the open one (QMXP_BazaReplace)
constexpr IPTR QMXA_Baza_File = 0x80000100;
constexpr IPTR QMXA_Baza_FileName = 0x80000101;
constexpr IPTR QMXA_Baza_ActiveNr = 0x80000102;
constexpr IPTR QMXA_Baza_ActiveNode = 0x80000103;
constexpr IPTR QMXA_Baza_ShowActive = 0x80000104;
constexpr IPTR QMXA_Baza_FindKey = 0x80000105;
constexpr IPTR QMXA_Baza_Progress = 0x80000106;     // notify only: a BazaProgressRecord, null at the end
constexpr IPTR QMXA_Baza_Stop = 0x80000107;         // set: ends the adding or rescanning that goes on
constexpr IPTR QMXA_Baza_Running = 0x80000108;      // get: whether adding or rescanning goes on
constexpr IPTR QMXA_Baza_FollowView = 0x80000109;   // set: the viewer opened a document by its name

// group editor
constexpr IPTR QMXA_GroupEd_Name = 0x80000100;
constexpr IPTR QMXA_GroupEd_EntryActive = 0x80000101;
constexpr IPTR QMXA_GroupEd_GroupActive = 0x80000102;
constexpr IPTR QMXA_GroupEd_Show = 0x80000103;

// viewer
constexpr IPTR QMXM_ViewOpenASL = 0x80000200;
constexpr IPTR QMXM_ViewSaveASL = 0x80000201;
constexpr IPTR QMXM_ViewSave = 0x80000202;
constexpr IPTR QMXM_ViewClose = 0x80000203;
constexpr IPTR QMXM_ViewClear = 0x80000204;
constexpr IPTR QMXM_ViewPageObject = 0x80000205;
constexpr IPTR QMXA_View_File = 0x80000100;
constexpr IPTR QMXA_View_Document = 0x80000101;
constexpr IPTR QMXA_View_Baza = 0x80000102;
constexpr IPTR QMXA_View_Entry = 0x80000103;
constexpr IPTR QMXA_View_Example = 0x80000104;
constexpr IPTR QMXA_View_FileInfo = 0x80000105;
constexpr IPTR QMXA_View_SaveInfo = 0x80000106;
constexpr IPTR QMXA_View_Page = 0x80000107;
constexpr IPTR QMXA_View_History = 0x80000108;

// index panel
constexpr IPTR QMXM_IndexGetEntry = 0x80000201;
constexpr IPTR QMXM_IndexSelectName = 0x80000202;   // the first entry of a name (QMXP_IndexSelectName)
constexpr IPTR QMXM_IndexShowEntry = 0x80000203;    // an entry selected and scrolled into view (QMXP_IndexShowEntry)
constexpr IPTR QMXM_IndexFindName = 0x80000204;     // the number of an entry of a name (QMXP_IndexFindName)
constexpr IPTR QMXA_Index_Doc = 0x80000100;
constexpr IPTR QMXA_Index_Active = 0x80000101;
constexpr IPTR QMXA_Index_FindName = 0x80000102;
constexpr IPTR QMXA_Index_Shown = 0x80000103;

// search panel
constexpr IPTR QMXA_Find_BaseReady = 0x80000100;
constexpr IPTR QMXA_Find_Reset = 0x80000101;
constexpr IPTR QMXA_Find_Go = 0x80000102;
constexpr IPTR QMXA_Find_Text = 0x80000103;
constexpr IPTR QMXA_Find_Stop = 0x80000104;       // any value: the running search is cancelled
constexpr IPTR QMXA_Find_Running = 0x80000105;    // get: whether a search is running
constexpr IPTR QMXA_Find_Current = 0x80000106;    // get: the hit shown (a Find record), or null
constexpr IPTR QMXM_Find_Progress = 0x80000200;   // from the worker: documents searched so far
constexpr IPTR QMXM_Find_Done = 0x80000201;       // from the worker: the search ended

// the document-type protocol
constexpr IPTR QMXM_View_CheckFType = 0x80000500;   // answers the type's code when it reads the file, else 0
constexpr IPTR QMXM_View_MakeIndex = 0x80000501;
constexpr IPTR QMXM_View_ParseFile = 0x80000502;
constexpr IPTR QMXM_View_SelectFind = 0x80000503;
constexpr IPTR QMXM_View_SaveFile = 0x80000504;
constexpr IPTR QMXM_View_CloseFile = 0x80000505;
constexpr IPTR QMXM_View_DoubleClick = 0x80000506;
constexpr IPTR QMXM_View_MainEntry = 0x80000507;   // the index line a document opens on (0 unless a type says)

// AmigaGuide documents
constexpr IPTR QMXA_AGuide_Link = 0x80000100;   // set: the number of the link button clicked

// the logo image
constexpr IPTR QMXA_Image_Data = 0x80000100;
constexpr IPTR QMXA_Image_Background = 0x80000101;

// menu item ids
constexpr IPTR MENU_FileOpen = 0x80000000;
constexpr IPTR MENU_FileSave = 0x80000001;
constexpr IPTR MENU_FileClose = 0x80000002;
constexpr IPTR MENU_BaseOpen = 0x80000003;
constexpr IPTR MENU_BaseRefresh = 0x80000004;
constexpr IPTR MENU_BaseSave = 0x80000005;
constexpr IPTR MENU_BaseClose = 0x80000006;
constexpr IPTR MENU_BaseStructure = 0x80000008;
constexpr IPTR MENU_About = 0x80000009;
constexpr IPTR MENU_MuiSettings = 0x8000000C;

// object ids of what is kept between runs
constexpr ULONG OBJID_BalanceLeft = 0x80001001;
constexpr ULONG OBJID_BalanceMain = 0x80001002;
constexpr ULONG OBJID_LastBase = 0x80001003;
constexpr ULONG OBJID_LastEntry = 0x80001004;
constexpr ULONG OBJID_LastIndex = 0x80001005;

// four-character type codes, first character in the highest byte
constexpr ULONG TypeCode(const char (&c)[5])
{
    return ULONG(UBYTE(c[0])) << 24 | ULONG(UBYTE(c[1])) << 16 | ULONG(UBYTE(c[2])) << 8 | ULONG(UBYTE(c[3]));
}
constexpr ULONG TYPE_ADOC = TypeCode("ADOC");
constexpr ULONG TYPE_HDOC = TypeCode("HDOC");
constexpr ULONG TYPE_FXML = TypeCode("FXML");
constexpr ULONG TYPE_AGID = TypeCode("AGID");
constexpr ULONG TYPE_FTXT = TypeCode("FTXT");

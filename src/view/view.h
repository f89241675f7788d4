// The viewer: shows one document at a time on one of two pages, asks the
// document types in a fixed order which of them reads a file, keeps the file
// open while it is shown, and keeps the history of shown entries.
#pragma once
#include "base/records.h"
#include "platform/mui/mui.h"
#include "util/fileinfo.h"

// The widgets of the two pages; a document type keeps the address of the
// field its page starts at (TextList, or ADocGroup and the fields after it).
struct ViewPages {
    Object *Pages;
    Object *Types;
    Object *TextList;
    Object *ADocGroup;
    Object *ADocTabs;
    Object *ADocLower;
    Object *HeadList;
    Object *ContentsList;
    Object *ExampleList;
};
extern ViewPages View;

struct ViewHeader {
    Object *HistoryGroup;
    Object *LoadButton;
    Object *NameText;
    Object *PrevButton;
    Object *PopButton;
    Object *HistoryPop;
    Object *HistoryList;
    Object *NextButton;
};
extern ViewHeader ViewGUI;

struct ViewData {
    FileOpen File;   // the document shown, with its lock and open handle
    FileOpen Save;   // the target of a save in progress
    Baza *Doc;       // the document shown, or null
    APTR Current;    // the history element opened last
};

constexpr const char *TempFile = "T:QMX.doc";

MUI_CustomClass *clView_Create(LONG flag);
// Makes or deletes the viewer's class and those of the document types.
BOOL ClassView(BOOL create);

// Functions of the viewer, shared by its files.
void ViewInit(ViewData *data, ULONG mode);
// The first type that reads the file, its code in *code; null when none does.
Object *CheckFileType(FileOpen *file, ULONG *code);
LONG ViewFileIndex(FileOpen *file, Baza *baza);
LONG OpenFileAction(ViewData *data);
void ViewListQuiet(LONG on);
Object *View_FTXT();
Object *View_ADOC();
void ViewOpenByName(Object *self, ViewData *data, CONST_STRPTR name);
void ViewOpenBaza(Object *self, ViewData *data, Baza *baza);
IPTR ViewClose(Object *self, ViewData *data, LONG mode);
IPTR ViewOpenASL(ViewData *data);
IPTR ViewSaveASL(Object *self, ViewData *data);
IPTR ViewSave(ViewData *data);

// The history of shown entries.
Object *MakeHistoryList();
void AddFile2List(ViewData *data);
void FileListButtons(ViewData *data);
void OpenFileNode(ViewData *data, APTR element);
void ViewHistory(ViewData *data, LONG action);

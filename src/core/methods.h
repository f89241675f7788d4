// Message records of the program's own methods: the method id first, then
// the arguments in the order DoMethod passes them. Every argument fills a
// whole IPTR cell, so numbers are declared SIPTR and narrowed where read.
// A method without arguments has no record; its message is the bare id.
#pragma once
#include "platform/exec/types.h"

struct Baza;
struct Doc;
struct Find;
struct FileOpen;
struct FileHandle;
struct Object;

// base panel
struct QMXP_BazaGetEntry {
    IPTR MethodID;
    SIPTR Number;   // node number, -1 for the active node
};
struct QMXP_BazaFindLink {
    IPTR MethodID;
    CONST_STRPTR Word;   // not terminated where the word ends
    SIPTR Length;
};
struct QMXP_BazaLookUp {
    IPTR MethodID;
    CONST_STRPTR Word;
};
struct QMXP_BazaReplace {
    IPTR MethodID;
    CONST_STRPTR File;
};
struct QMXP_Baza_EdTree {
    IPTR MethodID;
    IPTR Code;   // one of the group editor's operations
};

// viewer
struct QMXP_ViewClose {
    IPTR MethodID;
    SIPTR Mode;   // 0 always, 1 before another opens, 2 only a base document
};
struct QMXP_View_DoubleClick {
    IPTR MethodID;
    Object *List;   // the text list double-clicked
};
struct QMXP_ViewPageObject {
    IPTR MethodID;
    IPTR Page;   // 0 the plain-text page, 1 the autodoc page
};
// The viewer's own QMXM_View_MakeIndex: it finds the type before the type
// builds the entries, so it takes the file by name rather than a handle.
struct QMXP_ViewMakeIndex {
    IPTR MethodID;
    FileOpen *File;
    Baza *Record;
};

// index panel
struct QMXP_IndexGetEntry {
    IPTR MethodID;
    SIPTR Number;   // entry number, -1 for the selected one
};
// Selects the first entry of the document shown whose name is the word (case
// ignored); answers FALSE when none is.
struct QMXP_IndexSelectName {
    IPTR MethodID;
    CONST_STRPTR Word;   // need not end in a NUL: a word picked out of a line
    SIPTR Length;
};
struct QMXP_IndexShowEntry {
    IPTR MethodID;
    SIPTR Number;   // entry number of the document shown
};
// Answers IndexFindName's number for the name, selecting nothing.
struct QMXP_IndexFindName {
    IPTR MethodID;
    CONST_STRPTR Name;
};

// search panel: the worker's reports (QMXM_Find_Progress, QMXM_Find_Done)
struct QMXP_Baza_JobStep {
    IPTR MethodID;
    IPTR Serial;   // of the job whose files were scanned; a step of an ended one is dropped
};

struct QMXP_Find_Report {
    IPTR MethodID;
    IPTR Serial;   // of the search that reports; a report of an earlier one is old news
};

// the document-type protocol
struct QMXP_View_CheckFType {
    IPTR MethodID;
    FileOpen *File;   // its Handle is open
};
struct QMXP_View_MakeIndex {
    IPTR MethodID;
    Baza *Record;
    FileHandle *Handle;
};
struct QMXP_View_ParseFile {
    IPTR MethodID;
    Doc *Entry;
    FileHandle *Handle;
};
struct QMXP_View_SelectFind {   // also the viewer's
    IPTR MethodID;
    Find *Hit;
};
struct QMXP_View_SaveFile {
    IPTR MethodID;
    Baza *Record;
    FileHandle *Handle;   // the document
    FileHandle *Output;
};

// DoMethod lays its arguments out as IPTR cells: a record of another shape
// would read its fields from the wrong cells.
static_assert(sizeof(QMXP_BazaFindLink) == 3 * sizeof(IPTR) && sizeof(QMXP_ViewMakeIndex) == 3 * sizeof(IPTR) &&
              sizeof(QMXP_View_ParseFile) == 3 * sizeof(IPTR) && sizeof(QMXP_View_SaveFile) == 4 * sizeof(IPTR));

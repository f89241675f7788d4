// Autodocs: the table of contents at the head, then one entry per function
// under a heading line "library/function", divided into sections. The type
// cuts the file into entries and shows one at a time: the name and synopsis
// above, the other sections below, the example under its own tab.
#pragma once
#include "base/records.h"
#include "platform/dos/files.h"
#include "platform/mui/mui.h"
#include <string_view>

MUI_CustomClass *clADoc_Create(LONG flag);
BOOL ClassADoc(BOOL create);

// The type's test of a file's first bytes; any thread may ask it.
bool IsADoc(FileHandle *fh);

// The display index of the entry shown: one byte for every line of the
// entry, its section kind, so a search hit on any line finds its row. It
// grows with 1024 spare bytes whenever a larger one is asked for.
struct DisplayIndex {
    UBYTE *Kinds;
    LONG Size;
};
// Returns the size it has now.
LONG DisplayIndexAlloc(DisplayIndex *index, LONG n);
void DisplayIndexFree(DisplayIndex *index);

// The type's instance data.
struct ADocData {
    Object **Page;        // the viewer's ADocGroup field and the fields after it
    DisplayIndex Index;   // of the entry shown last
};

// Section kinds, as FuncTest gives them and as the display index stores them.
enum SectionKind : UBYTE {
    KIND_NONE = 0,
    KIND_CONTENTS_TABLE = 1,
    KIND_PLAIN = 2,
    KIND_SYNOPSIS = 3,
    KIND_EXAMPLE = 4,
    KIND_SEE_ALSO = 5,
    KIND_OTHER = 9,
};

// The kind of the section heading that text (length bytes) starts with.
UBYTE FuncTest(const char *text, size_t length);
// The function name within a heading line (NUL-terminated, cut in place), or
// null when the line is no heading. reference is the document's library name
// (or its first heading line while the name is not known).
char *FuncTestDir(char *line, const char *reference);
// The same where readable bytes from line on may be read (at least its
// terminator): the test then reads 16 at a time.
char *FuncTestDir(char *line, size_t readable, std::string_view reference);
// The entry scan: appends the document's entries to baza and sets its Library.
void ADocScan(Baza *baza, FileHandle *fh);
// Shows an entry on the autodoc page (d->Page: ADocGroup and the fields after it).
void ParseADoc(ADocData *d, FileHandle *fh, Doc *entry);
// Brings a search hit into view and selects it.
void ADocSelectFind(ADocData *d, Find *hit);

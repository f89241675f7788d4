// Autodocs: the table of contents at the head, then one entry per function
// under a heading line "library/function", divided into sections. The type
// cuts the file into entries and shows one at a time: the name and synopsis
// above, the other sections below, the example under its own tab.
#pragma once
#include <string_view>
#include "base/records.h"
#include "platform/dos/files.h"
#include "platform/mui/mui.h"

MUI_CustomClass *clADoc_Create(LONG flag);
BOOL ClassADoc(BOOL create);

// The type's test of a file's first bytes; any thread may ask it.
bool IsADoc(FileHandle *fh);

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
// Shows an entry on the autodoc page (pages: ADocGroup and the fields after it).
void ParseADoc(Object **page, FileHandle *fh, Doc *entry);
// Brings a search hit into view and selects it.
void ADocSelectFind(Object **page, Find *hit);

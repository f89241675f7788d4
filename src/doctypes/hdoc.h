// C headers: known by the name ending in ".h" alone. The index lists the
// whole file and every line that opens a named structure; the file is shown
// whole and each entry scrolls to its line.
#pragma once
#include "base/records.h"
#include "platform/dos/files.h"
#include "platform/mui/mui.h"

#include <string_view>

MUI_CustomClass *clHDoc_Create(LONG flag);
BOOL ClassHDoc(BOOL create);

// A file name that ends in ".h" or ".H" after at least one character.
bool IsHeaderName(CONST_STRPTR name);
// The structure a line (length bytes, its newline included) opens, or an
// empty name when it opens none.
std::string_view StructOpened(const char *line, size_t length);
// The entry scan: the whole-file entry, then one entry per structure.
void HDocScan(Baza *baza, FileHandle *fh);

// Plain text: the document type of last resort. A file whose first 200 bytes
// look like text opens as one whole-file entry, shown line by line unchanged.
#pragma once
#include "platform/dos/files.h"
#include "platform/mui/mui.h"

MUI_CustomClass *clFTxt_Create(LONG flag);
BOOL ClassFTxt(BOOL create);

// The text test on the first bytes of a file: tabs, newlines, form feeds and
// the bytes 32 to 128 and 160 to 255 only; nothing read is not text.
bool LooksLikeText(const UBYTE *head, LONG length);
// The same test on a file's first 200 bytes; any thread may ask it.
bool IsText(FileHandle *fh);

// Tool types: a program's settings as lines "NAME" or "NAME=value", kept in a
// small text file "<program>.info" beside it, read once at a desktop start.
#pragma once
#include "../exec/types.h"

struct DiskObject {
    STRPTR *do_ToolTypes;   // null-terminated
};

// Null when the file is missing or unreadable.
DiskObject *GetDiskObjectNew(CONST_STRPTR name);
void FreeDiskObject(DiskObject *obj);
// The value of a tool type ("" for a bare name), or null when it is not set.
// Names compare without regard to case.
STRPTR FindToolType(STRPTR *toolTypes, CONST_STRPTR name);

// Parses the text of a tool types file (exposed for tests and the fuzzer).
DiskObject *ParseToolTypes(const char *text, size_t size);

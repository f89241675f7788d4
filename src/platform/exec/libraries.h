// Libraries by name. Every service the program opens is part of this platform,
// so opening succeeds for each known name; a name can be withdrawn to see how
// a program copes with a missing library.
#pragma once
#include "types.h"

struct Library {
    const char *lib_Name;
    UWORD lib_Version;
    UWORD lib_OpenCnt;
};

Library *OpenLibrary(CONST_STRPTR name, ULONG version);
void CloseLibrary(Library *lib);
void SetLibraryAvailable(CONST_STRPTR name, bool available);

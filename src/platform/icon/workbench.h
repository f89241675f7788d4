// What the desktop hands a program: the files it was started with, or files
// dropped on its window, each as a directory lock and a name.
#pragma once
#include "../dos/locks.h"

struct WBArg {
    FileLock *wa_Lock;
    STRPTR wa_Name;
};

// The start message of a desktop start: the program itself, then the project files.
struct WBStartup {
    LONG sm_NumArgs;
    WBArg *sm_ArgList;
};

// Files dropped on a window.
struct AppMessage {
    LONG am_NumArgs;
    WBArg *am_ArgList;
};

// Builds a start message (or drop message) from host paths; each WBArg gets a
// lock on the file's directory and the file's name. FreeWBArgs releases them.
WBArg *MakeWBArgs(const char *const *paths, LONG count);
void FreeWBArgs(WBArg *args, LONG count);

// The program's entry: arguments, libraries, catalog and pool, the classes,
// the application and its window, the main loop, and the teardown in reverse.
#pragma once
#include "platform/icon/workbench.h"
#include "platform/mui/mui.h"

// The shell template: a banner in front of the first keyword, so "?" shows it.
extern const char ArgTemplate[];

enum ArgSlot { ARG_FILE_NAME, ARG_FUNC_NAME, ARG_COUNT };

// Null on success, else the text of the failure.
CONST_STRPTR OpenMyLibs();
void CloseMyLibs();
// Fills the settings record: defaults, then the start mode (shell arguments,
// or the desktop's start message and the program's tool types when argc is 0).
void KonfigInit(CONST_STRPTR fileName, int argc, char **argv, const WBStartup *wbStart);
// TRUE creates every class (stopping at the first failure, then FALSE);
// FALSE deletes them all and returns TRUE.
BOOL MakeQMXClass(BOOL create);
void KonfigArgs(IPTR *args);
void MainLoop();

// argc 0 is a desktop start with its start message; otherwise argv is the shell's.
int QMXMain(int argc, char **argv, const WBStartup *wbStart);

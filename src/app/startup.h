// The program's entry: arguments, libraries, catalog and pool, the classes,
// the application and its window, the main loop, and the teardown in reverse.
#pragma once
#include "platform/icon/workbench.h"
#include "platform/mui/mui.h"

struct QMXObjects {
    Object *App;
    Object *Win;
    Object *BazaObj;
    Object *GroupEdObj;
    Object *BazaGroup;
    Object *IndexObj;
    Object *ViewObj;
    Object *FindObj;
    Object *MenuStrip;
};
extern QMXObjects QMXObject;

// The custom classes, in their fixed slots.
enum QMXClassSlot {
    CL_GroupEd, CL_Find, CL_Image, CL_Baza, CL_BazaTree, CL_Index, CL_View,
    CL_ADoc, CL_FTxt, CL_HDoc, CL_XmlDoc, CL_Empty, CL_AGuide, CL_Count
};
extern MUI_CustomClass *QMXClass[CL_Count];

// The shell template: a banner in front of the first keyword, so "?" shows it.
extern const char ArgTemplate[];

enum ArgSlot { ARG_FILE_NAME, ARG_FUNC_NAME, ARG_COUNT };

// A panel going away takes itself out of QMXObject, so that panels going
// after it do not reach it.
void ForgetObject(Object *obj);

// Null on success, else the text of the failure.
CONST_STRPTR OpenMyLibs();
void CloseMyLibs();
void KonfigArgs(IPTR *args);
void MainLoop();

// argc 0 is a desktop start with its start message; otherwise argv is the shell's.
int QMXMain(int argc, char **argv, const WBStartup *wbStart);

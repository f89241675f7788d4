// The main window: its two layouts, the menus, the hidden objects that keep
// the last run's state, the about window and dropped files.
#pragma once
#include "platform/mui/mui.h"

Object *BuildApp();
void MakeQMXMethod();
Object *MakeGUI_Menu();
void DoMenu();
Object *MakeBalance(ULONG objectId);
Object *MakeGUI_AboutApp();

extern Object *WinAboutApp;
// Whether the application opens its command port: the window program does;
// vsdoc and the tests' headless programs do not, unless asked.
extern BOOL UseCommandPort;
extern Object *WinAboutOK;
extern Hook HOOK_AppMsgFunc;

// The main window: its two layouts, the menus, the hidden objects that keep
// the last run's state, the about window, dropped files and the refresh hook
// of the file requesters.
#pragma once
#include "platform/mui/mui.h"

Object *BuildApp();
void MakeQMXMethod();
Object *MakeGUI_Menu();
void DoMenu();
// Enables or disables the menu item with that id; nothing when there is none.
void MenuActive(IPTR id, BOOL enabled);
Object *MakeBalance(ULONG objectId);
Object *MakeGUI_AboutApp();

extern Object *WinAboutApp;
// Whether the application opens its command port: the window program does;
// vsdoc and the tests' headless programs do not, unless asked.
extern BOOL UseCommandPort;
extern Object *WinAboutOK;
extern Hook HOOK_AppMsgFunc;
extern Hook HOOK_RefreshASL;

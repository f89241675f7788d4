// The commands other programs send to the command port: open and close a
// base or a document, look a word up, search a text. They call the same
// operations as the menus and the panels, so a command behaves as the
// person's own action, except that it never waits for a person: each
// answers 0 when it did what it was asked, else 20 and why (the text the
// window shows in a line of its own instead of a requester).
#pragma once
#include "platform/mui/mui.h"

extern MUI_Command ARexxCommands[];
extern Hook HOOK_ARexxInfo;   // answers INFO BASE with the base file

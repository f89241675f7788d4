// The commands other programs send to the command port: open and close a
// base or a document, look a word up, search a text. They call the same
// operations as the menus and the panels, so a command behaves exactly as
// the person's own action; failures show as those operations' requesters.
#pragma once
#include "platform/mui/mui.h"

extern MUI_Command ARexxCommands[];

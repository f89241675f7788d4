// What the panels' requesters share: the notice that a file is no document,
// and the hook that keeps the windows drawn under a file requester.
#pragma once
#include "platform/mui/mui.h"

// Tells the user the file could not be opened or read as a document.
void ViewCannotOpen(CONST_STRPTR name);
// ASLFR_IntuiMsgFunc of the file requesters, whose ASLFR_UserData is the
// application: it redraws the windows the requester uncovers.
extern Hook HOOK_RefreshASL;

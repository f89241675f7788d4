// The screen flash that tells a person an action is not carried out. The
// renderer shows it; without one it is only counted.
#pragma once
#include "../exec/types.h"

void DisplayBeep(APTR screen);   // the screen is ignored: every window flashes
void SetBeepHandler(void (*handler)());
ULONG DisplayBeepCount();

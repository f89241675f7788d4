#include "beep.h"

namespace {
void (*beepHandler)() = nullptr;
ULONG beeps = 0;
}

void DisplayBeep(APTR)
{
    ++beeps;
    if (beepHandler)
        beepHandler();
}

void SetBeepHandler(void (*handler)()) { beepHandler = handler; }

ULONG DisplayBeepCount() { return beeps; }

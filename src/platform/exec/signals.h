// Signals of the program's one task. Ctrl-C (SIGINT from the host) arrives as
// SIGBREAKF_CTRL_C; the application's input arrives as its own signal bit. Wait
// sleeps until one of the asked-for signals is pending, letting the installed
// event source (the renderer's event loop, when there is one) run meanwhile.
#pragma once
#include "types.h"

constexpr ULONG SIGBREAKF_CTRL_C = 1u << 12;
constexpr ULONG SIGF_INPUT = 1u << 16;   // the application's input signal

// What Wait runs while it sleeps. The renderer installs one that processes its
// window events; without one Wait sleeps on the wake-up descriptor alone.
struct EventSource {
    virtual ~EventSource() = default;
    // Process pending events, sleeping until at least one arrives or wakeFd
    // becomes readable. Returns true when events were processed.
    virtual bool WaitForEvents(int wakeFd) = 0;
};

void SetEventSource(EventSource *source);

// Routes SIGINT to SIGBREAKF_CTRL_C. Safe to call more than once.
void InstallBreakHandler();

ULONG Wait(ULONG mask);
// Sets the bits of mask to those of newSignals; returns the old signals.
ULONG SetSignal(ULONG newSignals, ULONG mask);
// Raises signals for the task and wakes a sleeping Wait.
void Signal(ULONG raised);

// The cores a process may run on, and keeping a thread on one of them.
// A scheduler may put a new thread on the core of the thread that made it and
// spread them only at its next balancing, milliseconds later; virtual
// machines that pack their work onto few cores do. Threads that split a
// short piece of work between them each take a core of their own for it, so
// that every core works from the start.
#pragma once
#include <sched.h>

// How many cores this process may use (a user may give it fewer than the
// machine has), asked once.
unsigned Cores();

// The core the calling thread runs on now; -1 when the system cannot tell.
int CurrentCore();

// While it lives, keeps the calling thread on one of the process's cores:
// the place-th counted from core from (0: from itself), round the cores the
// process may use. The thread's cores are given back at the end. Binds
// nothing where the process has one core or the system cannot tell.
class CoreBinding {
public:
    CoreBinding(unsigned place, int from);
    ~CoreBinding();
    CoreBinding(const CoreBinding &) = delete;
    CoreBinding &operator=(const CoreBinding &) = delete;

private:
    cpu_set_t was_;
    bool bound_ = false;
};

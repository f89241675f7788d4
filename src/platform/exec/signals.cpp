#include "signals.h"

#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {
std::atomic<ULONG> pendingSignals{0};
EventSource *eventSource = nullptr;
int wakePipe[2] = {-1, -1};

void EnsurePipe()
{
    if (wakePipe[0] >= 0)
        return;
    if (pipe(wakePipe) != 0)
        return;
    for (int fd : wakePipe) {
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
        fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
}

void Wake()
{
    if (wakePipe[1] >= 0) {
        char c = 1;
        [[maybe_unused]] ssize_t n = write(wakePipe[1], &c, 1);
    }
}

void DrainPipe()
{
    char buf[64];
    while (wakePipe[0] >= 0 && read(wakePipe[0], buf, sizeof buf) > 0) {
    }
}

extern "C" void OnSigint(int)
{
    pendingSignals.fetch_or(SIGBREAKF_CTRL_C);
    Wake();
}
}

void SetEventSource(EventSource *source) { eventSource = source; }

void InstallBreakHandler()
{
    EnsurePipe();
    struct sigaction sa = {};
    sa.sa_handler = OnSigint;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, nullptr);
}

void Signal(ULONG raised)
{
    pendingSignals.fetch_or(raised);
    Wake();
}

ULONG SetSignal(ULONG newSignals, ULONG mask)
{
    ULONG old = pendingSignals.load();
    ULONG want;
    do {
        want = (old & ~mask) | (newSignals & mask);
    } while (!pendingSignals.compare_exchange_weak(old, want));
    return old;
}

ULONG Wait(ULONG mask)
{
    EnsurePipe();
    for (;;) {
        ULONG got = pendingSignals.fetch_and(~mask) & mask;
        if (got)
            return got;
        if (eventSource) {
            if (eventSource->WaitForEvents(wakePipe[0]))
                pendingSignals.fetch_or(SIGF_INPUT);
        } else {
            pollfd pfd = {wakePipe[0], POLLIN, 0};
            poll(&pfd, 1, -1);
        }
        DrainPipe();
    }
}

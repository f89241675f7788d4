// The window's input loop under load, as the benchmarks run it: events come
// every 5 ms from another thread (as a window's would), each carrying the
// time it was sent, and the loop notes how long the oldest waited.
#pragma once
#include "core/objects.h"
#include "platform/exec/signals.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

// Runs the loop while busy() holds; the longest wait of an event, in ms.
inline double LongestEventWait(const std::function<bool()> &busy)
{
    using Clock = std::chrono::steady_clock;
    std::atomic<bool> stop{false};
    std::atomic<int64_t> waitingSince{0};   // the oldest event not yet handled
    std::thread events([&] {
        while (!stop) {
            int64_t none = 0;
            waitingSince.compare_exchange_strong(none, Clock::now().time_since_epoch().count());
            Signal(SIGF_INPUT);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    });
    double worst = 0;
    while (busy()) {
        Wait(SIGF_INPUT);
        DoMethod(QMXObject.App, MUIM_Application_NewInput, nullptr);
        if (int64_t since = waitingSince.exchange(0))
            worst = std::max(worst, double(Clock::now().time_since_epoch().count() - since) / 1e6);
    }
    stop = true;
    events.join();
    return worst;
}

#include "cores.h"

#include <algorithm>
#include <thread>
#include <vector>

namespace {
// The cores the process may run on, in the system's order.
const std::vector<int> &AllowedCores()
{
    static const std::vector<int> cores = [] {
        std::vector<int> list;
        cpu_set_t set;
        if (sched_getaffinity(0, sizeof set, &set) == 0)
            for (int c = 0; c < CPU_SETSIZE; ++c)
                if (CPU_ISSET(c, &set))
                    list.push_back(c);
        return list;
    }();
    return cores;
}
}

unsigned Cores()
{
    size_t allowed = AllowedCores().size();
    return allowed ? unsigned(allowed) : std::max(1u, std::thread::hardware_concurrency());
}

int CurrentCore() { return sched_getcpu(); }

CoreBinding::CoreBinding(unsigned place, int from)
{
    const std::vector<int> &cores = AllowedCores();
    if (cores.size() < 2 || sched_getaffinity(0, sizeof was_, &was_) != 0)
        return;
    auto at = std::find(cores.begin(), cores.end(), from);
    size_t start = at == cores.end() ? 0 : size_t(at - cores.begin());
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(cores[(start + place) % cores.size()], &one);
    bound_ = sched_setaffinity(0, sizeof one, &one) == 0;
}

CoreBinding::~CoreBinding()
{
    if (bound_)
        sched_setaffinity(0, sizeof was_, &was_);
}

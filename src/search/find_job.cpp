#include "find_job.h"

#include "core/ids.h"
#include "core/objects.h"

#include <chrono>

FindJob::FindJob(Object *panel, ULONG serial, std::vector<SearchTarget> targets, const TextPattern &pattern)
    : panel_(panel), serial_(serial), targets_(std::move(targets)), pattern_(pattern), worker_([this] { Run(); })
{
}

FindJob::~FindJob()
{
    cancel_ = true;
    worker_.join();
}

const SearchTarget *FindJob::Hit(SearchPosition &where) const
{
    if (hit_ == SIZE_MAX)
        return nullptr;
    where = where_;
    return &targets_[hit_];
}

// Progress goes out a few times a second at most: the panel shows it, and
// more would only keep the GUI thread busy.
void FindJob::Run()
{
    using Clock = std::chrono::steady_clock;
    auto told = Clock::now();
    for (size_t i = 0; i < targets_.size() && !cancel_; ++i) {
        const SearchTarget &t = targets_[i];
        if (FindFirstInFile(t.Path.c_str(), pattern_, t.Start, where_, &cancel_)) {
            hit_ = i;
            break;
        }
        searched_ = i + 1;
        if (Clock::now() - told > std::chrono::milliseconds(100)) {
            told = Clock::now();
            Tell(QMXM_Find_Progress);
        }
    }
    Tell(QMXM_Find_Done);
}

void FindJob::Tell(IPTR method)
{
    DoMethod(QMXObject.App, MUIM_Application_PushMethod, panel_, 2, method, IPTR(serial_));
}

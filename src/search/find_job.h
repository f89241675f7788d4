// A search through a list of documents in a worker thread, for the first
// hit in the documents' order. The worker reads files and nothing else: it
// tells the panel of its progress and of its end through methods pushed to
// the application, so the panel, the history, the tree and the viewer are
// only ever touched in the GUI thread.
#pragma once
#include "targets.h"

#include "platform/intuition/classes.h"

#include <atomic>
#include <thread>

class FindJob {
public:
    // Starts at once. The panel hears QMXM_Find_Progress now and then and
    // QMXM_Find_Done at the end, each with this job's serial.
    FindJob(Object *panel, ULONG serial, std::vector<SearchTarget> targets, const TextPattern &pattern);
    // Cancels the search and waits for the worker.
    ~FindJob();
    FindJob(const FindJob &) = delete;
    FindJob &operator=(const FindJob &) = delete;

    ULONG Serial() const { return serial_; }
    size_t Searched() const { return searched_.load(); }
    size_t Count() const { return targets_.size(); }
    // After QMXM_Find_Done: the document and the position of the hit; null
    // when there was none.
    const SearchTarget *Hit(SearchPosition &where) const;

private:
    void Run();
    void Tell(IPTR method);

    Object *panel_;
    ULONG serial_;
    std::vector<SearchTarget> targets_;
    TextPattern pattern_;
    std::atomic<bool> cancel_{false};
    std::atomic<size_t> searched_{0};
    size_t hit_ = SIZE_MAX;
    SearchPosition where_;
    std::thread worker_;
};

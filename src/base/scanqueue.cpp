#include "scanqueue.h"

#include "platform/dos/locks.h"
#include "platform/exec/cores.h"
#include "platform/exec/pool.h"

#include <algorithm>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {
DocumentScan scanDocument = nullptr;
unsigned threadsSet = 0;
constexpr int kBehindTheWindow = 5;   // the scanning threads' nice value beside a window

// The full name of the file from its lock; false when it cannot be locked.
bool LockedName(const char *path, std::string &name)
{
    FileLock *lock = Lock(path, SHARED_LOCK);
    if (!lock)
        return false;
    char full[8192];
    if (NameFromLock(lock, full, sizeof full))
        name = full;
    UnLock(lock);
    return true;
}

// Decides the file's type and scans it into a fresh record, as the viewer
// indexes a file. The open file tells its full name; one that cannot be
// opened is named by its lock, and one that cannot be locked is not there.
void ScanFile(const ScanJob &job, ScannedFile &out)
{
    FileHandle *fh = Open(job.Path.c_str(), MODE_SHARED);
    char full[8192];
    if (fh && NameFromFH(fh, full, sizeof full)) {
        out.FullName = full;
    } else if (!LockedName(job.Path.c_str(), out.FullName)) {
        Close(fh);
        return;
    }
    out.Outcome = fh ? ScannedFile::NO_TYPE : ScannedFile::NOT_OPENED;
    const char *library = job.Library ? job.Library->c_str() : nullptr;
    if (fh && (out.Record = scanDocument(fh, job.Path.c_str(), library, &out.Slot)))
        out.Outcome = ScannedFile::SCANNED;
    Close(fh);
}
}

void SetDocumentScan(DocumentScan scan) { scanDocument = scan; }

unsigned ScanThreads() { return threadsSet ? threadsSet : std::min(Cores(), 8u); }

void SetScanThreads(unsigned n) { threadsSet = n; }

ScanQueue::ScanQueue(std::vector<ScanJob> jobs, bool helping, std::function<void()> scanned)
    : jobs_(std::move(jobs)), files_(jobs_.size()), ready_(new std::atomic<bool>[jobs_.size()]), helping_(helping),
      told_(std::move(scanned))
{
    for (size_t i = 0; i < jobs_.size(); ++i)
        ready_[i] = false;
    size_t threads = std::min<size_t>(ScanThreads() - (helping ? 1 : 0), jobs_.size());
    int core = CurrentCore();
    for (size_t t = 0; t < threads; ++t) {
        Pool *own = CreatePoolLike(MemPool);
        if (!own)
            break;
        pools_.push_back(own);
        threads_.emplace_back([this, pool = own, behind = !helping, place = unsigned(t + 1), core] {
            CoreBinding bound(place, core);
            if (behind)   // the window's thread, which waits for none, goes first
                setpriority(PRIO_PROCESS, pid_t(syscall(SYS_gettid)), kBehindTheWindow);
            UseOwnPool(pool);
            Work();
            UseOwnPool(nullptr);
        });
    }
    helping_ = helping_ || threads_.empty();   // someone must scan
    if (helping_ && !threads_.empty())
        helperBound_.emplace(0, core);
}

ScanQueue::~ScanQueue()
{
    Stop();
    for (std::thread &t : threads_)
        t.join();
    for (Pool *pool : pools_)
        AdoptPool(MemPool, pool);
    for (ScannedFile &f : files_)
        BazaFree(f.Record);
}

void ScanQueue::Stop() { stopped_ = true; }

bool ScanQueue::ScanNext()
{
    size_t i = stopped_ ? jobs_.size() : next_++;
    if (i >= jobs_.size())
        return false;
    ScanFile(jobs_[i], files_[i]);
    {
        std::lock_guard<std::mutex> hold(mutex_);
        ready_[i] = true;
    }
    scanned_.notify_all();
    if (told_)
        told_();
    return true;
}

void ScanQueue::Work()
{
    while (ScanNext()) {
    }
}

bool ScanQueue::Ready(size_t i) { return ready_[i]; }

ScannedFile &ScanQueue::Wait(size_t i)
{
    while (!ready_[i] && helping_ && ScanNext()) {
    }
    std::unique_lock<std::mutex> hold(mutex_);
    scanned_.wait(hold, [&] { return ready_[i].load(); });
    return files_[i];
}

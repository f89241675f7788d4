#include "readahead.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {
// The program's one read-ahead thread, made at its first use; it sleeps
// between reads and lives until the program ends.
class ReadThread {
public:
    static ReadThread &Get()
    {
        static ReadThread *thread = new ReadThread;   // never destroyed: it may be asleep in a wait at exit
        return *thread;
    }
    bool Claim() { return !busy_.exchange(true); }
    void Release() { busy_ = false; }

    void Start(FileHandle *fh, char *to, LONG length)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        fh_ = fh;
        to_ = to;
        length_ = length;
        done_ = false;
        wake_.notify_one();
    }
    LONG Wait()
    {
        std::unique_lock<std::mutex> lock(mutex_);
        finished_.wait(lock, [this] { return done_; });
        return got_;
    }

private:
    ReadThread() { std::thread([this] { Run(); }).detach(); }

    void Run()
    {
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            wake_.wait(lock, [this] { return fh_ != nullptr; });
            FileHandle *fh = fh_;
            fh_ = nullptr;
            lock.unlock();
            LONG got = Read(fh, to_, length_);
            lock.lock();
            got_ = got;
            done_ = true;
            finished_.notify_one();
        }
    }

    std::atomic<bool> busy_{false};
    std::mutex mutex_;
    std::condition_variable wake_, finished_;
    FileHandle *fh_ = nullptr;
    char *to_ = nullptr;
    LONG length_ = 0, got_ = 0;
    bool done_ = true;
};
}

BlockReadAhead::BlockReadAhead(FileHandle *fh, size_t block, size_t reserve)
    : fh_(fh), block_(block), reserve_(reserve), ahead_(ReadThread::Get().Claim())
{
    for (auto &b : buffers_)
        b.reset(new char[reserve + block + 64]);
}

BlockReadAhead::~BlockReadAhead()
{
    if (pending_)
        Finish();
    if (ahead_)
        ReadThread::Get().Release();
}

void BlockReadAhead::Start(int i)
{
    pending_ = true;
    if (ahead_)
        ReadThread::Get().Start(fh_, Buffer(i), LONG(block_));
    else
        syncGot_ = Read(fh_, Buffer(i), LONG(block_));
}

LONG BlockReadAhead::Finish()
{
    pending_ = false;
    return ahead_ ? ReadThread::Get().Wait() : syncGot_;
}

char *BlockReadAhead::Next(LONG &got)
{
    if (!pending_)
        Start(next_);
    got = Finish();
    int ready = next_;
    next_ ^= 1;
    if (got > 0)
        Start(next_);   // the block after it, while the caller works on this one
    return Buffer(ready);
}

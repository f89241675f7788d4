// Files scanned for the base on threads of their own and handed to the GUI
// thread in the order given, so that a base built on many cores is the base
// one thread builds. The threads touch no object, list or tree: each decides
// its files' types and scans them into records of its own (from a pool of
// its own, which the program's pool adopts at the end); only the thread that
// waits for a file puts it in place.
#pragma once
#include "platform/dos/files.h"
#include "platform/exec/cores.h"
#include "records.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

struct ScanJob {
    std::string Path;                     // the file's name as the host knows it
    std::optional<std::string> Library;   // the record's caption (a rescan keeps it where the type sets none)
};

struct ScannedFile {
    enum Result { NOT_LOCKED, NOT_OPENED, NO_TYPE, SCANNED };
    Result Outcome = NOT_LOCKED;
    std::string FullName;     // the name the file's lock gives
    int Slot = -1;            // the viewer's slot of the file's type
    Baza *Record = nullptr;   // entries and caption when scanned; the queue frees it unless taken
};

// Decides the type of a file open as fh and scans it into a fresh record
// captioned library (null: none) as the viewer indexes it, giving the viewer's
// slot of the type in *slot; null when no type takes the file. The document
// types are above the base: the start installs theirs. Any thread may call it.
using DocumentScan = Baza *(*)(FileHandle *fh, CONST_STRPTR name, CONST_STRPTR library, int *slot);
void SetDocumentScan(DocumentScan scan);

// How many threads scan: the cores, at most 8; n > 0 sets it (tests compare
// counts), 0 goes back to the cores.
unsigned ScanThreads();
void SetScanThreads(unsigned n);

class ScanQueue {
public:
    // helping: the thread that waits scans files itself meanwhile (a command
    // that shows nothing), so one thread fewer is started. scanned, when
    // given, is called on the scanning thread after each file.
    ScanQueue(std::vector<ScanJob> jobs, bool helping, std::function<void()> scanned = nullptr);
    ~ScanQueue();
    ScanQueue(const ScanQueue &) = delete;
    ScanQueue &operator=(const ScanQueue &) = delete;

    size_t Size() const { return jobs_.size(); }
    // Whether file i is scanned; Wait returns it once it is.
    bool Ready(size_t i);
    ScannedFile &Wait(size_t i);
    // The threads take no more files; those scanned are kept. Wait only for
    // files Ready says are scanned after this.
    void Stop();

private:
    void Work();
    bool ScanNext();

    std::vector<ScanJob> jobs_;
    std::vector<ScannedFile> files_;
    std::unique_ptr<std::atomic<bool>[]> ready_;
    std::atomic<size_t> next_{0};
    std::atomic<bool> stopped_{false};
    bool helping_;
    std::function<void()> told_;
    std::mutex mutex_;
    std::condition_variable scanned_;
    std::vector<struct Pool *> pools_;
    std::vector<std::thread> threads_;
    // the thread that waits and scans keeps its core while the others work
    std::optional<CoreBinding> helperBound_;
};

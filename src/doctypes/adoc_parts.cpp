// A large autodoc scanned in parts, each on a thread of its own that reads
// its own bytes, so that every core copies and scans. A part starts at a page
// break (a line that opens with a form feed) near its share of the file and
// assumes what the lines before it nearly always leave: the contents passed,
// the library known and named as in the part's first line, and that first
// line a heading. The parts are taken in, in order, only where the lines
// before them left exactly that; a part that does not fit is scanned again
// on from the state they left, so the entries are always those of one scan
// from the top.
#include "adoc_entryscan.h"

#include "base/scanqueue.h"
#include "platform/exec/cores.h"
#include "platform/exec/pool.h"

#include <algorithm>
#include <string_view>
#include <thread>
#include <vector>

namespace {
constexpr LONG kUsualPartBytes = 4 << 20;   // below this a thread's start costs more than it saves
constexpr LONG kSearchBytes = 1 << 16;      // how far past its share a part's first line is looked for
LONG partBytes = 0;
thread_local ULONG partsTaken = 0;

struct Part {
    LONG from = 0, to = 0;
    Baza record{};   // its entries until they are taken in
    ADocEntryScan scan;
    Pool *pool = nullptr;
    std::thread thread;

    Part()
    {
        NewMinList(&record.Entries);
        scan.baza = &record;
        scan.afterContents = scan.headingSeen = scan.libraryKnown = true;
    }
    Part(const Part &) = delete;   // the list's ends point into the record
};

struct Cut {
    LONG at;
    std::string library;   // as the heading that opens the part names it
};

// The first line at or after at that opens with a form feed, within
// kSearchBytes; at is -1 when there is none.
Cut PageBreakFrom(FileHandle *fh, LONG at)
{
    std::string window(size_t(kSearchBytes) + 1, '\0');
    LONG got = ReadAt(fh, window.data(), LONG(window.size()), at - 1);
    std::string_view seen(window.data(), size_t(std::max<LONG>(got, 0)));
    size_t found = seen.find("\n\f");
    if (found == std::string_view::npos)
        return {-1, {}};
    std::string_view heading = seen.substr(found + 2);
    return {at + LONG(found), std::string(heading.substr(0, heading.find_first_of(std::string_view("/\n\0", 3))))};
}

// Where the parts after the first start: near equal shares of the file, as
// many as threads scan and the file has part sizes.
std::vector<Cut> CutsOf(FileHandle *fh)
{
    std::vector<Cut> cuts;
    LONG size = FileSize(fh);
    LONG n = size > 0 ? std::min<LONG>(LONG(ScanThreads()), size / (partBytes ? partBytes : kUsualPartBytes)) : 0;
    for (LONG k = 1; k < n; ++k) {
        Cut cut = PageBreakFrom(fh, LONG(int64_t(size) * k / n));
        if (cut.at > (cuts.empty() ? 0 : cuts.back().at) && cut.at < size)
            cuts.push_back(std::move(cut));
    }
    return cuts;
}

void Start(Part &part, FileHandle *fh, unsigned place, int core)
{
    part.pool = CreatePoolLike(MemPool);
    if (!part.pool)
        return;   // it has no entries, so it is scanned again
    part.thread = std::thread([&part, fh, place, core] {
        CoreBinding bound(place, core);
        UseOwnPool(part.pool);
        part.scan.ScanRange(fh, part.from, part.to);
        UseOwnPool(nullptr);
    });
}

// Whether the lines before the part left the state it started from: the
// library known, and named as the part assumed (the contents are behind then,
// and the first heading). Its first entry must be the one its first line heads
// (given the line after it, its second): then that line ends the entry before
// it and any heading still pending, and no heading of its own was given up in
// between, as a heading that follows one at once is.
bool Fits(const ADocEntryScan &before, const Part &part)
{
    const Doc *first = FirstEntry(&part.record);
    return before.libraryKnown && !before.referenceOpen && before.reference == part.scan.reference && first &&
           first->Line == 2;
}

// The part's entries and the state at its end become the scan's, its lines
// numbered after those before it.
void TakeIn(ADocEntryScan &scan, Part &part)
{
    if (scan.current)
        scan.current->Lines = scan.count;   // as the part's first heading ends it
    LONG lines = scan.lineNo;
    while (MinNode *node = RemHeadMinList(&part.record.Entries)) {
        Doc *doc = reinterpret_cast<Doc *>(node);
        doc->Line += lines;
        AddEntry(scan.baza, doc);
    }
    Baza *baza = scan.baza;
    scan = std::move(part.scan);
    scan.baza = baza;
    scan.lineNo += lines;
    scan.startLine += lines;
    ++partsTaken;
}
}

bool ScanADocInParts(ADocEntryScan &scan, FileHandle *fh)
{
    std::vector<Cut> cuts = CutsOf(fh);
    if (cuts.empty())
        return false;
    std::vector<Part> parts(cuts.size());
    int core = CurrentCore();
    for (size_t k = 0; k < parts.size(); ++k) {
        parts[k].from = cuts[k].at;
        parts[k].to = k + 1 < cuts.size() ? cuts[k + 1].at : 0x7FFFFFFF;   // the last part reads to the end
        parts[k].scan.reference = std::move(cuts[k].library);
        parts[k].scan.pos = parts[k].from;
        Start(parts[k], fh, unsigned(k + 1), core);
    }
    {
        CoreBinding bound(0, core);
        scan.ScanRange(fh, 0, parts.front().from);
    }
    for (Part &part : parts) {
        if (part.thread.joinable())
            part.thread.join();
        AdoptPool(MemPool, part.pool);
    }
    for (Part &part : parts) {
        if (Fits(scan, part)) {
            TakeIn(scan, part);
        } else {
            DocFreeList(&part.record.Entries);
            scan.ScanRange(fh, part.from, part.to);
        }
    }
    return true;
}

void SetADocPartBytes(LONG bytes) { partBytes = bytes; }

ULONG ADocPartsTaken() { return partsTaken; }

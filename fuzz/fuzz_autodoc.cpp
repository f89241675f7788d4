// Any bytes after an autodoc's contents line: the entry scan, every entry
// shown, its search rows looked up, and the heading test on each line. Then
// the file is scanned in parts as small as its page breaks allow, on 2 to 8
// threads: the entries must be those of one scan from the top.
#include "base/scanqueue.h"
#include "doctypes/adoc.h"
#include "doctypes/adoc_entryscan.h"
#include "scratch_document.h"

#include <cstdlib>

namespace {
unsigned partThreads = 2;

Baza *Scanned(const char *path)
{
    FileHandle *fh = Open(path, MODE_SHARED);
    Baza *baza = BazaAlloc(nullptr, nullptr);
    ADocScan(baza, fh);
    Close(fh);
    return baza;
}

void ScanInParts(const char *path)
{
    SetADocPartBytes(1);
    SetScanThreads(1);
    Baza *whole = Scanned(path);
    SetScanThreads(partThreads);
    Baza *parts = Scanned(path);
    if (!SameEntries(whole, parts))
        std::abort();
    BazaFree(whole);
    BazaFree(parts);
    SetScanThreads(0);
    SetADocPartBytes(0);
}
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    std::string bytes(reinterpret_cast<const char *>(data), size);
    partThreads = unsigned(2 + size % 7);
    OpenAndShowEntries("vsfuzz-adoc", "", "TABLE OF CONTENTS\n" + bytes, nullptr, ScanInParts);
    FuncTestDir(bytes.data(), "exec.library");
    return 0;
}

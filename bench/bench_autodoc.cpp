// Autodocs: the entry scan over a 20 MB synthetic SDK, building a base of
// it, showing the longest
// entry of it, and opening one autodoc of 10,000 entries (scan and index).
// The corpus lives in VS_BENCH_ADOCS (a directory; made when missing).
#include "autodoc_corpus.h"
#include "base/baza.h"
#include "core/ids.h"
#include "core/konfig.h"
#include "core/objects.h"
#include "corpus_files.h"
#include "doctypes/adoc.h"
#include "platform/dos/files.h"
#include "scan_files.h"
#include "vsdoc/session.h"

#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {
std::string CorpusDir()
{
    const char *env = std::getenv("VS_BENCH_ADOCS");
    return env && *env ? env : "/tmp/vellumscanner-bench-adocs";
}

std::vector<std::string> &Corpus()
{
    static std::vector<std::string> paths = EnsureAutodocCorpus(CorpusDir(), 20u << 20);
    return paths;
}

void BM_EntryScanOfTheCorpus(benchmark::State &state) { ScanFiles(state, Corpus(), ADocScan); }

// Building a base of the same files the entry scan reads: each file named,
// typed, scanned and placed in the tree. The tree is emptied between rounds
// outside the timing.
void BM_BuildABaseOfTheCorpus(benchmark::State &state)
{
    Session session("bench_autodoc");
    for (auto _ : state) {
        if (BazaAddFiles(Corpus(), nullptr) != LONG(Corpus().size()))
            state.SkipWithError("a file was not added");
        state.PauseTiming();
        konfig.Modified = 0;
        DoMethod(QMXObject.BazaObj, QMXM_BazaClose);
        state.ResumeTiming();
    }
}

// The entry with the most lines in the whole corpus.
std::pair<std::string, LONG> LongestEntry()
{
    std::pair<std::string, LONG> best{"", -1};
    LONG bestLines = -1;
    for (const std::string &path : Corpus()) {
        FileHandle *fh = Open(path.c_str(), MODE_OLDFILE);
        Baza *baza = BazaAlloc(nullptr, nullptr);
        ADocScan(baza, fh);
        LONG i = 0;
        for (Doc *e = FirstEntry(baza); e; e = NextEntry(e), ++i)
            if (e->Lines > bestLines) {
                bestLines = e->Lines;
                best = {path, i};
            }
        BazaFree(baza);
        Close(fh);
    }
    return best;
}

void BM_ShowTheLongestEntry(benchmark::State &state)
{
    Session session("bench_autodoc");
    auto [path, index] = LongestEntry();
    if (!session.Open(path.c_str())) {
        state.SkipWithError("the autodoc did not open");
        return;
    }
    for (auto _ : state)
        SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, index);
}

void BM_OpenA10000EntryAutodoc(benchmark::State &state)
{
    std::string path = CorpusDir() + "/big10000.doc";
    EnsureFile(path, [] { return MakeAutodoc("big.library", 10000, 99); });
    Session session("bench_autodoc");
    for (auto _ : state) {
        if (!session.Open(path.c_str()))
            state.SkipWithError("the autodoc did not open");
        DoMethod(QMXObject.ViewObj, QMXM_ViewClose, 0);
    }
}
}

BENCHMARK(BM_EntryScanOfTheCorpus)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_BuildABaseOfTheCorpus)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ShowTheLongestEntry)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenA10000EntryAutodoc)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();

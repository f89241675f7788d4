// C headers and XML interfaces: the index scan over a synthetic SDK of each
// (50 MB of headers in thousands of files, 20 MB of interfaces), opening a
// 1.5 MB header of 5,000 structures and a 1.5 MB interface of 7,000 methods
// (type decision, scan, index filled, text shown), and choosing another
// entry in them. The corpus lives in VS_BENCH_SOURCES (made when missing).
#include "core/ids.h"
#include "core/objects.h"
#include "corpus_files.h"
#include "doctypes/hdoc.h"
#include "doctypes/xmldoc.h"
#include "platform/dos/files.h"
#include "scan_files.h"
#include "source_corpus.h"
#include "vsdoc/session.h"

#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {
std::string CorpusDir()
{
    const char *env = std::getenv("VS_BENCH_SOURCES");
    return env && *env ? env : "/tmp/vellumscanner-bench-sources";
}

const std::vector<std::string> &Headers()
{
    static std::vector<std::string> paths = EnsureHeaderCorpus(CorpusDir() + "/headers", 50u << 20);
    return paths;
}

const std::vector<std::string> &Interfaces()
{
    static std::vector<std::string> paths = EnsureInterfaceCorpus(CorpusDir() + "/interfaces", 20u << 20);
    return paths;
}

void BM_IndexScanOfTheHeaders(benchmark::State &state) { ScanFiles(state, Headers(), HDocScan); }
void BM_IndexScanOfTheInterfaces(benchmark::State &state) { ScanFiles(state, Interfaces(), XmlDocScan); }

std::string BigFile(const std::string &name, std::string (*make)())
{
    std::string path = CorpusDir() + "/" + name;
    EnsureFile(path, make);
    return path;
}

std::string BigHeader()
{
    return BigFile("big5000.h", [] { return MakeHeader("big", 5000, 7); });
}
std::string BigInterface()
{
    return BigFile("big7000.xml", [] { return MakeInterface("big", 2, 7000, 7); });
}

// Opened as a user opens it: the type decided, the index scanned and
// listed, the whole-file entry's text shown. Closing is not timed.
void OpenAndShow(benchmark::State &state, const std::string &path)
{
    Session session("bench_wholetext");
    for (auto _ : state) {
        if (!session.Open(path.c_str()))
            state.SkipWithError("the file did not open");
        SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, 0);
        state.PauseTiming();
        DoMethod(QMXObject.ViewObj, QMXM_ViewClose, 0);
        state.ResumeTiming();
    }
}

// Two entries far apart, chosen in turn once the file is shown.
void ChooseEntries(benchmark::State &state, const std::string &path)
{
    Session session("bench_wholetext");
    if (!session.Open(path.c_str())) {
        state.SkipWithError("the file did not open");
        return;
    }
    SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, 0);
    LONG pick = 0;
    for (auto _ : state)
        SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, (pick ^= 1) ? 4000 : 1000);
}

void BM_OpenA5000StructHeader(benchmark::State &state) { OpenAndShow(state, BigHeader()); }
void BM_OpenA7000MethodInterface(benchmark::State &state) { OpenAndShow(state, BigInterface()); }
void BM_ChooseAnotherStructure(benchmark::State &state) { ChooseEntries(state, BigHeader()); }
void BM_ChooseAnotherMethod(benchmark::State &state) { ChooseEntries(state, BigInterface()); }
}

BENCHMARK(BM_IndexScanOfTheHeaders)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_IndexScanOfTheInterfaces)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_OpenA5000StructHeader)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenA7000MethodInterface)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChooseAnotherStructure)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ChooseAnotherMethod)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();

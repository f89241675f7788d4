// C headers and XML interfaces: the index scan over a synthetic SDK of each
// (50 MB of headers in thousands of files, 20 MB of interfaces), opening a
// 1.5 MB header of 5,000 structures and a 1.5 MB interface of 7,000 methods
// (type decision, scan, index filled, text shown), and choosing another
// entry in them. The corpus lives in VS_BENCH_SOURCES (made when missing).
#include "app/ids.h"
#include "app/startup.h"
#include "doctypes/hdoc.h"
#include "doctypes/xmldoc.h"
#include "platform/dos/files.h"
#include "source_corpus.h"
#include "vsdoc/session.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <fstream>
#include <sys/stat.h>

namespace {
std::string CorpusDir()
{
    const char *env = std::getenv("VS_BENCH_SOURCES");
    return env && *env ? env : "/tmp/vellumscanner-bench-sources";
}

const std::vector<std::string> &Headers()
{
    static std::vector<std::string> paths = (mkdir(CorpusDir().c_str(), 0755),
                                             EnsureHeaderCorpus(CorpusDir() + "/headers", 50u << 20));
    return paths;
}

const std::vector<std::string> &Interfaces()
{
    static std::vector<std::string> paths = (mkdir(CorpusDir().c_str(), 0755),
                                             EnsureInterfaceCorpus(CorpusDir() + "/interfaces", 20u << 20));
    return paths;
}

void ScanAll(benchmark::State &state, const std::vector<std::string> &files, void (*scan)(Baza *, FileHandle *))
{
    Session session("bench_wholetext");
    int64_t bytes = 0;
    for (auto _ : state)
        for (const std::string &path : files) {
            FileHandle *fh = Open(path.c_str(), MODE_OLDFILE);
            Baza *baza = BazaAlloc(nullptr, nullptr);
            scan(baza, fh);
            bytes += Seek(fh, 0, OFFSET_CURRENT);
            BazaFree(baza);
            Close(fh);
        }
    state.counters["files"] = double(files.size());
    state.SetBytesProcessed(bytes);
}

void BM_IndexScanOfTheHeaders(benchmark::State &state) { ScanAll(state, Headers(), HDocScan); }
void BM_IndexScanOfTheInterfaces(benchmark::State &state) { ScanAll(state, Interfaces(), XmlDocScan); }

std::string BigFile(const std::string &name, std::string (*make)())
{
    std::string path = CorpusDir() + "/" + name;
    struct stat st;
    if (stat(path.c_str(), &st) != 0) {
        mkdir(CorpusDir().c_str(), 0755);
        std::string text = make();
        std::ofstream(path, std::ios::binary).write(text.data(), std::streamsize(text.size()));
    }
    return path;
}

std::string BigHeader() { return BigFile("big5000.h", [] { return MakeHeader("big", 5000, 7); }); }
std::string BigInterface() { return BigFile("big7000.xml", [] { return MakeInterface("big", 2, 7000, 7); }); }

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

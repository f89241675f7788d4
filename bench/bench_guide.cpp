// AmigaGuide files: the index scan over a synthetic corpus (the first 50 MB
// of the guides in VS_BENCH_GUIDES), opening a 5 MB guide of 6,000 nodes and
// 2,000 links (type decision, scan, index filled), and showing its largest
// node. With VS_BENCH_GUIDE_BASE naming a base built of the corpus (by
// bench/run_guide.sh), loading that base and a lookup in its last document.
#include "base/baza.h"
#include "core/ids.h"
#include "core/konfig.h"
#include "core/objects.h"
#include "corpus_files.h"
#include "doctypes/aguide.h"
#include "guide_corpus.h"
#include "scan_files.h"
#include "vsdoc/session.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <sys/stat.h>

namespace {
std::string CorpusDir()
{
    const char *env = std::getenv("VS_BENCH_GUIDES");
    return env && *env ? env : "/tmp/vellumscanner-bench-guides";
}

// The first guides of the corpus that hold 50 MB.
const std::vector<std::string> &ScanSet()
{
    static std::vector<std::string> paths = [] {
        std::vector<std::string> all = EnsureGuideCorpus(CorpusDir() + "/sdk", 20000, 1000u << 20), some;
        size_t bytes = 0;
        for (const std::string &p : all) {
            struct stat st;
            stat(p.c_str(), &st);
            if (bytes >= (50u << 20))
                break;
            bytes += size_t(st.st_size);
            some.push_back(p);
        }
        return some;
    }();
    return paths;
}

void BM_IndexScanOfTheGuides(benchmark::State &state)
{
    ScanFiles(state, ScanSet(), [](Baza *baza, FileHandle *fh) {
        GuideHeader header;
        AGuideScan(baza, fh, 0, header);
    });
}

std::string BigGuide()
{
    std::string path = CorpusDir() + "/big6000.guide";
    EnsureFile(path, [] { return MakeGuide("big", 6000, 2000, 5u << 20, 7); });
    return path;
}

void BM_OpenTheBigGuide(benchmark::State &state)
{
    Session session("bench_guide");
    for (auto _ : state) {
        if (!session.Open(BigGuide().c_str()))
            state.SkipWithError("the guide did not open");
        state.PauseTiming();
        DoMethod(QMXObject.ViewObj, QMXM_ViewClose, 0);
        state.ResumeTiming();
    }
}

void BM_ShowTheLargestNode(benchmark::State &state)
{
    Session session("bench_guide");
    if (!session.Open(BigGuide().c_str())) {
        state.SkipWithError("the guide did not open");
        return;
    }
    auto *doc = reinterpret_cast<Baza *>(xget(QMXObject.ViewObj, QMXA_View_Document));
    LONG largest = 0, lines = -1, i = 0;
    for (Doc *e = FirstEntry(doc); e; e = NextEntry(e), ++i)
        if (e->Lines > lines) {
            lines = e->Lines;
            largest = i;
        }
    for (auto _ : state) {
        SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, largest);
        state.PauseTiming();
        SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, 0);
        state.ResumeTiming();
    }
    state.counters["node_lines"] = double(lines);
}

const char *GuideBase() { return std::getenv("VS_BENCH_GUIDE_BASE"); }

void BM_LoadTheGuideBase(benchmark::State &state)
{
    Session session("bench_guide");
    for (auto _ : state) {
        state.PauseTiming();
        konfig.Modified = 0;
        DoMethod(QMXObject.BazaObj, QMXM_BazaClose);
        SetAttrs(QMXObject.BazaObj, QMXA_Baza_File, GuideBase());
        state.ResumeTiming();
        if (!DoMethod(QMXObject.BazaObj, QMXM_BazaOpen))
            state.SkipWithError("the base did not load");
    }
}

// A name no entry bears: the lookup walks all 700,000 entries, the worst case.
void BM_LookupInTheGuideBase(benchmark::State &state)
{
    Session session("bench_guide");
    SetAttrs(QMXObject.BazaObj, QMXA_Baza_File, GuideBase());
    DoMethod(QMXObject.BazaObj, QMXM_BazaOpen);
    std::string miss = "NoSuchNodeAnywhere";
    for (auto _ : state)
        DoMethod(QMXObject.BazaObj, QMXM_BazaFindLink, miss.c_str(), LONG(miss.size()));
}
}

BENCHMARK(BM_IndexScanOfTheGuides)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_OpenTheBigGuide)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowTheLargestNode)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (GuideBase()) {
        benchmark::RegisterBenchmark("BM_LoadTheGuideBase", BM_LoadTheGuideBase)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_LookupInTheGuideBase", BM_LookupInTheGuideBase)->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}

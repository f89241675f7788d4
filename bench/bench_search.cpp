// The search through a whole base in the process, as the search panel's
// worker runs it: every document of the synthetic SDK base searched for a
// text it does not hold, beside reading the same files in the same blocks.
// The base is VS_SEARCH_BASE (bench/run_search.sh makes it).
#include "core/ids.h"
#include "core/objects.h"
#include "platform/dos/files.h"
#include "search/targets.h"
#include "vsdoc/session.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <memory>

namespace {
const std::vector<SearchTarget> &Targets()
{
    static std::vector<SearchTarget> targets = [] {
        Session session("bench_search");
        const char *base = std::getenv("VS_SEARCH_BASE");
        SetAttrs(QMXObject.BazaObj, QMXA_Baza_File, base ? base : "");
        if (!DoMethod(QMXObject.BazaObj, QMXM_BazaOpen))
            return std::vector<SearchTarget>();
        return BaseTargets(0);
    }();
    return targets;
}

void BM_BaseSearchWithoutAHit(benchmark::State &state)
{
    TextPattern pattern("zqxjvw", 6);
    SearchPosition found;
    for (auto _ : state)
        for (const SearchTarget &t : Targets())
            if (FindFirstInFile(t.Path.c_str(), pattern, t.Start, found))
                state.SkipWithError("a hit where none should be");
    state.counters["files"] = double(Targets().size());
}

void BM_ReadingTheSameFiles(benchmark::State &state)
{
    std::unique_ptr<char[]> block(new char[1 << 16]);
    int64_t bytes = 0;
    for (auto _ : state)
        for (const SearchTarget &t : Targets()) {
            FileHandle *fh = Open(t.Path.c_str(), MODE_SHARED);
            Seek(fh, LONG(t.Start.Offset), OFFSET_BEGINNING);
            for (LONG got; (got = Read(fh, block.get(), 1 << 16)) > 0;)
                bytes += got;
            Close(fh);
        }
    state.SetBytesProcessed(bytes);
}
}

BENCHMARK(BM_BaseSearchWithoutAHit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadingTheSameFiles)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();

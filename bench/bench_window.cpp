// The base panel in the window, its classes made headless and the input loop
// run here as the window program runs it, with the events of
// bench/input_loop.h: adding the files listed in VS_WINDOW_FILES (one path a
// line) to an empty base, and refreshing that base; the time each takes and
// the longest an event waited meanwhile. bench/run_window.sh runs it beside
// `vsdoc base add` and `vsdoc base rescan` of the same files.
#include "app/headless.h"
#include "app/ids.h"
#include "app/konfig.h"
#include "base/basejob.h"
#include "input_loop.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;

std::vector<std::string> Files()
{
    std::vector<std::string> files;
    const char *list = std::getenv("VS_WINDOW_FILES");
    std::ifstream in(list ? list : "");
    for (std::string line; std::getline(in, line);)
        if (!line.empty())
            files.push_back(line);
    return files;
}

bool Busy() { return xget(QMXObject.BazaObj, QMXA_Baza_Running) != 0; }

void Count(benchmark::State &state, double worst, double ms)
{
    state.counters["worst_event_ms"] = worst;
    state.counters["job_ms"] = ms;
}

void BM_AddInTheWindow(benchmark::State &state)
{
    HeadlessProgram program("bench_window", true, false);
    std::vector<std::string> files = Files();
    if (files.empty())
        state.SkipWithError("set VS_WINDOW_FILES");
    double worst = 0, ms = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        BazaJobAdd(files);
        worst = std::max(worst, LongestEventWait(Busy));
        ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        state.PauseTiming();
        if (xget(BazaGUI.Tree, MUIA_NListtree_Entries) != files.size())
            state.SkipWithError("a file was not added");
        konfig.Modified = 0;
        DoMethod(QMXObject.BazaObj, QMXM_BazaClose);
        state.ResumeTiming();
    }
    Count(state, worst, ms);
}

void BM_RefreshInTheWindow(benchmark::State &state)
{
    HeadlessProgram program("bench_window", true, false);
    std::vector<std::string> files = Files();
    if (files.empty() || BazaAddFiles(files, nullptr) != LONG(files.size()))
        state.SkipWithError("set VS_WINDOW_FILES to files that can be added");
    double worst = 0, ms = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        DoMethod(QMXObject.BazaObj, QMXM_BazaRefresh);
        worst = std::max(worst, LongestEventWait(Busy));
        ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    }
    konfig.Modified = 0;
    Count(state, worst, ms);
}
}

BENCHMARK(BM_AddInTheWindow)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3);
BENCHMARK(BM_RefreshInTheWindow)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3);
BENCHMARK_MAIN();

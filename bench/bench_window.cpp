// The base panel in the window, its classes made headless and the input loop
// run here as the window program runs it, with the events of
// bench/input_loop.h: adding the files listed in VS_WINDOW_FILES (one path a
// line) to an empty base, and refreshing that base; the time each takes and
// the longest an event waited meanwhile. bench/run_window.sh runs it beside
// `vsdoc base add` and `vsdoc base rescan` of the same files. And the search
// panel's history: 10,000 hits of one document found one press of the next
// button after the other, the longest press, and a new search that lets the
// history go.
#include "app/headless.h"
#include "base/basejob.h"
#include "core/ids.h"
#include "core/konfig.h"
#include "input_loop.h"
#include "search/find.h"

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

bool Searching() { return xget(QMXObject.FindObj, QMXA_Find_Running) != 0; }

// Until the search's end is taken in, as the window's loop takes it.
void FinishSearch()
{
    while (Searching()) {
        Wait(SIGF_INPUT);
        DoMethod(QMXObject.App, MUIM_Application_NewInput, nullptr);
    }
}

double Press(Object *button)
{
    auto start = Clock::now();
    SetAttrs(button, MUIA_Pressed, FALSE);
    FinishSearch();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void BM_SearchHistoryOf10000Hits(benchmark::State &state)
{
    HeadlessProgram program("bench_window", true, false);
    std::string path = "/tmp/vellumscanner-bench-hits.txt";
    {
        std::ofstream out(path);
        for (int i = 0; i < 12000; ++i)
            out << "line " << i << " holds a hit among other words of a plain text\n";
    }
    SetAttrs(QMXObject.ViewObj, QMXA_View_File, path.c_str());
    double longest = 0, last = 0, dropped = 0;
    for (auto _ : state) {
        SetAttrs(FindGUI.Range, MUIA_Cycle_Active, 0);
        SetAttrs(FindGUI.Pattern, MUIA_String_Contents, "hit");
        SetAttrs(FindGUI.Pattern, MUIA_String_Acknowledge, "hit");
        FinishSearch();
        for (int i = 1; i < 10000; ++i) {
            last = Press(FindGUI.NextBtn);
            longest = std::max(longest, last);
        }
        auto *current = reinterpret_cast<Find *>(xget(QMXObject.FindObj, QMXA_Find_Current));
        if (!current || current->Line != 10000)
            state.SkipWithError("the 10,000th hit is not shown");
        longest = std::max(longest, Press(FindGUI.PrevBtn));
        auto start = Clock::now();
        SetAttrs(FindGUI.Pattern, MUIA_String_Contents, "words");   // a new history
        SetAttrs(FindGUI.Pattern, MUIA_String_Acknowledge, "words");
        FinishSearch();
        dropped = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    }
    state.counters["longest_press_ms"] = longest;
    state.counters["press_10000_ms"] = last;
    state.counters["new_search_ms"] = dropped;
}

BENCHMARK(BM_AddInTheWindow)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3);
BENCHMARK(BM_RefreshInTheWindow)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3);
BENCHMARK(BM_SearchHistoryOf10000Hits)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(2);
BENCHMARK_MAIN();

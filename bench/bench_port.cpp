// The command port and the window's input loop under load, in the program
// itself (its classes and window made headless, the input loop run here as
// the window program runs it):
// - 10,000 commands from 8 clients at once, each sending its commands in
//   batches of 50 without waiting (INFO VERSION and QMX_FindFunction of a
//   name of the SDK base in turn): every answer must come, in the client's
//   order;
// - how long the input loop takes to handle an event while the search panel
//   searches a base of about 200 MB (VS_SEARCH_BIG_BASE) without a hit.
// bench/run_port.sh makes the bases and runs it.
#include "app/headless.h"
#include "core/ids.h"
#include "core/objects.h"
#include "input_loop.h"
#include "platform/exec/signals.h"
#include "platform/rexx/port.h"
#include "search/find.h"

#include <benchmark/benchmark.h>
#include <sys/socket.h>
#include <sys/stat.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <unistd.h>

namespace {
using Clock = std::chrono::steady_clock;

// Names of the first documents of the SDK base: each client looks up its own.
const char *const kWords[8] = {"LockTask0", "DeleteList0",    "FreeList0", "AllocBitMap0",
                               "SetLayer0", "DeleteLibrary0", "SetVec0",   "ReleaseNode0"};

// One client: its commands in batches, each answer checked in order.
bool Client(int commands, const std::string &base, const char *word)
{
    int fd = ConnectToPort("VELLUMSCANNER.1");
    if (fd < 0)
        return false;
    bool ok = true;
    for (int sent = 0; sent < commands && ok; sent += 50) {
        std::string batch;
        for (int i = sent; i < sent + 50; ++i)
            batch += i % 2 ? "QMX_FindFunction " + std::string(word) + " \"" + base + "\"\n" : "INFO VERSION\n";
        ok = send(fd, batch.data(), batch.size(), MSG_NOSIGNAL) == ssize_t(batch.size());
        std::string replies;
        char buf[8192];
        for (ssize_t n; ok && std::count(replies.begin(), replies.end(), '\n') < 50;)
            ok = (n = recv(fd, buf, sizeof buf, 0)) > 0 && (replies.append(buf, size_t(n)), true);
        for (int i = 0; ok && i < 50; ++i) {
            size_t nl = replies.find('\n');
            std::string line = replies.substr(0, nl);
            replies.erase(0, nl + 1);
            ok = i % 2 ? line == "0 " : line.rfind("0 $VER: Vellumscanner", 0) == 0;
        }
    }
    close(fd);
    return ok;
}

struct Program {
    std::string runtime;
    HeadlessProgram program;
    static std::string MakeRuntime()
    {
        char dir[] = "/tmp/bench-port-XXXXXX";
        std::string path = mkdtemp(dir);
        setenv("XDG_RUNTIME_DIR", path.c_str(), 1);
        return path;
    }
    Program() : runtime(MakeRuntime()), program("bench_port", true, true) {}
};

void BM_PortCommandsFrom8Clients(benchmark::State &state)
{
    Program p;
    const char *base = std::getenv("VS_SEARCH_BASE");
    std::string basePath = base ? base : "";
    for (auto _ : state) {
        std::atomic<int> done{0}, good{0};
        std::vector<std::thread> clients;
        for (int c = 0; c < 8; ++c)
            clients.emplace_back([&, c] {
                good += Client(1250, basePath, kWords[c]);
                ++done;
            });
        while (done < 8)
            if (!DoMethod(QMXObject.App, MUIM_Application_NewInput, nullptr))
                usleep(50);
        for (std::thread &t : clients)
            t.join();
        if (good != 8)
            state.SkipWithError("an answer was missing, wrong or out of order");
    }
    state.counters["commands/s"] = benchmark::Counter(10000.0 * double(state.iterations()),
                                                      benchmark::Counter::kIsRate);
}

// The events of bench/input_loop.h while the search runs.
void BM_InputLoopDelayDuringABaseSearch(benchmark::State &state)
{
    Program p;
    SetAttrs(QMXObject.BazaObj, QMXA_Baza_File, std::getenv("VS_SEARCH_BIG_BASE"));
    if (!DoMethod(QMXObject.BazaObj, QMXM_BazaOpen)) {
        state.SkipWithError("set VS_SEARCH_BIG_BASE");
        return;
    }
    double worst = 0, searchMs = 0;
    for (auto _ : state) {
        SetAttrs(FindGUI.Range, MUIA_Cycle_Active, 1);
        SetAttrs(FindGUI.Pattern, MUIA_String_Contents, "zqxjvw");
        auto start = Clock::now();
        SetAttrs(QMXObject.FindObj, QMXA_Find_Go, 0);
        worst = std::max(worst, LongestEventWait([] { return xget(QMXObject.FindObj, QMXA_Find_Running) != 0; }));
        searchMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    }
    state.counters["worst_event_ms"] = worst;
    state.counters["search_ms"] = searchMs;
}
}

BENCHMARK(BM_PortCommandsFrom8Clients)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_InputLoopDelayDuringABaseSearch)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_MAIN();

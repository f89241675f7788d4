// Showing a large plain-text document: the viewer reads it line by line into
// its text list. Reports the time to fill the list and the list's memory as a
// share of the file's size. The file comes from the synthetic corpus
// (VS_BENCH_TEXT names it; 50 MB by default).
#include "core/ids.h"
#include "core/objects.h"
#include "corpus.h"
#include "platform/nlist/nlist.h"
#include "view/view.h"
#include "vsdoc/session.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <sys/stat.h>

namespace {
std::string TextFile()
{
    const char *env = std::getenv("VS_BENCH_TEXT");
    std::string path = env && *env ? env : "/tmp/vellumscanner-bench-50mb.txt";
    EnsurePlainTextFile(path, 50u << 20);
    return path;
}

void BM_ShowLargePlainText(benchmark::State &state)
{
    std::string path = TextFile();
    struct stat st;
    stat(path.c_str(), &st);
    Session session("bench_textlist");
    if (!session.Ready() || !session.Open(path.c_str())) {
        state.SkipWithError("the document did not open");
        return;
    }
    for (auto _ : state)
        SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, 0);   // shows the whole-file entry: clear and fill
    state.counters["lines"] = double(NListLineCount(View.TextList));
    state.counters["file_MB"] = double(st.st_size) / (1 << 20);
    state.counters["model_MB"] = double(NListBytesHeld(View.TextList)) / (1 << 20);
    state.counters["model_per_file"] = double(NListBytesHeld(View.TextList)) / double(st.st_size);
    state.SetBytesProcessed(int64_t(state.iterations()) * st.st_size);
}
}

// What a window pays on top, to know how far its rows scroll sideways.
void BM_WidestLineOfLargePlainText(benchmark::State &state)
{
    Session session("bench_textlist");
    if (!session.Ready() || !session.Open(TextFile().c_str())) {
        state.SkipWithError("the document did not open");
        return;
    }
    SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(NListWidestLine(View.TextList));
}

BENCHMARK(BM_ShowLargePlainText)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_WidestLineOfLargePlainText)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();

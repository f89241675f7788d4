// The document base: a synthetic base of 1,000 documents and 100,000 entries
// loaded, saved and searched, the bytes of the file read for comparison, and
// the memory its records take beyond the entry names.
#include "base/baza.h"
#include "core/ids.h"
#include "core/konfig.h"
#include "core/objects.h"
#include "platform/exec/pool.h"
#include "util/strings.h"
#include "vsdoc/session.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace {
constexpr int kDocuments = 1000, kEntriesPerDocument = 100;

std::string BasePath()
{
    const char *env = std::getenv("VS_BENCH_BASE");
    return env && *env ? env : "/tmp/vellumscanner-bench-base.qmx";
}

// Twenty groups of fifty documents; entry names are unique across the base,
// and the last document holds names no other has.
void BuildBase()
{
    for (int g = 0; g < 20; ++g) {
        TreeNode *group = BazaAdd2Tree(nullptr, KIND_GROUP, NewSTR(("Group" + std::to_string(g)).c_str(), -1));
        for (int d = 0; d < kDocuments / 20; ++d) {
            int docNr = g * (kDocuments / 20) + d;
            Baza *b = BazaAlloc("Work:SDK/Autodocs/", ("lib" + std::to_string(docNr) + ".doc").c_str());
            b->InBase = 1;
            b->Library = NewSTR(("lib" + std::to_string(docNr) + ".library").c_str(), -1);
            for (int e = 0; e < kEntriesPerDocument; ++e) {
                Doc *entry = DocAlloc(("Function" + std::to_string(docNr) + "x" + std::to_string(e)).c_str());
                entry->Mark = '+', entry->Offset = e * 1500, entry->Line = e * 40 + 3, entry->Lines = 40;
                AddEntry(b, entry);
            }
            BazaAdd2Tree(group, KIND_DOCUMENT, b);
        }
    }
}

void Load()
{
    konfig.Modified = 0;
    DoMethod(QMXObject.BazaObj, QMXM_BazaClose);
    SetAttrs(QMXObject.BazaObj, QMXA_Baza_File, BasePath().c_str());
    DoMethod(QMXObject.BazaObj, QMXM_BazaOpen);
}

struct BaseSession {
    Session session{"bench_base"};
    BaseSession()
    {
        BuildBase();
        unlink(BasePath().c_str());
        SetAttrs(QMXObject.BazaObj, QMXA_Baza_File, BasePath().c_str());
        DoMethod(QMXObject.BazaObj, QMXM_BazaSave);
        Load();
    }
};

BaseSession &Base()
{
    static BaseSession *base = new BaseSession;
    return *base;
}

void BM_ReadTheBaseFileBytes(benchmark::State &state)
{
    Base();
    std::vector<char> block(1 << 16);
    int64_t bytes = 0;
    for (auto _ : state) {
        FileHandle *fh = Open(BasePath().c_str(), MODE_OLDFILE);
        for (LONG got; (got = Read(fh, block.data(), LONG(block.size()))) > 0;)
            bytes += got;
        Close(fh);
    }
    state.SetBytesProcessed(bytes);
}

// The least any reader of the format does: step from record to record, each
// text's length telling where the next record starts, over the file's bytes
// already in memory. The steps depend on each other, so their cost is the
// latency of one load each, not the bandwidth.
void BM_WalkTheBaseRecords(benchmark::State &state)
{
    Base();
    std::ifstream in(BasePath(), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const char *start = bytes.data() + bytes.find('\n') + 1, *end = bytes.data() + bytes.size();
    int64_t records = 0;
    for (auto _ : state) {
        const char *p = start;
        while (end - p >= 5) {
            char letter = *p;
            p += 5;
            if (letter == 'l')
                p += 4;
            else if (letter == 'c')
                p += 1;
            else if (letter == 's' && end - p >= 4) {
                LONG n;
                std::memcpy(&n, p, 4);
                p += 4 + (n > 0 ? n : 0);
            }
            ++records;
        }
        benchmark::DoNotOptimize(p);
    }
    state.counters["records"] = double(records) / double(state.iterations());
}

void BM_LoadTheBase(benchmark::State &state)
{
    Base();
    size_t before = 0, names = 0;
    for (auto _ : state) {
        state.PauseTiming();
        konfig.Modified = 0;
        DoMethod(QMXObject.BazaObj, QMXM_BazaClose);
        before = PoolBytesInUse(MemPool);
        SetAttrs(QMXObject.BazaObj, QMXA_Baza_File, BasePath().c_str());
        state.ResumeTiming();
        DoMethod(QMXObject.BazaObj, QMXM_BazaOpen);
    }
    LONG entries = 0;
    DoMethod(QMXObject.BazaObj, QMXM_BazaGetEntry, 0);
    for (LONG n = 0;; ++n) {
        IPTR got = DoMethod(QMXObject.BazaObj, QMXM_BazaGetEntry, n);
        if (!got)
            break;
        if (got == IPTR(-2))
            continue;
        for (Doc *e = FirstEntry(reinterpret_cast<Baza *>(got)); e; e = NextEntry(e), ++entries)
            names += std::strlen(e->Name) + 1;
    }
    // Entries read from the file lie with their names in blocks of their own;
    // everything the pool and those blocks hold beyond the names' characters
    // counts as record memory.
    size_t records = PoolBytesInUse(MemPool) - before + KeptDocBytes() - names;
    state.counters["entries"] = double(entries);
    state.counters["record_bytes_per_entry"] = double(records) / double(entries);
}

void BM_SaveTheBase(benchmark::State &state)
{
    Base();
    std::string copy = BasePath() + ".copy";
    for (auto _ : state) {
        unlink(copy.c_str());
        SetAttrs(QMXObject.BazaObj, QMXA_Baza_File, copy.c_str());
        DoMethod(QMXObject.BazaObj, QMXM_BazaSave);
    }
    SetAttrs(QMXObject.BazaObj, QMXA_Baza_File, BasePath().c_str());
}

void BM_LinkLookupInTheLastDocument(benchmark::State &state)
{
    Base();
    std::string word = "Function" + std::to_string(kDocuments - 1) + "x" + std::to_string(kEntriesPerDocument - 1);
    for (auto _ : state)
        DoMethod(QMXObject.BazaObj, QMXM_BazaFindLink, word.c_str(), LONG(word.size()));
    state.counters["found_line"] = double(xget(QMXObject.IndexObj, QMXA_Index_Active));
}
}

BENCHMARK(BM_ReadTheBaseFileBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WalkTheBaseRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadTheBase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveTheBase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LinkLookupInTheLastDocument)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();

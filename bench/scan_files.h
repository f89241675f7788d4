// The index scan of a set of files as the benchmarks time it: each file
// opened, scanned into a fresh record, the record and the file let go.
#pragma once
#include "base/records.h"
#include "platform/dos/files.h"
#include "vsdoc/session.h"

#include <benchmark/benchmark.h>
#include <string>
#include <vector>

template <class Scan> void ScanFiles(benchmark::State &state, const std::vector<std::string> &files, Scan scan)
{
    Session session("bench_scan");
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

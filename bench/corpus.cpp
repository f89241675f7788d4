#include "corpus.h"

#include <cstdint>
#include <fstream>
#include <sys/stat.h>

namespace {
struct Random {
    uint64_t state = 0x5eed1234abcdULL;
    uint32_t Next()
    {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return uint32_t(state >> 33);
    }
};

const char *const kWords[] = {"AllocMem", "FreeMem", "the",  "memory", "list", "node",         "library",
                              "of",       "a",       "to",   "Exec",   "task", "signal",       "port",
                              "message",  "returns", "NULL", "if",     "size", "requirements", "block",
                              "and",      "is",      "in",   "SEE",    "ALSO", "flags",        "window"};
}

std::string MakePlainText(size_t bytes)
{
    Random r;
    std::string out;
    out.reserve(bytes + 100);
    while (out.size() < bytes) {
        size_t target = 10 + r.Next() % 81, start = out.size();
        if (r.Next() % 8 == 0)
            out += '\t';
        while (out.size() - start < target) {
            out += kWords[r.Next() % (sizeof kWords / sizeof kWords[0])];
            out += ' ';
        }
        out.back() = '\n';
    }
    return out;
}

void EnsurePlainTextFile(const std::string &path, size_t bytes)
{
    struct stat st;
    if (stat(path.c_str(), &st) == 0 && size_t(st.st_size) >= bytes && size_t(st.st_size) < bytes + 200)
        return;
    std::string text = MakePlainText(bytes);
    std::ofstream(path, std::ios::binary).write(text.data(), std::streamsize(text.size()));
}

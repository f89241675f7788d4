// Writes the synthetic guide corpus for the shell-level benchmarks: 20,000
// guides of about 1 GB in all.   bench_make_guides DIR
#include "guide_corpus.h"

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_make_guides DIR\n");
        return 2;
    }
    std::printf("%zu\n", EnsureGuideCorpus(argv[1], 20000, 1000u << 20).size());
    return 0;
}

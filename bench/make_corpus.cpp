// Writes the synthetic autodoc corpus for the shell-level benchmarks: the
// 20 MB SDK of many autodocs, and one autodoc of 25,000 entries.
//   bench_make_corpus DIR  (prints the big autodoc's path)
#include "autodoc_corpus.h"
#include "corpus_files.h"

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_make_corpus DIR\n");
        return 2;
    }
    std::string dir = argv[1];
    EnsureAutodocCorpus(dir, 20u << 20);
    std::string big = dir + "/big25000.doc";
    EnsureFile(big, [] { return MakeAutodoc("big.library", 25000, 25000); });
    std::printf("%s\n", big.c_str());
    return 0;
}

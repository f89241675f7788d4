// Writes the synthetic corpora for the shell-level benchmarks: the 20 MB SDK
// of many autodocs and one autodoc of 25,000 entries in DIR, and, given a
// second folder, 50 MB of headers and 20 MB of interfaces in it.
//   bench_make_corpus DIR [SOURCES]  (prints the big autodoc's path)
#include "autodoc_corpus.h"
#include "corpus_files.h"
#include "source_corpus.h"

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: bench_make_corpus DIR [SOURCES]\n");
        return 2;
    }
    std::string dir = argv[1];
    EnsureAutodocCorpus(dir, 20u << 20);
    std::string big = dir + "/big25000.doc";
    EnsureFile(big, [] { return MakeAutodoc("big.library", 25000, 25000); });
    if (argc == 3) {
        EnsureHeaderCorpus(std::string(argv[2]) + "/headers", 50u << 20);
        EnsureInterfaceCorpus(std::string(argv[2]) + "/interfaces", 20u << 20);
    }
    std::printf("%s\n", big.c_str());
    return 0;
}

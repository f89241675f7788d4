// Writes the language server's benchmark SDK: 1,000 autodocs of 100
// functions each in DIR (100,000 entries, the real-size base's count), each
// file written only when missing.
//   bench_make_lsp_corpus DIR  (prints the files' paths, one a line)
#include "autodoc_corpus.h"
#include "corpus_files.h"

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_make_lsp_corpus DIR\n");
        return 2;
    }
    for (unsigned i = 0; i < 1000; ++i) {
        std::string path = std::string(argv[1]) + "/lib" + std::to_string(i) + ".doc";
        EnsureFile(path, [i] { return MakeAutodoc("lib" + std::to_string(i) + ".library", 100, i); });
        std::printf("%s\n", path.c_str());
    }
    return 0;
}

// vscatcomp SOURCE.ct OUTPUT.catalog: compiles a translation.
#include "catcomp.h"

#include <cstdio>
#include <fstream>
#include <sstream>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: vscatcomp SOURCE OUTPUT\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "vscatcomp: cannot read %s\n", argv[1]);
        return 1;
    }
    std::stringstream source;
    source << in.rdbuf();
    std::string catalog, error;
    if (!CompileCatalog(source.str(), catalog, error)) {
        std::fprintf(stderr, "vscatcomp: %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(catalog.data(), std::streamsize(catalog.size()));
    if (!out) {
        std::fprintf(stderr, "vscatcomp: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}

// What the synthetic corpora share: a small deterministic random source, so
// every run writes the same bytes, and a folder filled with files until they
// hold a given size, each written only when missing.
#pragma once
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <vector>

struct Random {
    uint64_t state;
    uint32_t Next()
    {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return uint32_t(state >> 33);
    }
    const char *Pick(const char *const *words, size_t n) { return words[Next() % n]; }
};

// The file at path, written with make() when it is missing; its size.
template <class Make> size_t EnsureFile(const std::string &path, Make make)
{
    struct stat st;
    if (stat(path.c_str(), &st) != 0) {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::string text = make();
        std::ofstream(path, std::ios::binary).write(text.data(), std::streamsize(text.size()));
        if (stat(path.c_str(), &st) != 0)
            throw std::runtime_error("cannot write " + path);
    }
    return size_t(st.st_size);
}

// name(i) is the i-th file's name in dir, make(i) its bytes; at most files of them.
template <class Name, class Make>
std::vector<std::string> EnsureFiles(const std::string &dir, size_t bytes, Name name, Make make,
                                     size_t files = SIZE_MAX)
{
    std::vector<std::string> paths;
    size_t total = 0;
    for (unsigned i = 0; total < bytes && paths.size() < files; ++i) {
        paths.push_back(dir + "/" + name(i));
        total += EnsureFile(paths.back(), [&] { return make(i); });
    }
    return paths;
}

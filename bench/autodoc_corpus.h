// A deterministic synthetic SDK: autodocs in the shape of real ones
// (contents table, form feeds, headings given twice, NAME, SYNOPSIS,
// FUNCTION, INPUTS, RESULT, EXAMPLE, SEE ALSO), the same bytes every run.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

// One autodoc of `entries` functions of library `library`.
std::string MakeAutodoc(const std::string &library, size_t entries, unsigned seed);
// Writes autodocs into dir until they hold at least `bytes`; returns their paths.
std::vector<std::string> EnsureAutodocCorpus(const std::string &dir, size_t bytes);

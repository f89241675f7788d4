// The deterministic synthetic corpus of the benchmarks: the same bytes on
// every machine and every run.
#pragma once
#include <cstddef>
#include <string>

// Plain text of about `bytes` bytes in lines of 10 to 90 characters (about
// 50 on average) of words, blanks and the odd tab.
std::string MakePlainText(size_t bytes);
// Writes the text to path unless a file of that size is already there.
void EnsurePlainTextFile(const std::string &path, size_t bytes);

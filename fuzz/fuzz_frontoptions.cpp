// The window program's command line as it is read before anything starts,
// one word per line of input, and every word as a desktop's URL.
#include "app/options.h"

#include <cstdio>
#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char *>(data), size));
    std::vector<std::string> words = {"vellumscanner"};
    for (std::string w; std::getline(in, w);)
        words.push_back(w);
    std::vector<char *> argv;
    for (std::string &w : words) {
        argv.push_back(w.data());
        FileFromURL(w);
    }
    static FILE *nowhere = std::fopen("/dev/null", "w");   // the help text, not the fuzzer's log
    ReadFrontOptions(int(argv.size()), argv.data(), nowhere, nowhere);
    return 0;
}

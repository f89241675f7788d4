// vsdoc's command line, one word per line of input.
#include "vsdoc/commands.h"

#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char *>(data), size));
    std::vector<std::string> words;
    for (std::string w; std::getline(in, w);)
        words.push_back(w);
    VsdocArgs args;
    std::string error;
    ParseVsdocArgs(words, args, error);
    return 0;
}

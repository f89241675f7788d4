// Shell patterns (a tool type may set one) matched against names.
#include "platform/dos/patterns.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    std::string in(reinterpret_cast<const char *>(data), size);
    size_t cut = in.find('\n');
    std::string pattern = in.substr(0, cut), name = cut == std::string::npos ? "" : in.substr(cut + 1);
    std::string parsed(pattern.size() * 2 + 2, '\0');
    if (ParsePatternNoCase(pattern.c_str(), parsed.data(), LONG(parsed.size())) >= 0)
        MatchPatternNoCase(parsed.c_str(), name.c_str());
    PatternAsGlobs(pattern.c_str());   // the file dialog shows the pattern this way
    return 0;
}

// Catalog files, and catalog texts used as formats.
#include "platform/dos/format.h"
#include "platform/locale/catalog.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    std::map<LONG, std::string> strings;
    std::string language;
    if (ParseCatalog(data, size, strings, &language))
        for (auto &s : strings) {
            IPTR args[] = {ToIPTR("file name")};
            VFormat(s.second.c_str(), args, 1);
        }
    return 0;
}

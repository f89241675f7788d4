// Any bytes after an XML declaration: the interface and method scan and
// every entry shown.
#include "scratch_document.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    OpenAndShowEntries("vsfuzz-xml", ".xml",
                       "<?xml version=\"1.0\"?>\n" + std::string(reinterpret_cast<const char *>(data), size));
    return 0;
}

// Any bytes in a file named as a C header: the structure scan and every
// entry shown.
#include "scratch_document.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    OpenAndShowEntries("vsfuzz-header", ".h", std::string(reinterpret_cast<const char *>(data), size));
    return 0;
}

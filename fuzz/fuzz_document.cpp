// Any bytes opened as a document through the viewer, whatever type takes
// them, and its entries shown.
#include "scratch_document.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    OpenAndShowEntries("vsfuzz-doc", "", std::string(reinterpret_cast<const char *>(data), size));
    return 0;
}

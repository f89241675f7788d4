// Any bytes after a guide's database line: the index scan, every node shown
// (its lines converted, its links made), each link followed, a search hit.
#include "core/objects.h"
#include "doctypes/aguide.h"
#include "scratch_document.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    std::string bytes(reinterpret_cast<const char *>(data), size);
    OpenAndShowEntries("vsfuzz-guide", ".guide", "@DATABASE fuzz\n" + bytes, [](LONG) {
        for (LONG n = 1; n <= 4; ++n)   // where links lead, another document may be shown
            SetAttrs(Parser[PARSER_AGUIDE], QMXA_AGuide_Link, n);
    });
    return 0;
}

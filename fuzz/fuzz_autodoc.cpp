// Any bytes after an autodoc's contents line: the entry scan, every entry
// shown, its search rows looked up, and the heading test on each line.
#include "doctypes/adoc.h"
#include "scratch_document.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    std::string bytes(reinterpret_cast<const char *>(data), size);
    OpenAndShowEntries("vsfuzz-adoc", "", "TABLE OF CONTENTS\n" + bytes);
    FuncTestDir(bytes.data(), "exec.library");
    return 0;
}

// Any bytes opened as a document through the viewer, whatever type takes
// them, and its entries shown. Then the same file indexed as the viewer does
// and as a base add does on the scanning threads: both must give the same
// type, caption and entries.
#include "base/baza.h"
#include "base/scanqueue.h"
#include "core/konfig.h"
#include "platform/exec/lists.h"
#include "scratch_document.h"

#include <cstdlib>

namespace {
void IndexBothWays(const char *path)
{
    SetScanThreads(2);
    Baza *viewer = BazaAlloc(nullptr, nullptr);
    bool indexed = BazaIndexFile(path, viewer, nullptr, 0);
    if (BazaAddFiles({path}, nullptr) != (indexed ? 1 : 0))
        std::abort();
    if (indexed && !SameEntries(viewer, static_cast<Baza *>(NListtreeRoots(BazaGUI.Tree)->back()->tn_User)))
        std::abort();
    BazaFree(viewer);
    konfig.Modified = 0;
    DoMethod(QMXObject.BazaObj, QMXM_BazaClose);
}
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    OpenAndShowEntries("vsfuzz-doc", "", std::string(reinterpret_cast<const char *>(data), size), nullptr,
                       IndexBothWays);
    return 0;
}

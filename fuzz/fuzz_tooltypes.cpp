// Tool types files.
#include "app/startup.h"
#include "core/konfig.h"
#include "platform/icon/icon.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    static bool ready = OpenMyLibs() == nullptr;
    if (!ready)
        return 0;
    DiskObject *icon = ParseToolTypes(reinterpret_cast<const char *>(data), size);
    KonfigToolTypes(icon->do_ToolTypes);
    FreeDiskObject(icon);
    KonfigFree();
    return 0;
}

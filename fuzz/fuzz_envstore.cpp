// The environment store's text form.
#include "platform/mui/envstore.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    Dataspace ds;
    if (EnvStoreParse(std::string(reinterpret_cast<const char *>(data), size), ds))
        for (auto &v : ds.Values()) {
            LONG numbers[4];
            SplitNumbers(v.second, numbers, 4);
        }
    return 0;
}

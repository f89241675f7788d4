// Command lines against the program's template and a template of every kind.
#include "app/startup.h"
#include "platform/dos/readargs.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    std::string line(reinterpret_cast<const char *>(data), size);
    if (line.find('?') != std::string::npos && line.size() < 4)
        return 0;   // "?" asks standard input for the line
    IPTR args[ARG_COUNT] = {0, 0};
    FreeArgs(ReadArgs(ArgTemplate, args, line.c_str()));
    IPTR more[4] = {0, 0, 0, 0};
    FreeArgs(ReadArgs("NAME/K,QUIET/S,COUNT/N,FILES/M", more, line.c_str()));
    LONG v;
    StrToLong(line.c_str(), &v);
    return 0;
}

// Command lines as the command port hands them to the application: the name,
// the built-in commands, the templates of the program's own. HELP is given a
// name in a scratch folder only: it writes the file it names.
#include "platform/dos/files.h"
#include "platform/intuition/classes.h"
#include "platform/mui/commands.h"
#include "platform/utility/charset.h"

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {
IPTR Count(Hook *hook, APTR, APTR args)
{
    ++*static_cast<long *>(hook->h_Data);
    return static_cast<IPTR *>(args)[0] ? 0 : 5;
}
long calls = 0;
Hook counting = {Count, &calls};
const MUI_Command kTable[] = {
    {"QMX_BaseOpen", "FILENAME/A", 1, &counting, {0, 0, 0, 0, 0}},
    {"QMX_FileClose", "", 0, &counting, {0, 0, 0, 0, 0}},
    {"QMX_FindFunction", "WORD/A,BASEFILE/A", 2, &counting, {0, 0, 0, 0, 0}},
    {"MANY", "NAME/K,QUIET/S,COUNT/N,FILES/M", 4, &counting, {0, 0, 0, 0, 0}},
    {nullptr, nullptr, 0, nullptr, {0, 0, 0, 0, 0}},
};
Object *App()
{
    static Object *app = MUI_NewObject(MUIC_Application, MUIA_Application_Base, "FUZZ", MUIA_Application_UseRexx,
                                       FALSE);
    return app;
}
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    std::string line(reinterpret_cast<const char *>(data), size);
    if (line.find('\n') != std::string::npos || line.find('\0') != std::string::npos)
        return 0;   // the port answers such lines itself
    size_t start = line.find_first_not_of(" \t");
    if (start != std::string::npos && Strnicmp(line.c_str() + start, "HELP", 4) == 0) {
        static std::string scratch = [] {
            char dir[] = "/tmp/fuzz-help-XXXXXX";
            return std::string(mkdtemp(dir));
        }();
        line = "HELP " + scratch + "/list";
    }
    ApplicationInfo info = {"Fuzz", "me", "(c)", "fuzzing", "$VER: 1", "FUZZ"};
    CommandReply reply = RunPortCommand(App(), kTable, info, line);
    if (reply.rc < 0)
        std::abort();
    DoMethod(App(), MUIM_Application_NewInput, nullptr);   // takes QUIT's return id
    return 0;
}

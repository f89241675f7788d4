// The start mode: the settings record's defaults, then what the shell's
// arguments or the desktop's start message and the program's icon say. A
// base handed over opens in the full window.
#include "base/baseheader.h"
#include "core/konfig.h"
#include "platform/dos/format.h"
#include "platform/dos/paths.h"
#include "platform/icon/icon.h"
#include "startup.h"
#include "util/strings.h"

#include <cstring>

namespace {
void Defaults(CONST_STRPTR fileName)
{
    konfig.Modified = 0;
    konfig.FullGUI = fileName ? 0 : 1;
    konfig.NoSelFunc = 0;
    konfig.AutoOpen = 0;
    konfig.ProgName = konfig.BaseDefault = konfig.ProjectFile = nullptr;
    konfig.ASLPattern = const_cast<STRPTR>(DocFilePattern);
    konfig.TabSize = 7;
    konfig.FunSize = 0;
    konfig.TxtSize = 3;
    konfig.BazaWeight = 60;
    konfig.LeftWeight = 30;
    konfig.ADocWeight = 300;
    konfig.ListMax = 50;
    konfig.SortReverse = 0;
}

void ShellStart(CONST_STRPTR fileName, char **argv)
{
    // the program's own name, wherever it was started from
    IPTR arg = ToIPTR(FilePart(argv[0]));
    std::string name = VFormat("PROGDIR:%s", &arg, 1);
    konfig.ProgName = NewSTR(name.c_str(), LONG(name.size()));
    if (!konfig.FullGUI)
        konfig.FullGUI = WORD(IsBaseHeader(fileName));
}

void DesktopStart(const WBStartup *wb)
{
    const WBArg &self = wb->sm_ArgList[0];
    FileLock *old = CurrentDir(self.wa_Lock);
    DiskObject *icon = GetDiskObjectNew(self.wa_Name);
    if (!icon)   // an installed program keeps its tool types with its data
        icon = GetDiskObjectNew(InstalledDataPath(self.wa_Name).c_str());
    if (icon) {
        KonfigToolTypes(icon->do_ToolTypes);
        FreeDiskObject(icon);
    }
    CurrentDir(old);
    if (wb->sm_NumArgs > 1) {
        konfig.FullGUI = 0;
        const WBArg &project = wb->sm_ArgList[1];
        char full[8192];
        if (NameFromLock(project.wa_Lock, full, sizeof full) && AddPart(full, project.wa_Name, sizeof full))
            konfig.ProjectFile = NewSTR(full, LONG(std::strlen(full)));
        // a base handed over by the desktop opens as a base, in the full window
        konfig.FullGUI = WORD(konfig.ProjectFile && IsBaseHeader(konfig.ProjectFile));
    }
    std::string name = std::string("PROGDIR:") + self.wa_Name;
    konfig.ProgName = NewSTR(name.c_str(), LONG(name.size()));
}
}

void KonfigInit(CONST_STRPTR fileName, int argc, char **argv, const WBStartup *wbStart)
{
    Defaults(fileName);
    if (argc != 0)
        ShellStart(fileName, argv);
    else if (wbStart && wbStart->sm_NumArgs > 0)
        DesktopStart(wbStart);
    KonfigLoad();
}

#include "konfig.h"

#include "base/baseheader.h"
#include "ids.h"
#include "platform/dos/format.h"
#include "platform/dos/paths.h"
#include "platform/dos/readargs.h"
#include "platform/icon/icon.h"
#include "startup.h"
#include "util/strings.h"

#include <cstring>

Konfig konfig;

namespace {
// A number tool type replaces a setting only when it lies in range.
void NumberInRange(STRPTR *toolTypes, CONST_STRPTR name, LONG *setting, LONG min, LONG max)
{
    STRPTR value = FindToolType(toolTypes, name);
    LONG v;
    if (value && StrToLong(value, &v) > 0 && v >= min && v <= max)
        *setting = v;
}

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

void KonfigToolTypes(STRPTR *toolTypes)
{
    if (FindToolType(toolTypes, "View.TinyGUI"))
        konfig.FullGUI = 0;
    if (FindToolType(toolTypes, "View.NoSelFunc"))
        konfig.NoSelFunc = 1;
    NumberInRange(toolTypes, "View.TabSize", &konfig.TabSize, 1, 15);
    NumberInRange(toolTypes, "View.FunSize", &konfig.FunSize, 1, 31);
    NumberInRange(toolTypes, "View.TxtSize", &konfig.TxtSize, 1, 31);
    if (STRPTR pattern = FindToolType(toolTypes, "ASL_Pattern"))
        konfig.ASLPattern = NewSTR(pattern, -1);
    if (FindToolType(toolTypes, "Base.AutoOpen"))
        konfig.AutoOpen = 1;
    if (STRPTR base = FindToolType(toolTypes, "Base.Default")) {
        konfig.BaseDefault = NewSTR(base, -1);
        konfig.AutoOpen = 1;
    }
    LONG listMax;
    STRPTR value = FindToolType(toolTypes, "View.ListMax");
    if (value && StrToLong(value, &listMax) > 0)
        konfig.ListMax = listMax <= 4 ? 5 : listMax > 1000 ? 1000 : listMax;
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

void KonfigLoad()
{
    // the hidden state objects are restored with the application's settings
}

void KonfigSave()
{
    if (konfig.FullGUI != 1)
        return;
    SetAttrs(konfig.LastBase, MUIA_String_Contents, xget(QMXObject.BazaObj, QMXA_Baza_File));
    // the setting holds no negative number: no active entry is kept as the
    // top of its range, which no node has, so the next start selects nothing
    LONG entry = LONG(xget(QMXObject.BazaObj, QMXA_Baza_ActiveNr));
    SetAttrs(konfig.LastEntry, MUIA_Numeric_Value, entry < 0 ? 0x7FFFFFFF : entry);
    SetAttrs(konfig.LastIndex, MUIA_Numeric_Value, xget(QMXObject.IndexObj, QMXA_Index_Active));
    DoMethod(QMXObject.App, MUIM_Application_Save, MUIV_Application_Save_ENVARC);
    DoMethod(QMXObject.App, MUIM_Application_Save, MUIV_Application_Save_ENV);
}

void KonfigFree()
{
    KonfigSave();
    DelSTR(&konfig.ProgName);
    DelSTR(&konfig.BaseDefault);
    if (konfig.ASLPattern != DocFilePattern)
        DelSTR(&konfig.ASLPattern);
    konfig.ASLPattern = nullptr;
    DelSTR(&konfig.ProjectFile);
}

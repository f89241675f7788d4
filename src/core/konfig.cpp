#include "konfig.h"

#include "ids.h"
#include "objects.h"
#include "platform/dos/readargs.h"
#include "platform/icon/icon.h"
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

#include "startup.h"
#include "version.h"

#include "base/baza.h"
#include "base/grouped.h"
#include "base/scanqueue.h"
#include "core/ids.h"
#include "core/konfig.h"
#include "core/locale.h"
#include "core/objects.h"
#include "doctypes/typescan.h"
#include "logo.h"
#include "platform/dos/files.h"
#include "platform/dos/locks.h"
#include "platform/dos/paths.h"
#include "platform/dos/readargs.h"
#include "platform/exec/libraries.h"
#include "platform/exec/pool.h"
#include "platform/exec/signals.h"
#include "platform/locale/catalog.h"
#include "platform/mui/mui.h"
#include "platform/mui/requesters.h"
#include "search/find.h"
#include "view/index.h"
#include "view/view.h"
#include "window.h"

#include <cstring>

const char ArgTemplate[] = "(c) 2010-2026 The Vellumscanner authors. Vellumscanner (ver:" VS_VERSION
                           "):\n FILE_NAME/A, FUNC_NAME/F";

namespace {
struct LibrarySlot {
    const char *name;
    ULONG version;
    LONG failureId;   // message id, or -1 for a fixed text
    const char *fixedText;
    Library *base;
};

LibrarySlot Libraries[] = {
    {"intuition.library", 37, -1, "Problem: 'intuition.library'!", nullptr},
    {"locale.library", 38, -1, "Problem: 'locale.library'!", nullptr},
    {"muimaster.library", 11, 3, nullptr, nullptr},
    {"utility.library", 0, 4, nullptr, nullptr},
    {"asl.library", 0, 5, nullptr, nullptr},
    {"icon.library", 0, 6, nullptr, nullptr},
    {"graphics.library", 0, 7, nullptr, nullptr},
    {"cybergraphics.library", 0, 8, nullptr, nullptr},
};
constexpr size_t kLocaleSlot = 1;

void OpenCatalogAfterLocale()
{
    SoftCat = OpenCatalog(nullptr, "Vellumscanner.catalog", OC_BuiltInLanguage, "english");
    InitLocaleArray();
    UseCatalogLanguage(SoftCat);
}
}

BOOL MakeQMXClass(BOOL create)
{
    if (create)
        SetDocumentScan(ScanDocument);   // the base scans its files as the document types do
    // the order in which the window's panels depend on each other
    BOOL (*const order[])(BOOL) = {ClassBaza, ClassIndex, ClassView, ClassGroup, ClassFind, ClassImage};
    for (auto make : order)
        if (!make(create) && create)
            return FALSE;
    return TRUE;
}

CONST_STRPTR OpenMyLibs()
{
    for (size_t i = 0; i < sizeof Libraries / sizeof Libraries[0]; ++i) {
        LibrarySlot &slot = Libraries[i];
        slot.base = OpenLibrary(slot.name, slot.version);
        if (!slot.base)
            return slot.failureId < 0 ? slot.fixedText : GetLoc(slot.failureId);
        if (i == kLocaleSlot)
            OpenCatalogAfterLocale();
    }
    InitMuiClasses();   // the toolkit's own classes, which every panel's class is made on
    MemPool = CreatePool(0, 16384, 16380);
    if (!MemPool)
        return GetLoc(9);
    return nullptr;
}

void CloseMyLibs()
{
    if (Libraries[kLocaleSlot].base) {
        CloseCatalog(SoftCat);
        SoftCat = nullptr;
        ResetLocaleArray();
    }
    UnLock(CurrentDir(nullptr));   // leave the directory the viewer entered
    DeletePool(MemPool);
    MemPool = nullptr;
    for (size_t i = sizeof Libraries / sizeof Libraries[0]; i-- > 0;) {
        CloseLibrary(Libraries[i].base);
        Libraries[i].base = nullptr;
    }
}

void KonfigArgs(IPTR *args)
{
    auto *fileName = reinterpret_cast<CONST_STRPTR>(args[ARG_FILE_NAME]);
    auto *funcName = reinterpret_cast<CONST_STRPTR>(args[ARG_FUNC_NAME]);
    if (fileName && !konfig.FullGUI) {
        SetAttrs(QMXObject.ViewObj, QMXA_View_File, fileName);
        // Without a function name the first entry is shown, not an empty viewer.
        if (funcName)
            SetAttrs(QMXObject.IndexObj, QMXA_Index_FindName, funcName);
        else
            SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, -2);
        return;
    }
    if (fileName || (konfig.ProjectFile && konfig.FullGUI)) {
        SetAttrs(QMXObject.BazaObj, QMXA_Baza_File, fileName ? fileName : konfig.ProjectFile);
        if (DoMethod(QMXObject.BazaObj, QMXM_BazaOpen))
            SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, 0);
        return;
    }
    if (konfig.ProjectFile) {
        SetAttrs(QMXObject.ViewObj, QMXA_View_File, konfig.ProjectFile);
        return;
    }
    if (!konfig.AutoOpen)
        return;
    if (konfig.BaseDefault) {
        SetAttrs(QMXObject.BazaObj, QMXA_Baza_File, konfig.BaseDefault);
        DoMethod(QMXObject.BazaObj, QMXM_BazaOpen);
        return;
    }
    auto *last = reinterpret_cast<CONST_STRPTR>(xget(konfig.LastBase, MUIA_String_Contents));
    if (!last || !*last || std::strcmp(last, BazaFileDir) == 0)
        return;
    SetAttrs(QMXObject.BazaObj, QMXA_Baza_File, last);
    if (!DoMethod(QMXObject.BazaObj, QMXM_BazaOpen))
        return;
    SetAttrs(QMXObject.BazaObj, QMXA_Baza_ActiveNr, xget(konfig.LastEntry, MUIA_Numeric_Value));
    SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, xget(konfig.LastIndex, MUIA_Numeric_Value));
}

namespace {
// One pass of the input loop; true when it asks to end: Quit from the menu,
// the window's close button or the port, or Ctrl-C.
bool QuitAsked(ULONG *signals)
{
    if (DoMethod(QMXObject.App, MUIM_Application_NewInput, signals) == MUIV_Application_ReturnID_Quit)
        return true;
    return *signals && (Wait(*signals | SIGBREAKF_CTRL_C) & SIGBREAKF_CTRL_C);
}
}

// An unsaved base is asked about before the loop ends; Cancel, or a save
// that did not happen, goes back to the loop with nothing lost.
void MainLoop()
{
    SetAttrs(QMXObject.Win, MUIA_Window_Open, TRUE);
    ULONG signals = 0;
    for (;;) {
        if (!QuitAsked(&signals))
            continue;
        if (xget(QMXObject.App, MUIA_Application_ForceQuit) || DoMethod(QMXObject.BazaObj, QMXM_BazaMayDrop))
            break;
    }
    konfig.Modified = 0;
    SetAttrs(QMXObject.Win, MUIA_Window_Open, FALSE);
}

int QMXMain(int argc, char **argv, const WBStartup *wbStart)
{
    IPTR args[ARG_COUNT] = {0, 0};
    RDArgs *rda = nullptr;
    if (argc) {
        SetProgramDir(argv[0]);
        std::string line = CommandLineFromArgv(argc, argv);
        rda = ReadArgs(ArgTemplate, args, line.c_str());
    } else if (wbStart && wbStart->sm_NumArgs > 0) {
        char dir[8192];
        if (NameFromLock(wbStart->sm_ArgList[0].wa_Lock, dir, sizeof dir))
            AssignPath("PROGDIR", dir);
    }
    InstallBreakHandler();
    if (CONST_STRPTR failure = OpenMyLibs()) {
        IPTR arg = ToIPTR(failure);
        VFPrintf(Output(), "%s\n", &arg, 1);
        Flush(Output());
    } else {
        KonfigInit(reinterpret_cast<CONST_STRPTR>(args[ARG_FILE_NAME]), argc, argv, wbStart);
        if (MakeQMXClass(TRUE)) {
            if (BuildApp()) {
                MakeQMXMethod();
                DoMethod(QMXObject.App, MUIM_Application_Load, MUIV_Application_Load_ENV);
                KonfigArgs(args);
                MainLoop();
                PoolWillGoWhole(MemPool);   // deleted whole after the objects: they need not give back each record
                KonfigFree();
                konfig.LastBase = konfig.LastEntry = konfig.LastIndex = nullptr;   // saved; they go first
                MUI_DisposeObject(QMXObject.App);
                QMXObject = QMXObjects{};
            }
            MakeQMXClass(FALSE);
        }
    }
    FreeArgs(rda);
    CloseMyLibs();
    return 0;
}

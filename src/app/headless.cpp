#include "headless.h"

#include "core/konfig.h"
#include "core/objects.h"
#include "platform/dos/paths.h"
#include "platform/exec/pool.h"
#include "startup.h"
#include "window.h"

HeadlessProgram::HeadlessProgram(CONST_STRPTR program, bool fullGUI, bool port)
{
    UseCommandPort = port;
    SetProgramDir(program);
    libraries_ = OpenMyLibs() == nullptr;
    if (!libraries_)
        return;
    char *argv[] = {const_cast<char *>(program), nullptr};
    KonfigInit(fullGUI ? nullptr : "", 1, argv, nullptr);
    konfig.FullGUI = fullGUI;
    classes_ = MakeQMXClass(TRUE);
    if (classes_ && BuildApp()) {
        MakeQMXMethod();
        ready_ = true;
    }
}

HeadlessProgram::~HeadlessProgram()
{
    if (ready_) {
        PoolWillGoWhole(MemPool);   // deleted whole after the objects: they need not give back each record
        KonfigFree();
        konfig.LastBase = konfig.LastEntry = konfig.LastIndex = nullptr;   // saved; they go first
        MUI_DisposeObject(QMXObject.App);
        QMXObject = QMXObjects{};
    }
    if (classes_)
        MakeQMXClass(FALSE);
    if (libraries_)
        CloseMyLibs();
}

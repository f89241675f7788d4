#include "session.h"

#include "app/classes.h"
#include "app/ids.h"
#include "app/konfig.h"
#include "app/startup.h"
#include "app/window.h"
#include "base/records.h"
#include "platform/dos/paths.h"

Session::Session(const char *program)
{
    SetProgramDir(program);
    if (OpenMyLibs())
        return;
    char *argv[] = {const_cast<char *>(program), nullptr};
    KonfigInit("", 1, argv, nullptr);
    konfig.FullGUI = 0;   // the viewer-only window, and nothing saved at the end
    classes_ = MakeQMXClass(TRUE);
    if (classes_ && BuildApp()) {
        MakeQMXMethod();
        ready_ = true;
    }
}

Session::~Session()
{
    if (ready_) {
        KonfigFree();
        MUI_DisposeObject(QMXObject.App);
        QMXObject = QMXObjects{};
    }
    if (classes_)
        MakeQMXClass(FALSE);
    CloseMyLibs();
}

bool Session::Open(const char *file)
{
    SetAttrs(QMXObject.ViewObj, QMXA_View_File, file);
    auto *doc = reinterpret_cast<Baza *>(xget(QMXObject.ViewObj, QMXA_View_Document));
    return doc && doc->DocType;
}

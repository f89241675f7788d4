#include "session.h"

#include "app/ids.h"
#include "app/startup.h"
#include "base/records.h"

bool Session::Open(const char *file)
{
    SetAttrs(QMXObject.ViewObj, QMXA_View_File, file);
    auto *doc = reinterpret_cast<Baza *>(xget(QMXObject.ViewObj, QMXA_View_Document));
    return doc && doc->DocType;
}

#include "requesters.h"

#include "locale.h"
#include "objects.h"
#include "platform/mui/requesters.h"

namespace {
IPTR RefreshASL(Hook *, APTR object, APTR message)
{
    auto *imsg = static_cast<IntuiMessage *>(object);
    auto *req = static_cast<FileRequester *>(message);
    if (imsg && imsg->Class == IDCMP_REFRESHWINDOW && req)
        DoMethod(static_cast<Object *>(req->fr_UserData), MUIM_Application_CheckRefresh);
    return 0;
}
}

Hook HOOK_RefreshASL = {RefreshASL, nullptr};

void ViewCannotOpen(CONST_STRPTR name)
{
    MUI_Request(QMXObject.App, QMXObject.Win, 0, GetLoc(0), GetLoc(63), GetLoc(11), name ? name : "");
}

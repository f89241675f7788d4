// The question asked wherever an unsaved base would be dropped: quitting,
// closing it, opening another in its place.
#include "baza.h"
#include "core/ids.h"
#include "core/konfig.h"
#include "core/locale.h"
#include "core/objects.h"
#include "platform/mui/requesters.h"

// Save keeps the base until the save is made, so a save requester that was
// cancelled or a write that failed asks again next time; Cancel changes
// nothing; Discard lets the changes go.
IPTR clBaza_QMXM_BazaMayDrop()
{
    if (!konfig.Modified)
        return TRUE;
    LONG answer = MUI_Request(QMXObject.App, QMXObject.Win, 0, GetLoc(0), GetLoc(134), GetLoc(98));
    if (answer == 1)
        DoMethod(QMXObject.BazaObj, QMXM_BazaSaveASL);
    else if (answer == 2)
        konfig.Modified = 0;
    return !konfig.Modified;
}

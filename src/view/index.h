// The index panel: the entries of the document shown under its library
// caption. Picking a line shows that entry in the viewer.
#pragma once
#include "platform/mui/mui.h"

struct IndexGUIRecord {
    Object *IndexTitle;
    Object *IndexList;
};
extern IndexGUIRecord IndexGUI;

MUI_CustomClass *clIndex_Create(LONG flag);
BOOL ClassIndex(BOOL create);

// The line the document shown opens on, which selecting the top line
// (-2) selects: its main node for a guide, the first line for the others.
LONG IndexOpeningEntry();
// The number of the first entry of the document shown whose name is the
// given one, case ignored, in either encoding; -2 (the top entry) when none is.
LONG IndexFindName(CONST_STRPTR name);

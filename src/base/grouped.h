// The group editor: a name field with buttons that add a group and add
// documentation files, and a row with Deselect, Delete and Sort for the
// selected entries. It changes nothing itself: each button sends its
// operation to the base panel.
#pragma once
#include "platform/mui/mui.h"

struct GrupaGUIRecord {
    Object *NameString;
    Object *GroupButton;
    Object *FilesButton;
    Object *DeselectButton;
    Object *DeleteButton;
    Object *SortButton;
};
extern GrupaGUIRecord GrupaGUI;

MUI_CustomClass *clGroupEd_Create(LONG flag);
BOOL ClassGroup(BOOL create);

// Read access to the state every visible object has, for renderers.
#pragma once
#include "mui.h"

#include <string>

struct AreaState {
    bool disabled;
    bool showMe;
    IPTR frame;
    IPTR background;
    IPTR inputMode;
    IPTR font;
    LONG horizWeight;
    LONG vertWeight;
    const std::string *shortHelp;
    const std::string *frameTitle;
};
// Null for objects that are not Areas (windows, menus, the application).
const AreaState *AreaStateOf(Object *obj);

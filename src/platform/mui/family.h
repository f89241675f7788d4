// Read access to the children of a menu strip, a menu or an item.
#pragma once
#include "mui.h"

#include <string>
#include <vector>

const std::vector<Object *> *FamilyChildren(Object *obj);      // null when obj is no Family
const std::vector<std::string> *RegisterTitles(Object *obj);   // null when obj is no Register

// Read access to a group's children, for renderers and for walking the tree.
#pragma once
#include "mui.h"

#include <vector>

// Null when obj is not a group.
const std::vector<Object *> *GroupChildren(Object *group);

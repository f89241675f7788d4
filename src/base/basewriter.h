// Writing a base's tree: the file's header, then each group and document
// with its entries, in the tree's order.
#pragma once
#include "baza.h"

#include <vector>

struct FileHandle;

// False when a write failed.
bool WriteBaseTree(FileHandle *fh, const std::vector<TreeNode *> &roots);
// Whether the file named holds exactly the bytes WriteBaseTree would write.
bool BaseFileHolds(CONST_STRPTR name, const std::vector<TreeNode *> &roots);

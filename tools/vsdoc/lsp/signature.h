// A function's C prototype as signature help shows it: the prototype line
// of an autodoc's synopsis (or its call line when it has none), or one made
// from an interface method's arguments; its parameters as ranges of it.
#pragma once
#include "entry_index.h"

#include <string>
#include <utility>
#include <vector>

struct Prototype {
    std::string label;
    std::vector<std::pair<size_t, size_t>> parameters;   // byte ranges in label
};

// False when the lines hold no call of name.
bool FindPrototype(const EntryRef &ref, const std::string &name, const std::vector<std::string> &lines, Prototype &out);

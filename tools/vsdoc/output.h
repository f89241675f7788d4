// Printing list lines: text codes become terminal attributes, are removed,
// or stay as stored.
#pragma once
#include "platform/exec/types.h"

#include <cstdio>
#include <functional>
#include <string>

enum class CodeOutput { Terminal, Plain, Raw };

// One list line as it is printed, without a line end. An embedded button is
// printed as its label in brackets (label gives it by number); raw output
// keeps its code.
std::string RenderLine(const char *text, CodeOutput mode, const std::function<std::string(LONG)> &label = {});

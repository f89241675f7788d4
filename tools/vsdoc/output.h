// Printing list lines: text codes become terminal attributes, are removed,
// or stay as stored.
#pragma once
#include <cstdio>
#include <string>

enum class CodeOutput { Terminal, Plain, Raw };

// One list line as it is printed, without a line end.
std::string RenderLine(const char *text, CodeOutput mode);

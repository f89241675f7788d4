// Printing list lines: text codes become terminal attributes, are removed,
// or stay as stored.
#pragma once
#include "platform/exec/types.h"

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

enum class CodeOutput { Terminal, Plain, Raw };

// One list line as it is printed, without a line end. An embedded button is
// printed as its label in brackets (label gives it by number); raw output
// keeps its code.
std::string RenderLine(const char *text, CodeOutput mode, const std::function<std::string(LONG)> &label = {});

// On a terminal a document's text is shown in the terminal's character set
// (a Latin-1 autodoc on a UTF-8 terminal reads "François", not "Fran\xe7ois");
// into a pipe or a file, and with --raw, its bytes go out as they are.
// UseTerminalCharset is called once, when standard output is a terminal.
void UseTerminalCharset();
// Whether text of a document in this encoding is to be converted.
bool TerminalRecodes(bool utf8Document);
std::string ForTerminal(std::string_view text, bool utf8Document);

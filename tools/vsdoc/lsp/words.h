// The words of C source the server answers for: the name under the cursor,
// the part of a name before it, and the call it stands in.
#pragma once
#include <string>

// The C identifier at (or ending at) offset, with two turns: on the keyword
// of "struct Window" (or union, enum) the name after it; on the interface of
// "IExec->AllocVec(" the method. Empty when there is none.
std::string WordAt(const std::string &text, size_t offset);
// The identifier bytes right before offset (what completion completes).
std::string WordBefore(const std::string &text, size_t offset);

struct CallSite {
    std::string function;   // empty: the cursor is in no call
    int argument = 0;       // the argument the cursor is in, from 0
};
// The innermost call whose parentheses hold offset, looking back at most a
// few thousand bytes and not past the end of a statement.
CallSite CallAt(const std::string &text, size_t offset);

// Text strings: 8-bit, NUL-terminated, allocated from the memory pool with
// exactly their length plus one byte, so they are freed without a stored size.
// A string is null, the one shared empty string EmptySTR, or an owned copy.
#pragma once
#include "platform/exec/types.h"

#include <string>

extern char EmptySTR[];

// n bytes to fill (and a NUL after them); EmptySTR for 0, null when the pool is exhausted.
STRPTR AllocTxt(LONG n);
// A copy of length characters of source, or of its first line when length is
// -1; EmptySTR for a null source or an empty result.
STRPTR NewSTR(CONST_STRPTR source, LONG length);
// Frees the string a variable holds (EmptySTR is never freed) and nulls the variable.
void DelSTR(STRPTR *variable);

// The text as it is when it has at most most bytes, else its start and end
// with an ellipsis between them in at most most bytes; no UTF-8 sequence is
// cut.
std::string ShortenedInItsMiddle(const std::string &text, size_t most);

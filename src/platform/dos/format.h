// The format language of the program's texts: %s, %ld/%d, %lu/%u, %lx/%x and
// %c with flags "-" and "0", a width and, for %s, a precision. Arguments come as
// an array of IPTR. A format may come from a translated catalog, so a
// conversion past the last argument prints nothing instead of reading memory
// that was never passed.
#pragma once
#include "../exec/types.h"

#include <string>

std::string VFormat(CONST_STRPTR format, const IPTR *args, int argCount);

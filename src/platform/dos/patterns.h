// Wildcard patterns of the shell, without regard to case: "?" one character,
// "#x" any number of x, "#?" (or "*") anything, "(a|b)" either, "[a-z]" a class,
// "~x" anything but x, "%" nothing, "'" takes the next character literally.
// Example: "#?.(doc|h|xml|guide)".
#pragma once
#include "../exec/types.h"

#include <string>
#include <vector>

// Copies the pattern in its matching form into buffer (at least 2 * strlen + 2
// bytes). Returns 1 when it holds wildcards, 0 when it is a plain name, -1 when
// it does not fit.
LONG ParsePatternNoCase(CONST_STRPTR source, STRPTR buffer, LONG size);
BOOL MatchPatternNoCase(CONST_STRPTR parsed, CONST_STRPTR text);

// The pattern as the globs a desktop's file dialog shows and filters by
// ("#?.(doc|h)" gives "*.doc" and "*.h"); empty when it says more than globs
// can ("~", "%", "#x", too many alternatives).
std::vector<std::string> PatternAsGlobs(CONST_STRPTR pattern);

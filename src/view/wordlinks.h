// Every word of a shown document is a link: a double-click takes the word
// under the pointer and looks it up among the entries of the document shown,
// then in the base.
#pragma once
#include "platform/exec/types.h"

// A word character: a letter "a" to "z" or "A" to "Z", a digit or "_".
LONG IsChar(UBYTE c);
// The word at a click: the last word of the blank-delimited run of text in
// which pos lies, text codes skipped. 1 with the word's start and length, or 0.
LONG GetLink(CONST_STRPTR text, WORD pos, CONST_STRPTR *word, WORD *length);
// The double-click itself, for the viewer: on any of its text lists.
struct QMXP_View_DoubleClick;
IPTR ViewDoubleClick(QMXP_View_DoubleClick *msg);

// Matching a name in a text without regard to case, and putting a text
// list's cursor on a character of one of its entries.
#pragma once
#include "platform/mui/mui.h"

// Mode 1: 1 when text starts with the pattern and the next character is a
// blank, a control character or the end. Mode 0: the 1-based position of the
// first occurrence of the pattern. 0 otherwise.
LONG FindStrName(CONST_STRPTR text, CONST_STRPTR pattern, LONG n, LONG mode);

// Makes the display line holding character offset of display line entry the
// active and selected line.
void SelectTextLine(Object *list, LONG entry, LONG offset);

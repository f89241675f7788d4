// Matching a name in a text without regard to case, and putting a text
// list's cursor on a character of one of its entries.
#pragma once
#include "platform/mui/mui.h"

#include <string>

// The pattern holds at least n bytes. Mode 1: 1 when text starts with the
// pattern and the next character is a blank, a control character or the end.
// Mode 0: the 1-based position of the first occurrence of the pattern. 0
// otherwise. Case is folded as Strnicmp folds it.
LONG FindStrName(CONST_STRPTR text, CONST_STRPTR pattern, LONG n, LONG mode);

// The text in the other encoding that documents use: the Latin-1 form of
// UTF-8 text, the UTF-8 form of Latin-1 text. Empty when the text is ASCII
// or has no other form. A name typed on the host or taken from one document
// is matched in both forms, since every document of a base has its own.
std::string OtherEncoding(CONST_STRPTR text, size_t length);

// Makes the display line holding character offset of display line entry the
// active and selected line.
void SelectTextLine(Object *list, LONG entry, LONG offset);

// Case-insensitive compares and the two text encodings the program meets.
// Documents of this platform are ISO-8859-1 (Latin-1); some newer ones and
// every host file name and typed text are UTF-8. Compares fold the Latin-1
// letters through a table, so they cost no more than ASCII folding, in
// either encoding ("Ärger" equals "ärger" in Latin-1 and in UTF-8).
#pragma once
#include "../exec/types.h"

#include <array>
#include <string>

constexpr std::array<UBYTE, 256> MakeLowerCaseTable()
{
    std::array<UBYTE, 256> lower{};
    for (int c = 0; c < 256; ++c) {
        bool upper = (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7);   // not the sign ×
        lower[size_t(c)] = UBYTE(upper ? c + 32 : c);
    }
    return lower;
}
inline constexpr std::array<UBYTE, 256> LowerCaseTable = MakeLowerCaseTable();

// The Latin-1 lower-case form of c (ASCII and the accented letters).
inline UBYTE ToLower(UBYTE c) { return LowerCaseTable[c]; }
// <0, 0, >0 as strcmp, case folded; Strnicmp compares at most n bytes.
LONG Stricmp(CONST_STRPTR a, CONST_STRPTR b);
LONG Strnicmp(CONST_STRPTR a, CONST_STRPTR b, size_t n);
// Whether n bytes are the same but for case, folded as Strnicmp folds them;
// both sides must hold at least n bytes.
bool SameIgnoringCase(const char *a, const char *b, size_t n);

// Length of the well-formed UTF-8 sequence at p (at most end - p bytes):
// 1 for ASCII, 2 to 4 for a multi-byte sequence, 0 when the bytes are not
// UTF-8 (a stray continuation byte, an over-long form, a surrogate, a cut).
size_t UTF8SequenceLength(const UBYTE *p, const UBYTE *end);
// The length of text less a multi-byte sequence at its end that the end cuts
// short (a lead byte and fewer continuation bytes than it announces): text
// read in blocks may go on in the next one.
size_t WithoutCutSequence(const char *text, size_t length);
// True when every byte belongs to a well-formed UTF-8 sequence.
bool IsUTF8(const char *text, size_t length);

std::string Latin1ToUTF8(const char *text, size_t length);
// Text as a host program shows it: UTF-8 as it is, anything else taken as
// Latin-1 and turned into UTF-8.
std::string HostText(const char *text);
// The Latin-1 form of a UTF-8 text; false when it is not UTF-8 or holds a
// character Latin-1 lacks.
bool UTF8ToLatin1(const char *text, size_t length, std::string &out);

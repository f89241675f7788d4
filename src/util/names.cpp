#include "names.h"

#include "platform/nlist/nlist.h"
#include "platform/utility/charset.h"

#include <algorithm>
#include <cstring>

LONG FindStrName(CONST_STRPTR text, CONST_STRPTR pattern, LONG n, LONG mode)
{
    if (!text || !pattern || n < 0)
        return 0;
    // a lookup tries every name of the base: most differ at once
    if (mode == 1 && n > 0 && ToLower(UBYTE(text[0])) != ToLower(UBYTE(pattern[0])))
        return 0;
    UWORD len = UWORD(std::strlen(text));   // counted in 16 bits, as the matcher always has
    if (len < n)
        return 0;
    if (mode == 1)
        return SameIgnoringCase(text, pattern, size_t(n)) && UBYTE(text[n]) <= 32 ? 1 : 0;
    if (mode != 0)
        return 0;
    if (n == 0)
        return 1;
    UBYTE first = ToLower(UBYTE(pattern[0]));
    for (LONG i = 0; i <= len - n; ++i)
        if (ToLower(UBYTE(text[i])) == first && SameIgnoringCase(text + i, pattern, size_t(n)))
            return i + 1;
    return 0;
}

std::string OtherEncoding(CONST_STRPTR text, size_t length)
{
    std::string other;
    if (std::all_of(text, text + length, [](char c) { return UBYTE(c) < 0x80; }))
        return other;
    if (!IsUTF8(text, length))
        return Latin1ToUTF8(text, length);
    return UTF8ToLatin1(text, length, other) ? other : std::string();
}

void SelectTextLine(Object *list, LONG entry, LONG offset)
{
    MUI_NList_GetEntryInfo info = {MUIV_NList_GetEntryInfo_Line, entry, 0, nullptr, 0, 0, 0};
    DoMethod(list, MUIM_NList_GetEntryInfo, &info);
    LONG line = entry;
    while (info.entry && info.wrapcol && info.charpos + info.charlen < offset) {
        info = {MUIV_NList_GetEntryInfo_Line, ++line, 0, nullptr, 0, 0, 0};
        DoMethod(list, MUIM_NList_GetEntryInfo, &info);
    }
    if (!info.entry)
        line = std::max(line - 1, entry);   // ran past the last line of the entry's list
    SetAttrs(list, MUIA_NList_Active, line);
    DoMethod(list, MUIM_NList_Select, line, MUIV_NList_Select_On, nullptr);
}

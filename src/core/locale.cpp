#include "locale.h"

#include "platform/locale/catalog.h"

#include <algorithm>

IPTR DocLab[3] = {34, 35, 0};
IPTR SzukajTryb[3] = {106, 107, 0};
IPTR FuncLab[3] = {32, 33, 0};

void ResetLabelArrays()
{
    const IPTR ids[3][2] = {{34, 35}, {106, 107}, {32, 33}};
    IPTR *arrays[3] = {DocLab, SzukajTryb, FuncLab};
    for (int i = 0; i < 3; ++i)
        std::copy(ids[i], ids[i] + 2, arrays[i]);
}

CONST_STRPTR GetLoc(LONG id)
{
    for (const CatEntry *e = CatArray; e->text; ++e)
        if (e->id == id)
            return e->text;
    return CatArray[0].text;
}

// An array is turned once: a second object that shows it (another viewer in
// the same run) finds texts, no ids, and leaves them.
void GetLocArray(IPTR *array)
{
    for (IPTR *cell = array; *cell; ++cell)
        if (*cell < IPTR(CAT_COUNT))
            *cell = ToIPTR(GetLoc(LONG(*cell)));
}

void InitLocaleArray()
{
    if (!SoftCat)
        return;
    for (CatEntry *e = CatArray; e->text; ++e) {
        CONST_STRPTR text = GetCatalogStr(SoftCat, e->id, e->text);
        if (!text)
            continue;
        // A leading byte 1 to 8 is a marker the text is shown without, with
        // the byte after it; a text that is nothing but the marker ends there.
        if (text[0] >= 1 && text[0] <= 8)
            text += text[1] ? 2 : 1;
        e->text = text;
    }
}

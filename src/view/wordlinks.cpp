#include "wordlinks.h"

#include "base/records.h"
#include "core/ids.h"
#include "core/methods.h"
#include "core/objects.h"
#include "platform/nlist/nlist.h"
#include "view.h"

LONG IsChar(UBYTE c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'; }

LONG GetLink(CONST_STRPTR text, WORD pos, CONST_STRPTR *word, WORD *length)
{
    if (!text || pos < 0)
        return 0;
    WORD i = pos;
    // to the end of the run of non-blank bytes the click is in, then back onto its last byte
    while (UBYTE(text[i]) > 32 && i < 0x7FFF)
        ++i;
    if (i == 0)
        return 0;   // a blank at the very start
    --i;
    while (!IsChar(UBYTE(text[i]))) {
        if (i == 0 || UBYTE(text[i]) <= 32)
            return 0;
        --i;
    }
    WORD n = 0;
    for (;;) {
        if (IsChar(UBYTE(text[i]))) {
            ++n;
            if (i == 0)
                break;
            --i;
            continue;
        }
        if (text[i] == 27) {   // the one-character text code after an escape is no part of the word
            i += 2;
            --n;
        } else {
            i += 1;
        }
        break;
    }
    if (n <= 0)
        return 0;
    *word = text + i;
    *length = n;
    return 1;
}

IPTR ViewDoubleClick(QMXP_View_DoubleClick *msg)
{
    Object *list = msg->List;
    MUI_NList_TestPos_Result res;
    DoMethod(list, MUIM_NList_TestPos, MUI_MAXMAX, MUI_MAXMAX, &res);
    if (res.entry == -1 || res.char_number == -1)
        return 0;
    auto *text = reinterpret_cast<CONST_STRPTR>(DoMethod(list, MUIM_NList_GetEntry, res.entry, nullptr));
    CONST_STRPTR word;
    WORD length;
    if (!text || !GetLink(text, res.char_number, &word, &length))
        return 0;
    if (DoMethod(QMXObject.IndexObj, QMXM_IndexSelectName, word, LONG(length)))
        return 0;
    DoMethod(QMXObject.BazaObj, QMXM_BazaFindLink, word, LONG(length));
    return 0;
}

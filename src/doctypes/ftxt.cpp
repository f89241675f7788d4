#include "ftxt.h"

#include "app/classes.h"
#include "app/ids.h"
#include "app/konfig.h"
#include "app/methods.h"
#include "app/startup.h"
#include "platform/utility/charset.h"
#include "util/fileinfo.h"
#include "textpage.h"

namespace {
MUI_CustomClass *clFTxtClass = nullptr;

constexpr LONG kTestBytes = 200;

IPTR clFTxt_QMXM_View_CheckFType(QMXP_View_CheckFType *msg)
{
    FileOpen *file = msg->File;
    UBYTE *head = reinterpret_cast<UBYTE *>(konfig.Buffer + 4096);
    if (Seek(file->Handle, 0, OFFSET_BEGINNING) < 0)
        return 0;
    LONG got = Read(file->Handle, head, kTestBytes);
    if (!LooksLikeText(head, got))
        return 0;
    konfig.FileType = TYPE_FTXT;
    return 1;
}

IPTR clFTxt_QMXM_View_MakeIndex(QMXP_View_MakeIndex *msg)
{
    AddWholeFileEntry(msg->Record);
    return 0;
}

IPTR clFTxt_Dispatcher(IClass *cl, Object *obj, Msg msg)
{
    switch (msg->MethodID) {
    case QMXM_View_CheckFType:
        return clFTxt_QMXM_View_CheckFType(reinterpret_cast<QMXP_View_CheckFType *>(msg)) ? ToIPTR(obj) : 0;
    case QMXM_View_MakeIndex: return clFTxt_QMXM_View_MakeIndex(reinterpret_cast<QMXP_View_MakeIndex *>(msg));
    default: return TextPageMethod(cl, obj, msg);
    }
}
}

// Tabs, newlines, form feeds and printable Latin-1; besides, text of today:
// a CR that ends a line before its newline, and well-formed UTF-8, whose
// continuation bytes fall among the refused ones.
bool LooksLikeText(const UBYTE *head, LONG length)
{
    if (length <= 0)
        return false;
    // a sequence cut by the end of the head is judged by the bytes it has
    const UBYTE *end = head + WithoutCutSequence(reinterpret_cast<const char *>(head), size_t(length));
    for (const UBYTE *p = head; p < end;) {
        UBYTE c = *p;
        size_t utf8 = c >= 0xC2 ? UTF8SequenceLength(p, end) : 0;
        if (utf8 > 1) {
            p += utf8;
            continue;
        }
        bool ok = c == 9 || c == 10 || c == 12 || (c >= 32 && c <= 128) || c >= 160 ||
                  (c == 13 && (p + 1 == end || p[1] == 10));
        if (!ok)
            return false;
        ++p;
    }
    return true;
}

MUI_CustomClass *clFTxt_Create(LONG flag)
{
    return TextPageClass(&clFTxtClass, flag, clFTxt_Dispatcher);
}

BOOL ClassFTxt(BOOL create) { return ClassSlot(CL_FTxt, clFTxt_Create, create); }

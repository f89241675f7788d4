#include "ftxt.h"

#include "core/classes.h"
#include "core/ids.h"
#include "core/objects.h"
#include "platform/utility/charset.h"
#include "textpage.h"
#include "util/fileinfo.h"

namespace {
MUI_CustomClass *clFTxtClass = nullptr;

constexpr LONG kTestBytes = 200;

bool Recognise(FileOpen *file) { return IsText(file->Handle); }

// Plain text has one entry, the whole file.
void Scan(Baza *baza, FileHandle *) { AddWholeFileEntry(baza); }

IPTR clFTxt_Dispatcher(IClass *cl, Object *obj, Msg msg)
{
    return TextPageDispatch(cl, obj, msg, TextPageType{TYPE_FTXT, Recognise, Scan});
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

bool IsText(FileHandle *fh)
{
    UBYTE head[kTestBytes];
    return Seek(fh, 0, OFFSET_BEGINNING) >= 0 && LooksLikeText(head, Read(fh, head, kTestBytes));
}

MUI_CustomClass *clFTxt_Create(LONG flag) { return TextPageClass(&clFTxtClass, flag, clFTxt_Dispatcher); }

BOOL ClassFTxt(BOOL create) { return ClassSlot(CL_FTxt, clFTxt_Create, create); }

#include "ftxt.h"

#include "app/classes.h"
#include "app/ids.h"
#include "app/methods.h"
#include "app/konfig.h"
#include "app/locale.h"
#include "app/startup.h"
#include "base/records.h"
#include "platform/nlist/nlist.h"
#include "platform/utility/charset.h"
#include "util/fileinfo.h"
#include "util/names.h"
#include "view/view.h"


namespace {
MUI_CustomClass *clFTxtClass = nullptr;

struct FTxtData {
    Object **PageObj;   // the viewer's TextList field
};

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
    if (Doc *whole = DocAlloc(GetLoc(101)))
        AddEntry(msg->Record, whole);
    return 0;
}

IPTR ReadBlock(Hook *hook, APTR buffer, APTR size)
{
    return IPTR(Read(static_cast<FileHandle *>(hook->h_Data), buffer, LONG(reinterpret_cast<IPTR>(size))));
}

// Every line of the file goes into the text list unchanged but for its line
// end, cut as FGets with the 8192-byte work buffer cuts it (a longer line
// shows as several). The list reads the file in large blocks straight into
// its own storage, which keeps a 50 MB file within a few times the time it
// takes merely to count its lines.
void ParseFTxt(FTxtData *d, FileHandle *fh)
{
    Seek(fh, 0, OFFSET_BEGINNING);
    DoMethod(QMXObject.ViewObj, QMXM_ViewClear);
    Hook reader = {ReadBlock, fh};
    DoMethod(*d->PageObj, MUIM_NList_ReadLines, &reader, sizeof konfig.Buffer);
}

IPTR clFTxt_QMXM_View_ParseFile(FTxtData *d, QMXP_View_ParseFile *msg)
{
    SetAttrs(QMXObject.ViewObj, QMXA_View_Page, 0);
    ParseFTxt(d, msg->Handle);
    return 0;
}

IPTR clFTxt_QMXM_View_SelectFind(FTxtData *d, QMXP_View_SelectFind *msg)
{
    Find *hit = msg->Hit;
    if (!hit || hit->Line == 0)
        return 0;
    SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, -2);
    SelectTextLine(*d->PageObj, hit->Line - 1, hit->Column);
    return 0;
}

// The copy is byte for byte, whatever the file holds (a NUL byte included).
IPTR clFTxt_QMXM_View_SaveFile(QMXP_View_SaveFile *msg)
{
    FileHandle *in = msg->Handle, *out = msg->Output;
    Seek(in, 0, OFFSET_BEGINNING);
    char block[255];
    for (LONG got; (got = Read(in, block, sizeof block)) > 0;)
        if (FWrite(out, block, ULONG(got), 1) != 1)
            break;
    return 0;
}

IPTR clFTxt_Dispatcher(IClass *cl, Object *obj, Msg msg)
{
    FTxtData *d = msg->MethodID == OM_NEW ? nullptr : static_cast<FTxtData *>(INST_DATA(cl, obj));
    switch (msg->MethodID) {
    case QMXM_DoMethodObject:
        d->PageObj = reinterpret_cast<Object **>(DoMethod(QMXObject.ViewObj, QMXM_ViewPageObject, 0));
        return 0;
    case QMXM_View_CheckFType:
        return clFTxt_QMXM_View_CheckFType(reinterpret_cast<QMXP_View_CheckFType *>(msg)) ? ToIPTR(obj) : 0;
    case QMXM_View_MakeIndex: return clFTxt_QMXM_View_MakeIndex(reinterpret_cast<QMXP_View_MakeIndex *>(msg));
    case QMXM_View_ParseFile: return clFTxt_QMXM_View_ParseFile(d, reinterpret_cast<QMXP_View_ParseFile *>(msg));
    case QMXM_View_SelectFind: return clFTxt_QMXM_View_SelectFind(d, reinterpret_cast<QMXP_View_SelectFind *>(msg));
    case QMXM_View_SaveFile: return clFTxt_QMXM_View_SaveFile(reinterpret_cast<QMXP_View_SaveFile *>(msg));
    case QMXM_View_CloseFile: return 0;
    default: return DoSuperMethodA(cl, obj, msg);
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
    return ClassCreate(&clFTxtClass, flag, MUIC_Group, sizeof(FTxtData), clFTxt_Dispatcher);
}

BOOL ClassFTxt(BOOL create) { return ClassSlot(CL_FTxt, clFTxt_Create, create); }

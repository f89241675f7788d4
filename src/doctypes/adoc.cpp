#include "adoc.h"

#include "core/classes.h"
#include "core/ids.h"
#include "core/methods.h"
#include "core/objects.h"
#include "platform/dos/format.h"
#include "util/fileinfo.h"

namespace {
MUI_CustomClass *clADocClass = nullptr;

constexpr LONG kTestBytes = 50;
constexpr LONG kLastStart = 32;

IPTR clADoc_QMXM_View_CheckFType(QMXP_View_CheckFType *msg) { return IsADoc(msg->File->Handle) ? TYPE_ADOC : 0; }

IPTR clADoc_QMXM_View_MakeIndex(QMXP_View_MakeIndex *msg)
{
    ADocScan(msg->Record, msg->Handle);
    return 0;
}

IPTR clADoc_QMXM_View_ParseFile(ADocData *d, QMXP_View_ParseFile *msg)
{
    SetAttrs(QMXObject.ViewObj, QMXA_View_Page, 1);
    ParseADoc(d, msg->Handle, msg->Entry);
    return 0;
}

// A fresh table of contents: one "library/name" line per function of the
// library, the name alone for the others.
IPTR clADoc_QMXM_View_SaveFile(QMXP_View_SaveFile *msg)
{
    Baza *baza = msg->Record;
    FileHandle *out = msg->Output;
    FWriteSTR(out, "TABLE OF CONTENTS\n\n");
    for (Doc *e = FirstEntry(baza); e; e = NextEntry(e)) {
        IPTR args[] = {ToIPTR(baza->Library ? baza->Library : ""), ToIPTR(e->Name ? e->Name : "")};
        std::string line = e->Mark == '+' ? VFormat("%s/%s\n", args, 2) : VFormat("%s\n", args + 1, 1);
        FWriteSTR(out, line.c_str());
    }
    FWrite(out, "\n\f", 2, 1);
    return 0;
}

IPTR clADoc_Dispatcher(IClass *cl, Object *obj, Msg msg)
{
    ADocData *d = msg->MethodID == OM_NEW ? nullptr : static_cast<ADocData *>(INST_DATA(cl, obj));
    switch (msg->MethodID) {
    case OM_DISPOSE: DisplayIndexFree(&d->Index); return DoSuperMethodA(cl, obj, msg);
    case QMXM_DoMethodObject:
        d->Page = reinterpret_cast<Object **>(DoMethod(QMXObject.ViewObj, QMXM_ViewPageObject, 1));
        DisplayIndexAlloc(&d->Index, 1024);   // a search hit may come before any entry was shown
        return 0;
    case QMXM_View_CheckFType: return clADoc_QMXM_View_CheckFType(reinterpret_cast<QMXP_View_CheckFType *>(msg));
    case QMXM_View_MakeIndex: return clADoc_QMXM_View_MakeIndex(reinterpret_cast<QMXP_View_MakeIndex *>(msg));
    case QMXM_View_ParseFile: return clADoc_QMXM_View_ParseFile(d, reinterpret_cast<QMXP_View_ParseFile *>(msg));
    case QMXM_View_SelectFind: ADocSelectFind(d, reinterpret_cast<QMXP_View_SelectFind *>(msg)->Hit); return 0;
    case QMXM_View_SaveFile: return clADoc_QMXM_View_SaveFile(reinterpret_cast<QMXP_View_SaveFile *>(msg));
    case QMXM_View_CloseFile: return 0;
    default: return DoSuperMethodA(cl, obj, msg);
    }
}
}

// An autodoc names its table of contents within its first bytes.
bool IsADoc(FileHandle *fh)
{
    char head[kTestBytes];
    if (Seek(fh, 0, OFFSET_BEGINNING) < 0)
        return false;
    LONG got = Read(fh, head, kTestBytes);
    for (LONG at = 0; at <= kLastStart && at < got; ++at)
        if (FuncTest(head + at, size_t(got - at)) == KIND_CONTENTS_TABLE)
            return true;
    return false;
}

MUI_CustomClass *clADoc_Create(LONG flag)
{
    return ClassCreate(&clADocClass, flag, MUIC_Group, sizeof(ADocData), clADoc_Dispatcher);
}

BOOL ClassADoc(BOOL create) { return ClassSlot(CL_ADoc, clADoc_Create, create); }

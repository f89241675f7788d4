#include "textpage.h"

#include "core/classes.h"
#include "core/ids.h"
#include "core/locale.h"
#include "core/methods.h"
#include "core/objects.h"
#include "platform/dos/files.h"
#include "platform/dos/lines.h"
#include "platform/nlist/nlist.h"
#include "util/names.h"
#include "util/strings.h"

#include <cstring>

namespace {
IPTR ReadBlock(Hook *hook, APTR buffer, APTR size)
{
    return IPTR(Read(static_cast<FileHandle *>(hook->h_Data), buffer, LONG(reinterpret_cast<IPTR>(size))));
}

// Every line of the file goes into the text list unchanged but for its line
// end, cut as FGets with a buffer of kLineBuffer bytes cuts it (a longer line
// shows as several, and the index scans count lines the same way). The list
// reads the file in large blocks straight into its own storage, which keeps
// a 50 MB file within a few times the time it takes merely to count its lines.
void LoadText(Object *list, FileHandle *fh)
{
    Seek(fh, 0, OFFSET_BEGINNING);
    DoMethod(QMXObject.ViewObj, QMXM_ViewClear);
    Hook reader = {ReadBlock, fh};
    DoMethod(list, MUIM_NList_ReadLines, &reader, kLineBuffer);
}

IPTR ShowEntry(TextPageData *d, QMXP_View_ParseFile *msg)
{
    SetAttrs(QMXObject.ViewObj, QMXA_View_Page, 0);
    if (!d->Loaded) {
        LoadText(*d->PageObj, msg->Handle);
        d->Loaded = 1;
    }
    LONG line = msg->Entry ? msg->Entry->Line : 0;
    SetAttrs(*d->PageObj, MUIA_NList_First, line > 0 ? line - 1 : -2);
    return 0;
}

// The whole-file entry shows the text; the hit's line is then selected.
IPTR SelectHit(TextPageData *d, QMXP_View_SelectFind *msg)
{
    Find *hit = msg->Hit;
    if (!hit || hit->Line == 0)
        return 0;
    SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, -2);
    SelectTextLine(*d->PageObj, hit->Line - 1, hit->Column);
    return 0;
}

}

// The copy is byte for byte, whatever the file holds (a NUL byte included).
IPTR CopyDocument(QMXP_View_SaveFile *msg)
{
    FileHandle *in = msg->Handle, *out = msg->Output;
    Seek(in, 0, OFFSET_BEGINNING);
    char block[255];
    for (LONG got; (got = Read(in, block, sizeof block)) > 0;)
        if (FWrite(out, block, ULONG(got), 1) != 1)
            break;
    return 0;
}

IPTR TextPageDispatch(IClass *cl, Object *obj, Msg msg, const TextPageType &type)
{
    auto *d = msg->MethodID == OM_NEW ? nullptr : static_cast<TextPageData *>(INST_DATA(cl, obj));
    switch (msg->MethodID) {
    case QMXM_DoMethodObject:
        d->PageObj = reinterpret_cast<Object **>(DoMethod(QMXObject.ViewObj, QMXM_ViewPageObject, 0));
        return 0;
    case QMXM_View_CheckFType:
        return type.Recognise(reinterpret_cast<QMXP_View_CheckFType *>(msg)->File) ? type.Code : 0;
    case QMXM_View_MakeIndex: {
        auto *m = reinterpret_cast<QMXP_View_MakeIndex *>(msg);
        type.Scan(m->Record, m->Handle);
        return 0;
    }
    case QMXM_View_ParseFile: return ShowEntry(d, reinterpret_cast<QMXP_View_ParseFile *>(msg));
    case QMXM_View_SelectFind: return SelectHit(d, reinterpret_cast<QMXP_View_SelectFind *>(msg));
    case QMXM_View_SaveFile: return CopyDocument(reinterpret_cast<QMXP_View_SaveFile *>(msg));
    case QMXM_View_CloseFile:   // whatever is shown next is loaded anew
        d->Loaded = 0;
        return 0;
    default: return DoSuperMethodA(cl, obj, msg);
    }
}

MUI_CustomClass *TextPageClass(MUI_CustomClass **slot, LONG flag, Dispatcher dispatcher)
{
    return ClassCreate(slot, flag, MUIC_Group, sizeof(TextPageData), dispatcher);
}

void AddWholeFileEntry(Baza *baza)
{
    if (Doc *whole = DocAlloc(GetLoc(101)))
        AddEntry(baza, whole);
}

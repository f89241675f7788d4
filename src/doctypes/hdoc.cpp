#include "hdoc.h"

#include "core/classes.h"
#include "core/ids.h"
#include "core/objects.h"
#include "platform/dos/lines.h"
#include "textpage.h"
#include "util/fileinfo.h"

#include <cstring>

namespace {
MUI_CustomClass *clHDocClass = nullptr;

bool Recognise(FileOpen *file) { return IsHeaderName(file->Name); }

IPTR clHDoc_Dispatcher(IClass *cl, Object *obj, Msg msg)
{
    return TextPageDispatch(cl, obj, msg, TextPageType{TYPE_HDOC, Recognise, HDocScan});
}

}

bool IsHeaderName(CONST_STRPTR name)
{
    size_t length = name ? std::strlen(name) : 0;
    return length > 2 && name[length - 2] == '.' && (name[length - 1] | 0x20) == 'h';
}

// Only names that can be looked up count: "struct" and a blank or tab, then
// the name, which ends at a blank, a control or 8-bit byte or "{". A ";"
// after the name's start makes the line a declaration (a forward one, a
// member, a variable), which opens nothing.
std::string_view StructOpened(const char *line, size_t length)
{
    size_t i = 0;
    while (i < length && line[i] == ' ')
        ++i;
    if (length - i < 7 || std::memcmp(line + i, "struct", 6) != 0 || !IsBlank(line[i + 6]))
        return {};
    for (i += 7; i < length && IsBlank(line[i]);)
        ++i;
    size_t start = i;
    while (i < length && UBYTE(line[i]) > 32 && UBYTE(line[i]) < 128 && line[i] != '{')
        ++i;
    if (i == start || std::memchr(line + start, ';', length - start))
        return {};
    return {line + start, i - start};
}

void HDocScan(Baza *baza, FileHandle *fh)
{
    SetLibrary(baza, "struct ...");
    AddWholeFileEntry(baza);
    Seek(fh, 0, OFFSET_BEGINNING);
    LONG lineNo = 0;
    ForEveryLine(fh, kLineBuffer, [&](const char *line, size_t length) {
        ++lineNo;
        if (length < 7 || (line[0] != 's' && line[0] != ' '))
            return;   // the usual line, at a glance
        std::string_view name = StructOpened(line, length);
        if (name.empty())
            return;
        std::string copy(name);
        if (Doc *doc = DocAlloc(copy.c_str())) {
            doc->Line = lineNo;
            AddEntry(baza, doc);
        }
    });
}

MUI_CustomClass *clHDoc_Create(LONG flag) { return TextPageClass(&clHDocClass, flag, clHDoc_Dispatcher); }

BOOL ClassHDoc(BOOL create) { return ClassSlot(CL_HDoc, clHDoc_Create, create); }

// Showing an autodoc entry: the name and synopsis in the upper list, the
// other sections in the contents list, the example under its tab. Headings
// are bold; the words under "SEE ALSO" are in the highlight pen. The display
// index keeps one byte for every line of the entry, its section, so a search
// hit on any line finds its row.
#include "adoc.h"

#include "core/ids.h"
#include "core/konfig.h"
#include "core/objects.h"
#include "platform/dos/lines.h"
#include "platform/exec/pool.h"
#include "platform/nlist/nlist.h"
#include "util/names.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {
enum PageField { PAGE_GROUP, PAGE_TABS, PAGE_LOWER, PAGE_HEAD, PAGE_CONTENTS, PAGE_EXAMPLE };

Object *GetDisplayObj(Object **page, UBYTE kind)
{
    switch (kind) {
    case KIND_CONTENTS_TABLE: return nullptr;
    case KIND_SYNOPSIS: return page[PAGE_HEAD];
    case KIND_EXAMPLE: return page[PAGE_EXAMPLE];
    default: return page[PAGE_CONTENTS];
    }
}

bool IsHeadingByte(UBYTE c) { return (c >= 'A' && c <= 'Z') || c == '_'; }

// One source line turned into its display text.
struct DisplayLine {
    std::vector<char> text;   // two reserved positions, the indentation, the converted bytes
    long firstColumn = -1;
    bool hasText = false;
    bool candidate = true;   // every text byte a capital or "_": a heading
};

class EntryShow {
public:
    EntryShow(Object **page, DisplayIndex *index) : page_(page), index_(index)
    {
        tab_ = konfig.TabSize;
        fun_ = konfig.FunSize;
        txt_ = konfig.TxtSize;
        indent_ = std::max(fun_, txt_);
    }

    void Line(const char *source, size_t length);

private:
    void Convert(const char *source, size_t length, DisplayLine &out);
    void Show(Object *list, const char *text, UBYTE kind);

    Object **page_;
    DisplayIndex *index_;
    LONG tab_, fun_, txt_, indent_;
    Object *list_ = nullptr;
    UBYTE kind_ = KIND_NONE;
    bool seeAlso_ = false;
    long sectionColumn_ = -1;
    LONG count_ = 0;
    DisplayLine line_;
};

void EntryShow::Convert(const char *source, size_t length, DisplayLine &out)
{
    out = DisplayLine{};
    out.text.assign(size_t(2 + indent_), ' ');
    UBYTE previous = length ? UBYTE(source[0]) : 0;
    for (size_t i = 0; i < length; ++i) {
        UBYTE c = UBYTE(source[i]);
        if (c == '\n' || c == '\r')
            break;
        if (c == '\t') {
            out.text.insert(out.text.end(), size_t(tab_), ' ');
            previous = ' ';
        } else if (c == ' ' || c == 160) {
            if (seeAlso_ && previous > 32)
                out.text.insert(out.text.end(), {'\33', '2'});
            out.text.push_back(' ');
            previous = ' ';
        } else if (c > 32) {
            long at = long(out.text.size());
            if (seeAlso_ && previous == ' ')
                out.text.insert(out.text.end(), {'\33', '8'});
            if (out.firstColumn < 0)
                out.firstColumn = at;
            if (sectionColumn_ < 0)
                sectionColumn_ = at;
            out.hasText = true;
            out.candidate = out.candidate && IsHeadingByte(c);
            out.text.push_back(char(c));
            previous = c;
        } else {
            break;
        }
    }
    out.text.push_back('\0');
}

void EntryShow::Show(Object *list, const char *text, UBYTE kind)
{
    if (list)
        DoMethod(list, MUIM_NList_InsertSingle, text, MUIV_NList_Insert_Bottom);
    if (index_->Size && count_ < index_->Size)
        index_->Kinds[count_++] = kind;
}

void EntryShow::Line(const char *source, size_t length)
{
    Convert(source, length, line_);
    char *text = line_.text.data();
    if (!line_.hasText) {
        Show(list_, "", kind_);
        return;
    }
    if (line_.candidate) {
        seeAlso_ = false;
        const char *head = text + line_.firstColumn;
        if (head[0] == '\33' && head[1] == '8')
            head += 2;
        UBYTE kind = FuncTest(head, std::strlen(head));
        bool shown = kind != KIND_CONTENTS_TABLE && kind != KIND_EXAMPLE;
        if (kind == KIND_EXAMPLE)
            SetAttrs(QMXObject.ViewObj, QMXA_View_Example, 1);
        if (kind == KIND_SEE_ALSO)
            seeAlso_ = true;
        char *start = text + line_.firstColumn - (fun_ + 2);
        start[0] = '\33';
        start[1] = 'b';
        list_ = GetDisplayObj(page_, kind);
        kind_ = kind;
        sectionColumn_ = -1;
        // A heading not shown keeps its place in the display index as a line
        // of no list, so every later line finds its row.
        Show(shown ? list_ : nullptr, start, shown ? kind_ : UBYTE(KIND_CONTENTS_TABLE));
        return;
    }
    if (!list_) {
        kind_ = KIND_PLAIN;
        list_ = page_[PAGE_CONTENTS];
    }
    Show(list_, text + std::min(sectionColumn_, line_.firstColumn) - txt_, kind_);
}

// An entry without a name or synopsis (the "-copyright-" or "--background--"
// that many autodocs begin with) gives the whole page to its contents rather
// than show an empty pane above them.
void ShowHeadPane(Object **page)
{
    auto *pane = reinterpret_cast<Object *>(xget(page[PAGE_HEAD], MUIA_Parent));
    SetAttrs(pane, MUIA_ShowMe, xget(page[PAGE_HEAD], MUIA_NList_Entries) > 0);
}

// Which list and row a line of the entry shows in, from the display index.
void SelectRow(Object **page, const DisplayIndex *index, LONG offset, LONG column)
{
    LONG head = 0, example = 0, contents = 0;
    for (LONG i = 0; i < offset; ++i) {
        UBYTE k = index->Kinds[i];
        if (k == KIND_SYNOPSIS)
            ++head;
        else if (k == KIND_EXAMPLE)
            ++example;
        else if (k != KIND_NONE && k != KIND_CONTENTS_TABLE)
            ++contents;
    }
    UBYTE kind = index->Kinds[offset];
    if (kind == KIND_SYNOPSIS) {
        SelectTextLine(page[PAGE_HEAD], head, column);
    } else if (kind == KIND_EXAMPLE) {
        SetAttrs(QMXObject.ViewObj, QMXA_View_Page, 2);
        SelectTextLine(page[PAGE_EXAMPLE], example, column);
    } else if (Object *list = GetDisplayObj(page, kind)) {
        SelectTextLine(list, contents, column);
    }
}
}

LONG DisplayIndexAlloc(DisplayIndex *index, LONG n)
{
    if (index->Size < n) {
        DisplayIndexFree(index);
        index->Kinds = static_cast<UBYTE *>(AllocPooled(MemPool, ULONG(n) + 1024));
        if (index->Kinds)
            index->Size = n + 1024;
    }
    return index->Size;
}

void DisplayIndexFree(DisplayIndex *index)
{
    if (!index->Kinds)
        return;
    FreePooled(MemPool, index->Kinds, ULONG(index->Size));
    index->Kinds = nullptr;
    index->Size = 0;
}

void ParseADoc(ADocData *d, FileHandle *fh, Doc *entry)
{
    DoMethod(QMXObject.ViewObj, QMXM_ViewClear);
    SetAttrs(QMXObject.ViewObj, QMXA_View_Example, 0);
    DisplayIndexAlloc(&d->Index, entry->Lines);
    EntryShow show(d->Page, &d->Index);
    bool found = Seek(fh, entry->Offset, OFFSET_BEGINNING) >= 0;
    ULONG length;
    for (LONG n = 0; found && n < entry->Lines; ++n) {
        const char *line = FReadLine(fh, kLineBuffer, &length);
        if (!line)
            break;   // the file ended early: it changed since its entries were read
        show.Line(line, length);
    }
    ShowHeadPane(d->Page);
}

void ADocSelectFind(ADocData *d, Find *hit)
{
    if (!d->Index.Size || !hit)
        return;
    for (LONG i = 0;; ++i) {
        Doc *entry = reinterpret_cast<Doc *>(DoMethod(QMXObject.IndexObj, QMXM_IndexGetEntry, i));
        if (!entry)
            return;
        if (entry->Line + entry->Lines - 1 < hit->Line)
            continue;
        SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, i);
        LONG offset = hit->Line - entry->Line;
        if (offset >= 0 && offset < d->Index.Size)
            SelectRow(d->Page, &d->Index, offset, hit->Column);
        return;
    }
}

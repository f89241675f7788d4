#include "nlist.h"

#include "nlist_data.h"

#include "../utility/charset.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {
IClass *nlistClass = nullptr;

NListData *Data(Object *list)
{
    return list && IsInstanceOf(list, nlistClass) ? Instance<NListData>(nlistClass, list) : nullptr;
}

const char *ElementText(NListData *d, APTR element)
{
    if (!element)
        return "";
    if (!d->display)
        return static_cast<const char *>(element);
    std::fill(std::begin(d->columnTexts), std::end(d->columnTexts), nullptr);
    CallHookPkt(d->display, d->columnTexts, element);
    return d->columnTexts[0] ? d->columnTexts[0] : "";
}

void Changed(Object *self, NListData *d, IPTR what)
{
    if (!d->quiet)
        PeerChanged(self, what);
}

// The columns an embedded button takes: its label and a frame either side,
// as the list draws it.
LONG ButtonColumns(NListData *d, LONG number)
{
    auto it = d->images.find(number);
    const char *label = it == d->images.end() ? nullptr
                                              : reinterpret_cast<const char *>(xget(it->second, MUIA_Text_Contents));
    return LONG(label ? StripTextCodes(label).size() : 0) + 2;
}

// Splits an element's text into pieces of at most the list's width, breaking
// after a blank where one is near; codes take no room but embedded buttons,
// which go whole to the next line when they do not fit.
std::vector<NListPiece> Wrap(NListData *d, const char *text, LONG width, bool utf8)
{
    std::vector<NListPiece> out;
    size_t len = std::strlen(text), start = 0;
    width = std::max<LONG>(width, 8);
    while (start < len || out.empty()) {
        LONG col = 0;
        size_t j = start, lastBlank = 0;
        while (j < len && (col < width || text[j] == kEsc)) {
            if (text[j] == kEsc) {
                TextCode c = ReadTextCode(text, len, j);
                LONG button = c.kind == CodeKind::Embedded ? ButtonColumns(d, c.a) : 0;
                if (button && col > 0 && col + button > width)
                    break;
                col += button;
                j += c.length;
                continue;
            }
            col = NextColumn(text, j, col, utf8);
            if (text[j] == ' ')
                lastBlank = j + 1;
            ++j;
        }
        while (utf8 && j < len && (UBYTE(text[j]) & 0xC0) == 0x80)
            ++j;   // a character stays whole
        size_t cut = (j < len && lastBlank > start) ? lastBlank : std::min(j, len);
        out.push_back(NListPiece{ULONG(start), ULONG(cut - start)});
        if (cut >= len)
            break;
        start = cut;
    }
    return out;
}

void AppendLines(NListData *d, std::vector<NListLine> &lines, APTR element, ULONG entry, bool wrap)
{
    if (!wrap) {
        lines.push_back(NListLine{element, entry, 0});
        return;
    }
    const char *text = ElementText(d, element);
    for (const NListPiece &p : Wrap(d, text, d->columns, NListTextIsUTF8(d, text))) {
        d->pieces.push_back(p);
        lines.push_back(NListLine{element, entry, ULONG(d->pieces.size())});
    }
}

// The first line of the element that a display line belongs to.
size_t ElementStart(NListData *d, size_t line)
{
    while (line > 0 && line < d->lines.size() && d->lines[line - 1].entry == d->lines[line].entry)
        --line;
    return line;
}

APTR Construct(NListData *d, APTR entry)
{
    if (d->stringCopies)
        return entry ? d->arena.Copy(static_cast<const char *>(entry)) : nullptr;
    if (d->construct)
        return reinterpret_cast<APTR>(CallHookPkt(d->construct, d->pool, entry));
    return entry;
}

void Destruct(NListData *d, APTR element)
{
    if (d->destruct && !d->stringCopies)
        CallHookPkt(d->destruct, d->pool, element);
}

IPTR Insert(Object *self, NListData *d, MUIP_NList_InsertSingle *msg, bool wrap)
{
    LONG pos = LONG(msg->pos);
    APTR element = Construct(d, msg->entry);
    if (!element)
        return FALSE;
    if (pos == MUIV_NList_Insert_Active)
        pos = d->active;
    if (pos < 0 || size_t(pos) >= d->lines.size()) {
        AppendLines(d, d->lines, element, d->elements++, wrap);
    } else {
        size_t at = ElementStart(d, size_t(pos));
        std::vector<NListLine> added;
        AppendLines(d, added, element, d->lines[at].entry, wrap);
        for (size_t i = at; i < d->lines.size(); ++i)
            ++d->lines[i].entry;
        d->lines.insert(d->lines.begin() + LONG(at), added.begin(), added.end());
        ++d->elements;
        if (d->active >= LONG(at))
            d->active += LONG(added.size());
    }
    Changed(self, d, MUIA_NList_Entries);
    return TRUE;
}

void Clear(Object *self, NListData *d)
{
    if (d->destruct && !d->stringCopies)
        for (size_t i = 0; i < d->lines.size(); ++i)
            if (i == 0 || d->lines[i].entry != d->lines[i - 1].entry)
                Destruct(d, d->lines[i].element);
    d->lines.clear();
    d->pieces.clear();
    d->selected.clear();
    d->arena.Clear();
    d->piecesArena.Clear();
    d->elements = 0;
    d->active = MUIV_NList_Active_Off;
    d->first = 0;
    d->clickLine = d->clickColumn = -1;
    Changed(self, d, MUIA_NList_Entries);
}

// Rebuilds the display lines after the width changed: wrapped elements are
// split again, the active line stays on its element.
void Rewrap(NListData *d)
{
    bool any = !d->pieces.empty();
    if (!any)
        return;
    std::vector<NListPiece> old = std::move(d->pieces);
    d->pieces.clear();
    std::vector<NListLine> lines;
    lines.reserve(d->lines.size());
    LONG activeEntry = d->active >= 0 ? LONG(d->lines[size_t(d->active)].entry) : -1;
    LONG newActive = -1;
    for (size_t i = 0; i < d->lines.size(); ++i) {
        const NListLine &l = d->lines[i];
        if (i > 0 && d->lines[i - 1].entry == l.entry)
            continue;
        if (LONG(l.entry) == activeEntry)
            newActive = LONG(lines.size());
        AppendLines(d, lines, l.element, l.entry, l.piece != 0);
    }
    d->lines = std::move(lines);
    d->active = newActive;
}

LONG ResolveActive(NListData *d, LONG v)
{
    LONG count = LONG(d->lines.size());
    switch (v) {
    case MUIV_NList_Active_Off: return -1;
    case MUIV_NList_Active_Top: v = 0; break;
    case MUIV_NList_Active_Bottom: v = count - 1; break;
    case MUIV_NList_Active_Up: v = d->active - 1; break;
    case MUIV_NList_Active_Down: v = d->active + 1; break;
    }
    if (count == 0)
        return -1;
    return std::clamp(v, LONG(0), count - 1);
}

void ApplyTags(Object *self, NListData *d, TagItem *tags)
{
    TagItem *walk = tags;
    while (TagItem *t = NextTagItem(&walk)) {
        switch (t->ti_Tag) {
        case MUIA_NList_Active:
            d->active = ResolveActive(d, LONG(t->ti_Data));
            t->ti_Data = IPTR(d->active);   // notifications see the line reached
            break;
        case MUIA_NList_Quiet:
            d->quiet = t->ti_Data ? d->quiet + 1 : std::max(d->quiet - 1, 0);
            if (!d->quiet)
                PeerChanged(self, MUIA_NList_Entries);
            break;
        case MUIA_NList_Input: d->input = t->ti_Data != 0; break;
        case MUIA_NList_First: d->first = std::max<LONG>(0, LONG(t->ti_Data)); break;
        case MUIA_NList_Visible: d->visible = LONG(t->ti_Data); break;
        case MUIA_NList_Columns:
            if (LONG(t->ti_Data) > 0 && LONG(t->ti_Data) != d->columns) {
                d->columns = LONG(t->ti_Data);
                Rewrap(d);
            }
            break;
        case MUIA_NList_UTF8: d->utf8 = t->ti_Data != 0; break;
        case MUIA_NList_ClickLine: d->clickLine = LONG(t->ti_Data); break;
        case MUIA_NList_ClickColumn: d->clickColumn = LONG(t->ti_Data); break;
        }
    }
}

Hook *HookTag(TagItem *tags, IPTR tag, bool *strings)
{
    IPTR v = GetTagData(tag, 0, tags);
    if (v == MUIV_NList_ConstructHook_String) {
        *strings = true;
        return nullptr;
    }
    return reinterpret_cast<Hook *>(v);
}

IPTR NListNew(IClass *cl, Object *self, Msg msg)
{
    Object *obj = reinterpret_cast<Object *>(DoSuperMethodA(cl, self, msg));
    if (!obj)
        return 0;
    NListData *d = NewInstance<NListData>(cl, obj);
    TagItem *tags = SetTags(msg);
    bool strings = false, ignored = false;
    d->construct = HookTag(tags, MUIA_NList_ConstructHook, &strings);
    d->destruct = HookTag(tags, MUIA_NList_DestructHook, &ignored);
    d->stringCopies = strings;
    d->display = reinterpret_cast<Hook *>(GetTagData(MUIA_NList_DisplayHook, 0, tags));
    d->pool = reinterpret_cast<APTR>(GetTagData(MUIA_NList_Pool, 0, tags));
    ApplyTags(obj, d, tags);
    return ToIPTR(obj);
}

IPTR NListGet(IClass *cl, Object *self, Msg msg)
{
    NListData *d = Instance<NListData>(cl, self);
    switch (GetMsg(msg)->opg_AttrID) {
    case MUIA_NList_Active: return Answer(msg, IPTR(d->active));
    case MUIA_NList_Entries: return Answer(msg, d->lines.size());
    case MUIA_NList_First: return Answer(msg, IPTR(d->first));
    case MUIA_NList_Visible: return Answer(msg, IPTR(d->visible));
    case MUIA_NList_Quiet: return Answer(msg, d->quiet > 0);
    case MUIA_NList_Input: return Answer(msg, d->input);
    case MUIA_NList_Columns: return Answer(msg, IPTR(d->columns));
    case MUIA_NList_UTF8: return Answer(msg, d->utf8);
    default: return DoSuperMethodA(cl, self, msg);
    }
}

LONG LineOf(NListData *d, LONG pos) { return pos == MUIV_NList_GetEntry_Active ? d->active : pos; }

IPTR GetEntry(NListData *d, MUIP_NList_GetEntry *msg)
{
    LONG line = LineOf(d, LONG(msg->pos));
    APTR element = line >= 0 && size_t(line) < d->lines.size() ? d->lines[size_t(line)].element : nullptr;
    if (msg->entry)
        *msg->entry = element;
    return ToIPTR(element);
}

IPTR GetEntryInfo(NListData *d, MUI_NList_GetEntryInfo *info)
{
    LONG line = info->pos == MUIV_NList_GetEntryInfo_Line ? info->line : -1;
    if (info->pos == -1)
        line = d->active;
    else if (info->pos >= 0) {
        auto it = std::lower_bound(d->lines.begin(), d->lines.end(), ULONG(info->pos),
                                   [](const NListLine &l, ULONG e) { return l.entry < e; });
        line = it == d->lines.end() || it->entry != ULONG(info->pos) ? -1 : LONG(it - d->lines.begin());
    }
    if (line < 0 || size_t(line) >= d->lines.size()) {
        info->entry_pos = -1;
        info->entry = nullptr;
        return FALSE;
    }
    const NListLine &l = d->lines[size_t(line)];
    info->line = line;
    info->entry_pos = LONG(l.entry);
    info->entry = l.element;
    info->wrapcol = l.piece ? WRAPCOL0 : 0;
    info->charpos = l.piece ? LONG(d->pieces[l.piece - 1].pos) : 0;
    info->charlen = l.piece ? LONG(d->pieces[l.piece - 1].len) : LONG(std::strlen(ElementText(d, l.element)));
    return TRUE;
}

IPTR Select(Object *self, NListData *d, MUIP_NList_Select *msg)
{
    LONG line = msg->pos == MUIV_NList_Select_Active ? d->active : LONG(msg->pos);
    LONG how = LONG(msg->seltype);
    if (line < 0 || size_t(line) >= d->lines.size())
        return FALSE;
    bool now = d->selected.count(line) != 0;
    bool want = how == MUIV_NList_Select_On       ? true
                : how == MUIV_NList_Select_Off    ? false
                : how == MUIV_NList_Select_Toggle ? !now
                                                  : now;
    if (want)
        d->selected.insert(line);
    else
        d->selected.erase(line);
    if (msg->state)
        *msg->state = want;
    Changed(self, d, MUIA_Selected);
    return TRUE;
}

IPTR TestPos(Object *self, NListData *d, MUIP_NList_TestPos *msg)
{
    MUI_NList_TestPos_Result *res = msg->res;
    if (!res)
        return FALSE;
    res->entry = -1;
    res->column = 0;
    res->char_number = -1;
    if (d->clickLine < 0 || size_t(d->clickLine) >= d->lines.size())
        return FALSE;
    size_t pos, len;
    const char *text = NListLineText(self, d->clickLine, &pos, &len);
    bool utf8 = NListTextIsUTF8(d, text);
    std::vector<TextRun> runs = LayoutLine(text, pos, len, d->columns, utf8,
                                           [self](LONG n) { return NListButtonLabel(self, n); });
    size_t ch = CharAtColumn(text, runs, pos, len, d->clickColumn, utf8);
    res->entry = d->clickLine;
    res->char_number = WORD(std::min<size_t>(ch, 0x7FFF));
    return TRUE;
}

IPTR Jump(Object *self, NListData *d, LONG pos)
{
    LONG line = pos == MUIV_NList_Jump_Top ? 0 : pos == MUIV_NList_Jump_Active ? d->active : pos;
    if (line < 0 || size_t(line) >= d->lines.size())
        return FALSE;
    if (line < d->first || (d->visible > 0 && line >= d->first + d->visible))
        d->first = d->visible > 0 && line >= d->first + d->visible ? line - d->visible + 1 : line;
    PeerChanged(self, MUIA_NList_First);
    return TRUE;
}

IPTR UseImage(NListData *d, MUIP_NList_UseImage *msg)
{
    LONG n = LONG(msg->imgnum);
    auto it = d->images.find(n);
    if (it != d->images.end()) {
        DisposeObject(it->second);
        d->images.erase(it);
    }
    if (msg->obj)
        d->images[n] = msg->obj;
    return TRUE;
}

IPTR ReadLines(Object *self, NListData *d, MUIP_NList_ReadLines *msg)
{
    IPTR added = NListReadLines(d, msg->reader, size_t(msg->maxLine));
    Changed(self, d, MUIA_NList_Entries);
    return added;
}

IPTR Remove(Object *self, NListData *d, LONG pos)
{
    LONG line = pos == MUIV_NList_Remove_Active ? d->active : pos;
    if (line < 0 || size_t(line) >= d->lines.size())
        return FALSE;
    size_t at = ElementStart(d, size_t(line)), end = at;
    ULONG entry = d->lines[at].entry;
    while (end < d->lines.size() && d->lines[end].entry == entry)
        ++end;
    Destruct(d, d->lines[at].element);
    d->lines.erase(d->lines.begin() + LONG(at), d->lines.begin() + LONG(end));
    for (size_t i = at; i < d->lines.size(); ++i)
        --d->lines[i].entry;
    --d->elements;
    d->selected.clear();
    LONG removed = LONG(end - at);
    if (d->active >= LONG(end))
        d->active -= removed;
    else if (d->active >= LONG(at))
        d->active = d->lines.empty() ? -1 : std::min(LONG(at), LONG(d->lines.size()) - 1);
    Changed(self, d, MUIA_NList_Entries);
    return TRUE;
}

IPTR NListDispatcher(IClass *cl, Object *self, Msg msg)
{
    if (msg->MethodID == OM_NEW)
        return NListNew(cl, self, msg);
    NListData *d = Instance<NListData>(cl, self);
    switch (msg->MethodID) {
    case OM_DISPOSE:
        Clear(self, d);
        for (auto &img : d->images)
            DisposeObject(img.second);
        DeleteInstance<NListData>(cl, self);
        return DoSuperMethodA(cl, self, msg);
    case OM_SET: ApplyTags(self, d, SetTags(msg)); return DoSuperMethodA(cl, self, msg);
    case OM_GET: return NListGet(cl, self, msg);
    case MUIM_NList_InsertSingle: return Insert(self, d, reinterpret_cast<MUIP_NList_InsertSingle *>(msg), false);
    case MUIM_NList_InsertSingleWrap: return Insert(self, d, reinterpret_cast<MUIP_NList_InsertSingle *>(msg), true);
    case MUIM_NList_Clear: Clear(self, d); return 0;
    case MUIM_NList_GetEntry: return GetEntry(d, reinterpret_cast<MUIP_NList_GetEntry *>(msg));
    case MUIM_NList_GetEntryInfo: return GetEntryInfo(d, reinterpret_cast<MUIP_NList_GetEntryInfo *>(msg)->res);
    case MUIM_NList_Select: return Select(self, d, reinterpret_cast<MUIP_NList_Select *>(msg));
    case MUIM_NList_TestPos: return TestPos(self, d, reinterpret_cast<MUIP_NList_TestPos *>(msg));
    case MUIM_NList_Jump: return Jump(self, d, LONG(reinterpret_cast<MUIP_NList_Jump *>(msg)->pos));
    case MUIM_NList_UseImage: return UseImage(d, reinterpret_cast<MUIP_NList_UseImage *>(msg));
    case MUIM_NList_Remove: return Remove(self, d, LONG(reinterpret_cast<MUIP_NList_Remove *>(msg)->pos));
    case MUIM_NList_ReadLines: return ReadLines(self, d, reinterpret_cast<MUIP_NList_ReadLines *>(msg));
    default: return DoSuperMethodA(cl, self, msg);
    }
}

// NListview: the scrolling frame around one NList.
IPTR NListviewDispatcher(IClass *cl, Object *self, Msg msg)
{
    if (msg->MethodID != OM_NEW)
        return DoSuperMethodA(cl, self, msg);
    auto *list = reinterpret_cast<Object *>(GetTagData(MUIA_NListview_NList, 0, SetTags(msg)));
    if (!list)
        return 0;
    IPTR cells[] = {MUIA_Group_Child, ToIPTR(list), TAG_MORE, ToIPTR(SetTags(msg))};
    opSet sup = {OM_NEW, reinterpret_cast<TagItem *>(cells), nullptr};
    return DoSuperMethodA(cl, self, reinterpret_cast<Msg>(&sup));
}
}

void RegisterNListClasses()
{
    nlistClass = MakeBuiltinClass(MUIC_NList, MUIC_Area, sizeof(NListData), NListDispatcher);
    MakeBuiltinClass(MUIC_NListview, MUIC_Group, 0, NListviewDispatcher);
}

LONG NListLineCount(Object *list)
{
    NListData *d = Data(list);
    return d ? LONG(d->lines.size()) : 0;
}

const char *NListLineText(Object *list, LONG line, size_t *pos, size_t *len)
{
    NListData *d = Data(list);
    if (!d || line < 0 || size_t(line) >= d->lines.size()) {
        *pos = *len = 0;
        return "";
    }
    const NListLine &l = d->lines[size_t(line)];
    const char *text = ElementText(d, l.element);
    if (l.piece) {
        *pos = d->pieces[l.piece - 1].pos;
        *len = d->pieces[l.piece - 1].len;
    } else {
        *pos = 0;
        *len = std::strlen(text);
    }
    return text;
}

const char *NListLineHelp(Object *list, LONG line)
{
    size_t pos, len;
    NListLineText(list, line, &pos, &len);
    NListData *d = Data(list);
    return d && d->display && line >= 0 && size_t(line) < d->lines.size() ? d->columnTexts[1] : nullptr;
}

namespace {
// Whether any byte takes other than one column: a tab, a text code's escape,
// or one from 128 up (part of a UTF-8 character). 16 at a time.
bool HasSpecialBytes(const char *p, size_t n)
{
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i tab = _mm_set1_epi8('\t'), esc = _mm_set1_epi8(kEsc);
    for (; i + 16 <= n; i += 16) {
        __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + i));
        __m128i marked = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(c, tab), _mm_cmpeq_epi8(c, esc)), c);
        if (_mm_movemask_epi8(marked))
            return true;
    }
#endif
    for (; i < n; ++i)
        if (p[i] == '\t' || p[i] == kEsc || UBYTE(p[i]) >= 0x80)
            return true;
    return false;
}
}

LONG NListWidestLine(Object *list)
{
    NListData *d = Data(list);
    LONG widest = 0;
    for (LONG i = 0; d && size_t(i) < d->lines.size(); ++i) {
        size_t pos, len;
        const char *text = NListLineText(list, i, &pos, &len);
        if (!HasSpecialBytes(text + pos, len)) {   // a byte a column, as most lines are
            widest = std::max(widest, LONG(len));
            continue;
        }
        LONG col = 0;
        for (size_t j = pos, end = pos + len; j < end;) {
            if (text[j] == kEsc) {
                j += ReadTextCode(text, end, j).length;
                continue;
            }
            col = NextColumn(text, j++, col, d->utf8);
        }
        widest = std::max(widest, col);
    }
    return widest;
}

bool NListIsSelected(Object *list, LONG line)
{
    NListData *d = Data(list);
    return d && d->selected.count(line);
}

bool NListTextIsUTF8(const NListData *d, const char *text) { return d->utf8 && IsUTF8(text, std::strlen(text)); }

bool NListLineIsUTF8(Object *list, const char *text)
{
    NListData *d = Data(list);
    return d && NListTextIsUTF8(d, text);
}

LONG NListColumns(Object *list)
{
    NListData *d = Data(list);
    return d ? d->columns : 80;
}

bool NListQuiet(Object *list)
{
    NListData *d = Data(list);
    return d && d->quiet > 0;
}

std::string NListButtonLabel(Object *list, LONG number)
{
    NListData *d = Data(list);
    if (!d)
        return std::string();
    auto it = d->images.find(number);
    if (it == d->images.end())
        return std::string();
    const char *text = reinterpret_cast<const char *>(xget(it->second, MUIA_Text_Contents));
    return text ? StripTextCodes(text) : std::string();
}

size_t NListBytesHeld(Object *list)
{
    NListData *d = Data(list);
    if (!d)
        return 0;
    return d->arena.BytesHeld() + d->piecesArena.BytesHeld() + d->lines.capacity() * sizeof(NListLine) +
           d->pieces.capacity() * sizeof(NListPiece);
}

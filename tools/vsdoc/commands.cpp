#include "commands.h"
#include "json_line.h"

#include "base/records.h"
#include "core/ids.h"
#include "core/objects.h"
#include "output.h"
#include "pager.h"
#include "platform/dos/lines.h"
#include "platform/nlist/nlist.h"
#include "platform/nlist/textcodes.h"
#include "platform/utility/charset.h"
#include "session.h"
#include "view/index.h"
#include "view/view.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {
std::string TypeName(ULONG code)
{
    std::string name;
    for (int shift = 24; shift >= 0; shift -= 8)
        name += char(code >> shift & 0xFF);
    return name;
}

// Where a line holds its first byte that printing changes: a NUL (which ends
// a line in the list), a CR or a text code's escape; length when none.
size_t FirstSpecial(const char *text, size_t length)
{
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i nul = _mm_setzero_si128(), cr = _mm_set1_epi8('\r'), esc = _mm_set1_epi8(char(kEsc));
    auto hits = [&](size_t at) {
        __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i *>(text + at));
        __m128i hit = _mm_or_si128(_mm_cmpeq_epi8(c, nul), _mm_or_si128(_mm_cmpeq_epi8(c, cr), _mm_cmpeq_epi8(c, esc)));
        return unsigned(_mm_movemask_epi8(hit));
    };
    if (length >= 16) {
        for (; i + 16 <= length; i += 16)
            if (unsigned bits = hits(i))
                return i + size_t(__builtin_ctz(bits));
        // the rest within the line's last 16 bytes, whose first ones are known plain
        unsigned bits = i < length ? hits(length - 16) : 0;
        return bits ? length - 16 + size_t(__builtin_ctz(bits)) : length;
    }
#endif
    for (; i < length; ++i)
        if (text[i] == '\0' || text[i] == '\r' || text[i] == kEsc)
            return i;
    return length;
}

// Whether the shown document's text goes to a terminal of another
// character set (utf8 tells the document's); lines of plain ASCII need
// nothing either way, and into a pipe nothing is converted at all.
bool Recoded(CodeOutput mode, const char *text, size_t length, bool &utf8)
{
    if (mode == CodeOutput::Raw || !(TerminalRecodes(false) || TerminalRecodes(true)) ||
        std::none_of(text, text + length, [](char c) { return UBYTE(c) >= 0x80; }))
        return false;
    utf8 = xget(View.TextList, MUIA_NList_UTF8) != 0;
    return TerminalRecodes(utf8);
}

// One line as printed, without its own line end and with a newline. Most
// lines are written as they are stored, newline and all, in one piece.
void PrintLine(const char *text, size_t length, CodeOutput mode, const std::function<std::string(LONG)> &label = {})
{
    size_t special = FirstSpecial(text, length);
    bool utf8 = false, recoded = Recoded(mode, text, length, utf8);
    if (special == length && length && text[length - 1] == '\n' && !recoded) {
        Out().Write(std::string_view(text, length));
        return;
    }
    length = strnlen(text, length);
    while (length && (text[length - 1] == '\n' || text[length - 1] == '\r'))
        --length;
    std::string line = mode != CodeOutput::Raw && std::memchr(text, kEsc, length)
                           ? RenderLine(std::string(text, length).c_str(), mode, label)
                           : std::string(text, length);
    Out().Write(recoded ? ForTerminal(line, utf8) : line);
    Out().Write("\n");
}

void PrintList(Object *list, CodeOutput mode, LONG from = 0, LONG to = -1)
{
    LONG count = LONG(xget(list, MUIA_NList_Entries));
    if (to >= 0 && to < count)
        count = to;
    auto label = [list](LONG n) { return NListButtonLabel(list, n); };
    for (LONG i = from; i < count; ++i) {
        size_t pos, len;
        const char *text = NListLineText(list, i, &pos, &len);
        PrintLine(text + pos, len, mode, label);
    }
}

bool IsNumber(const std::string &s)
{
    return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos && s.size() < 10;
}

// The one entry whose name ends in "/" and the word (an interface's method
// by its own name), or -1 when none or several do.
LONG EntryEndingIn(const std::string &word)
{
    LONG found = -1;
    for (LONG i = 0;; ++i) {
        auto *e = reinterpret_cast<Doc *>(DoMethod(IndexGUI.IndexList, MUIM_NList_GetEntry, i, nullptr));
        if (!e)
            return found;
        size_t length = e->Name ? std::strlen(e->Name) : 0;
        if (length > word.size() && e->Name[length - word.size() - 1] == '/' &&
            Stricmp(e->Name + length - word.size(), word.c_str()) == 0) {
            if (found >= 0)
                return -1;
            found = i;
        }
    }
}

// The number of the entry a word names, as the index would choose it, without
// showing the entry; -1 when the document has no such entry.
LONG EntryNumber(const std::string &entry)
{
    LONG n = entry.empty() ? IndexOpeningEntry() : IsNumber(entry) ? std::stol(entry) : IndexFindName(entry.c_str());
    if (n == -2)
        n = EntryEndingIn(entry);
    if (n == -1 || n >= LONG(xget(IndexGUI.IndexList, MUIA_NList_Entries)))
        return -1;
    SetAttrs(IndexGUI.IndexList, MUIA_NList_Active, n, MUIA_NoNotify, TRUE);
    return LONG(xget(IndexGUI.IndexList, MUIA_NList_Active));
}

void AppendNumber(std::string &out, LONG n)
{
    char digits[16];
    auto [end, error] = std::to_chars(digits, digits + sizeof digits, n);
    out.append(digits, size_t(end - digits));
    (void)error;
}

CodeOutput OutputMode(const VsdocArgs &args, bool styled)
{
    return args.raw ? CodeOutput::Raw : styled ? CodeOutput::Terminal : CodeOutput::Plain;
}
}

bool Readable(const std::string &path)
{
    struct stat st;
    const char *reason = stat(path.c_str(), &st) != 0 ? (errno == EACCES ? "may not be read" : "does not exist")
                         : S_ISDIR(st.st_mode)        ? "is a folder, not a document"
                         : !S_ISREG(st.st_mode)       ? "is no regular file (a FIFO, a device or a socket)"
                         : access(path.c_str(), R_OK) ? "may not be read"
                                                      : nullptr;
    if (reason)
        std::fprintf(stderr, "vsdoc: %s %s\n", path.c_str(), reason);
    return !reason;
}

namespace {
// A guide's header entries have marks 1 to 4, written as numbers.
void AppendMark(std::string &out, char mark)
{
    if (UBYTE(mark) < 32 || UBYTE(mark) >= 127)
        AppendNumber(out, UBYTE(mark));
    else
        out.append(1, mark);
}

int PrintIndexJson(const std::string &type, const Baza *doc)
{
    Out().Write(JsonLine().Text("type", type.c_str()).Text("caption", doc->Library).Line());
    std::string mark;
    for (Doc *e = FirstEntry(doc); e; e = NextEntry(e)) {
        mark.clear();
        AppendMark(mark, e->Mark);
        Out().Write(JsonLine()
                        .Text("name", e->Name)
                        .Text("mark", mark.c_str())
                        .Number("offset", e->Offset)
                        .Number("line", e->Line)
                        .Number("lines", e->Lines)
                        .Line());
    }
    return 0;
}
}

int RunIndex(const VsdocArgs &args)
{
    Session session("vsdoc");
    Baza *doc = Readable(args.file) && session.Ready() ? session.Index(args.file.c_str()) : nullptr;
    if (!doc)
        return 1;
    if (args.json)
        return PrintIndexJson(TypeName(doc->FileType), doc);
    std::string out = TypeName(doc->FileType) + "\t" + (doc->Library ? doc->Library : "") + "\n";
    for (Doc *e = FirstEntry(doc); e; e = NextEntry(e)) {
        AppendMark(out.append(e->Name ? e->Name : "").append(1, '\t'), e->Mark);
        for (LONG n : {e->Offset, e->Line, e->Lines})
            AppendNumber(out.append(1, '\t'), n);
        out.append(1, '\n');
        Out().Write(out);
        out.clear();
    }
    Out().Write(out);
    return 0;
}

namespace {
Baza *ShownDocument() { return reinterpret_cast<Baza *>(xget(QMXObject.ViewObj, QMXA_View_Document)); }

// The code of the shown document's type; 0 when none is shown.
ULONG ShownType() { return ShownDocument() ? ShownDocument()->FileType : 0; }

Doc *NthEntry(LONG n)
{
    Baza *doc = ShownDocument();
    Doc *e = doc && n >= 0 ? FirstEntry(doc) : nullptr;
    for (; e && n > 0; --n)
        e = NextEntry(e);
    return e;
}

// The lines of a document shown whole that an entry stands for: from its
// line up to the next entry's; all of them for the whole-file entry.
std::pair<LONG, LONG> EntryLines(LONG n)
{
    Doc *e = NthEntry(n);
    if (!e || e->Line <= 0)
        return {0, -1};
    Doc *next = NextEntry(e);
    while (next && next->Line <= e->Line)
        next = NextEntry(next);
    return {e->Line - 1, next ? next->Line - 1 : -1};
}

// Plain text, headers and XML interfaces are shown whole: show reads and
// prints their lines as they come, cut as the text list cuts them, without
// putting the file into a list first.
bool ShownWhole()
{
    ULONG type = ShownType();
    return type == TYPE_FTXT || type == TYPE_HDOC || type == TYPE_FXML;
}

// The entry shown, list by list as the viewer holds it.
void PrintShownLists(CodeOutput mode)
{
    if (xget(View.Pages, MUIA_Group_ActivePage) == 0 && ShownWhole()) {
        auto [from, to] = EntryLines(LONG(xget(QMXObject.IndexObj, QMXA_Index_Active)));
        PrintList(View.TextList, mode, from, to);
        return;
    }
    if (xget(View.Pages, MUIA_Group_ActivePage) == 0) {   // a guide's node, and on request its links
        PrintList(View.TextList, mode);
        if (mode == CodeOutput::Raw && ShownType() == TYPE_AGID)
            PrintGuideLinks(View.TextList);
        return;
    }
    PrintList(View.HeadList, mode);
    PrintList(View.ContentsList, mode);
    if (xget(View.ADocTabs, MUIA_ShowMe)) {
        Out().Write("Example\n");
        PrintList(View.ExampleList, mode);
    }
}

int StreamEntry(const std::string &file, LONG n, CodeOutput mode)
{
    std::pair<LONG, LONG> lines = EntryLines(n);   // named: a lambda may not take a structured binding here
    LONG from = lines.first, to = lines.second;
    FileHandle *fh = Open(file.c_str(), MODE_OLDFILE);
    LONG line = 0;
    bool ok = fh && ForEveryLine(fh, kLineBuffer, [&](const char *text, size_t length) {
                  if (line >= from && (to < 0 || line < to))
                      PrintLine(text, length, mode);
                  ++line;
              });
    Close(fh);
    if (!ok)
        std::fprintf(stderr, "vsdoc: %s could not be read\n", file.c_str());
    return ok ? 0 : 1;
}
}

void PrintShown(const VsdocArgs &args, bool styled) { PrintShownLists(OutputMode(args, styled)); }

int RunShow(const VsdocArgs &args, bool styled)
{
    Session session("vsdoc");
    if (!Readable(args.file) || !session.Ready() || !session.Open(args.file.c_str()))
        return 1;
    LONG n = EntryNumber(args.entry);
    if (n < 0) {
        std::fprintf(stderr, "vsdoc: no entry %s in %s\n", args.entry.c_str(), args.file.c_str());
        return 1;
    }
    if (ShownWhole())
        return StreamEntry(args.file, n, OutputMode(args, styled));
    SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, n);
    PrintShown(args, styled);
    return 0;
}
